// A body of code that can stop part way and be resumed later: a command
// started by an application call that waits for answers the call did not
// give. Each fiber runs on a thread of its own (taken from a pool of
// reused threads), but only one of the fiber and its resumer runs at any
// time, so the host stays single-threaded in effect.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace cadhost::cmd {

class Fiber {
public:
    explicit Fiber(std::function<void()> body);
    ~Fiber();  // a fiber still suspended is resumed with abort() set until it ends
    Fiber(const Fiber&) = delete;
    Fiber& operator=(const Fiber&) = delete;

    // Runs the fiber until it yields or ends; true when it has ended.
    bool resume();
    // From inside the fiber: hands control back to the resumer.
    void yield();
    bool finished() const { return m_finished; }
    // Set while the fiber is being wound up; input then reads as cancel.
    bool aborting() const { return m_abort; }
    // The fiber whose code is running on this thread, or nullptr.
    static Fiber* current();

private:
    void wait_for(bool fiber_turn, std::unique_lock<std::mutex>& lock);
    void start_on_worker();
    void run(void (*idle)(void*), void* worker);
    std::function<void()> m_body;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::atomic<bool> m_fiber_turn{false};  // true while the fiber runs, false while the resumer does
    bool m_started = false;
    bool m_finished = false;
    bool m_abort = false;
};

}  // namespace cadhost::cmd
