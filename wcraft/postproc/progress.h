// Small services of the post-processor shared by its operations: the log,
// the turning progress character, and the ENABLED/DISABLED and padded texts.
#pragma once

#include <cstddef>
#include <cstdio>

namespace wcraft {

// fprintf to the run-time event log; nothing when no log is open.
void log_printf(FILE* log, const char* format, ...) __attribute__((format(printf, 2, 3)));
// One step of the progress character on the command line.
void progress_tick();
// "ENABLED" when flag is 1, else "DISABLED"; written into buf, returned.
char* enabled_text(int flag, char* buf);
// The text padded with spaces to `width` characters, in one shared buffer
// that the next call overwrites.
const char* pad_text(const char* text, int width);

}  // namespace wcraft
