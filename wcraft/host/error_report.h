// Printing the error variable on the command line, and the fatal report of
// a failed allocation inside the post-processor.
#pragma once

#include <vector>

namespace wcraft {

// Prints the current error code with its message and clears it; returns 1.
int report_error();
// Reports a failed allocation in the named post-processor routine.
void fatal_alloc(const char* routine, int code);
// On a second thread, which may not talk to the host, failed allocations
// are kept in `kept` while it is set (nullptr reports them again), and the
// thread that may reports them later, in the order met, with tell_failures.
struct KeptFailure {
    const char* routine;
    int code;
};
void keep_failures_here(std::vector<KeptFailure>* kept);
void tell_failures(const std::vector<KeptFailure>& kept);

}  // namespace wcraft
