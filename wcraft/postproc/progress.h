// Small services of the post-processor shared by its operations: the log,
// the turning progress character, and the ENABLED/DISABLED and padded texts.
#pragma once

#include <cstddef>
#include <cstdio>
#include <exception>
#include <functional>
#include <thread>
#include <vector>

#include "host/error_report.h"

namespace wcraft {

// fprintf to the run-time event log; nothing when no log is open.
void log_printf(FILE* log, const char* format, ...) __attribute__((format(printf, 2, 3)));
// One step of the progress character on the command line.
void progress_tick();

// Work done on a second thread, which may not talk to the host. While it
// runs, its progress steps are counted and its failed allocations kept;
// once it is done they are shown by this thread, in order, and what it
// threw is thrown here. The progress character depends only on how many
// steps were shown before, so the command line ends the same as if they
// had been shown at once.
class AsideWork {
public:
    AsideWork() = default;
    AsideWork(const AsideWork&) = delete;
    AsideWork& operator=(const AsideWork&) = delete;
    ~AsideWork();  // waits for the work, showing nothing
    // Starts `work`; false, with nothing started, when no thread can be had.
    bool start(std::function<void()> work);
    // Waits for the work and shows its progress and failures.
    void wait();
    // wait(), then throws what the work threw.
    void finish();

private:
    std::thread m_thread;
    long m_ticks = 0;
    std::vector<KeptFailure> m_failures;
    std::exception_ptr m_failed;
};
// "ENABLED" when flag is 1, else "DISABLED"; written into buf, returned.
char* enabled_text(int flag, char* buf);
// The text padded with spaces to `width` characters, in one shared buffer
// that the next call overwrites.
const char* pad_text(const char* text, int width);

}  // namespace wcraft
