// A body of code that can stop part way and be resumed later: a command
// started by an application call that waits for answers the call did not
// give. Each fiber runs on a stack of its own, switched to and from on the
// host's one thread, so only one of the fiber and its resumer runs at any
// time.
#pragma once

// Our own switch on x86-64; the C library's context calls elsewhere, and
// where the build asks for shadow stacks, which only they keep in step.
#if defined(__x86_64__) && !(defined(__CET__) && (__CET__ & 2))
#define CH_OWN_FIBER_SWITCH 1
#else
#define CH_OWN_FIBER_SWITCH 0
#include <ucontext.h>
#endif

#include <cstddef>
#include <exception>
#include <functional>

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
    // What the body threw, once it has ended so; null otherwise.
    std::exception_ptr failure() const { return m_failure; }
    // Set while the fiber is being wound up; input then reads as cancel.
    bool aborting() const { return m_abort; }
    // The fiber whose code is running now, or nullptr.
    static Fiber* current();

private:
    static void entry(Fiber* f);
#if !CH_OWN_FIBER_SWITCH
    static void context_entry(unsigned hi, unsigned lo);
#endif
    void to_fiber();
    void to_resumer();
    void switch_in();
    void switch_out(bool ending);

    std::function<void()> m_body;
    std::exception_ptr m_failure;  // what the body threw
#if CH_OWN_FIBER_SWITCH
    // A suspended side is its stack pointer: the registers a call must keep
    // are pushed on its stack by the switch.
    void* m_context = nullptr;  // the fiber's own, while it is suspended
    void* m_resumer = nullptr;  // the resumer's, while the fiber runs
#else
    ucontext_t m_context{};
    ucontext_t m_resumer{};
#endif
    void* m_stack = nullptr;
    Fiber* m_outer = nullptr;  // the fiber current when this one was resumed
    // what the address sanitizer needs to know of the stacks switched
    void* m_fake_stack = nullptr;
    const void* m_resumer_bottom = nullptr;
    size_t m_resumer_size = 0;
    bool m_started = false;
    bool m_finished = false;
    bool m_abort = false;
};

}  // namespace cadhost::cmd
