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
// A second thread may not talk to the host: while `count` is set on one,
// its progress steps are added to it instead of shown (nullptr shows them
// again), and the thread that may shows them later with show_ticks. The
// character depends only on how many steps were shown before, so the
// command line ends the same as if they had been shown at once.
void count_ticks_here(long* count);
void show_ticks(long count);
// "ENABLED" when flag is 1, else "DISABLED"; written into buf, returned.
char* enabled_text(int flag, char* buf);
// The text padded with spaces to `width` characters, in one shared buffer
// that the next call overwrites.
const char* pad_text(const char* text, int width);

}  // namespace wcraft
