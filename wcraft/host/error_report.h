// Printing the error variable on the command line, and the fatal report of
// a failed allocation inside the post-processor.
#pragma once

namespace wcraft {

// Prints the current error code with its message and clears it; returns 1.
int report_error();
// Reports a failed allocation in the named post-processor routine.
void fatal_alloc(const char* routine, int code);

}  // namespace wcraft
