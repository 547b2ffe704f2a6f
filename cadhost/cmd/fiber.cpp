// Fibers as stacks of their own. Applications start host commands by the
// thousand (one per inserted block, say), so a switch must cost far less
// than a command: on x86-64 it is a few instructions of our own, which keep
// the registers a function call preserves and swap stack pointers (the C
// library's context calls also save the signal mask, a system call each
// way); elsewhere, and in builds with shadow stacks, it is those context
// calls. Stacks are kept and reused.
#include "cmd/fiber.h"

#include "core/stack.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#define CH_ASAN_FIBERS 1
#endif

namespace cadhost::cmd {

namespace {

// As deep as the main thread's: commands may run AutoLISP of any depth.
constexpr size_t kStackSize = 8u << 20;

Fiber* g_current = nullptr;

#if CH_OWN_FIBER_SWITCH
// ch_fiber_switch(save, to): pushes the preserved registers and the SSE and
// x87 control words, stores the stack pointer in *save, takes `to` as the
// stack pointer and pops the same from it. ch_fiber_start is where a new
// fiber's first switch returns to: it calls the function in r12 with the
// argument in rbx, which never returns.
extern "C" void ch_fiber_switch(void** save, void* to);
extern "C" void ch_fiber_start();
asm(R"(
    .text
    .globl ch_fiber_switch
    .hidden ch_fiber_switch
    .type ch_fiber_switch, @function
ch_fiber_switch:
    .cfi_startproc
    pushq %rbp
    pushq %rbx
    pushq %r12
    pushq %r13
    pushq %r14
    pushq %r15
    subq $8, %rsp
    stmxcsr (%rsp)
    fnstcw 4(%rsp)
    movq %rsp, (%rdi)
    movq %rsi, %rsp
    ldmxcsr (%rsp)
    fldcw 4(%rsp)
    addq $8, %rsp
    popq %r15
    popq %r14
    popq %r13
    popq %r12
    popq %rbx
    popq %rbp
    ret
    .cfi_endproc
    .size ch_fiber_switch, .-ch_fiber_switch

    .globl ch_fiber_start
    .hidden ch_fiber_start
    .type ch_fiber_start, @function
ch_fiber_start:
    .cfi_startproc
    .cfi_undefined rip
    movq %rbx, %rdi
    callq *%r12
    ud2
    .cfi_endproc
    .size ch_fiber_start, .-ch_fiber_start
)");

// The first stack pointer of a fiber on `stack`: what ch_fiber_switch pops
// there starts ch_fiber_start with `run(arg)` to call. After the return
// address is taken the stack pointer is 16-byte aligned, as a call needs.
void* first_frame(void* stack, size_t size, void (*run)(Fiber*), Fiber* arg) {
    auto top = (reinterpret_cast<uintptr_t>(stack) + size) & ~uintptr_t{15};
    auto* slot = reinterpret_cast<uint64_t*>(top - 80);
    slot[0] = 0x1F80 | (uint64_t{0x037F} << 32);  // default MXCSR, x87 control word
    slot[1] = 0;                                  // r15
    slot[2] = 0;                                  // r14
    slot[3] = 0;                                  // r13
    slot[4] = reinterpret_cast<uintptr_t>(run);   // r12
    slot[5] = reinterpret_cast<uintptr_t>(arg);   // rbx
    slot[6] = 0;                                  // rbp
    slot[7] = reinterpret_cast<uintptr_t>(&ch_fiber_start);
    return slot;
}
#endif

// Stacks of ended fibers, for the next ones. Never freed.
std::vector<void*>& spare_stacks() {
    static auto* v = new std::vector<void*>;
    return *v;
}

void* take_stack() {
    auto& spare = spare_stacks();
    if (!spare.empty()) {
        void* s = spare.back();
        spare.pop_back();
#if CH_ASAN_FIBERS
        // A fiber that ended by switching away, or by an exception, leaves
        // the marks of its frames on the stack; the next fiber starts clean.
        __asan_unpoison_memory_region(s, kStackSize);
#endif
        return s;
    }
    void* s = mmap(nullptr, kStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK,
                   -1, 0);
    if (s == MAP_FAILED) std::abort();
    return s;
}

}  // namespace

Fiber* Fiber::current() { return g_current; }

Fiber::Fiber(std::function<void()> body) : m_body(std::move(body)) {}

Fiber::~Fiber() {
    if (m_started) {
        m_abort = true;
        while (!m_finished) resume();
    }
    if (m_stack) spare_stacks().push_back(m_stack);
}

#if !CH_OWN_FIBER_SWITCH
void Fiber::context_entry(unsigned hi, unsigned lo) {
    entry(reinterpret_cast<Fiber*>((static_cast<uintptr_t>(hi) << 32) | lo));
}
#endif

void Fiber::entry(Fiber* f) {
#if CH_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(nullptr, &f->m_resumer_bottom, &f->m_resumer_size);
#endif
    try {
        f->m_body();
    } catch (...) {
        // An exception must not leave the fiber's stack: the resumer takes it.
        f->m_failure = std::current_exception();
    }
    f->m_finished = true;
    f->switch_out(true);
}

// From the resumer into the fiber, and back when it yields or ends.
void Fiber::switch_in() {
    m_outer = g_current;
    g_current = this;
    // What runs until the fiber yields or ends is on the fiber's stack.
    StackScope on_own_stack(m_stack, kStackSize);
#if CH_ASAN_FIBERS
    void* fake = nullptr;
    __sanitizer_start_switch_fiber(&fake, m_stack, kStackSize);
    to_fiber();
    __sanitizer_finish_switch_fiber(fake, nullptr, nullptr);
#else
    to_fiber();
#endif
    g_current = m_outer;
}

// From inside the fiber back to its resumer; `ending` when it never returns.
void Fiber::switch_out(bool ending) {
#if CH_ASAN_FIBERS
    __sanitizer_start_switch_fiber(ending ? nullptr : &m_fake_stack, m_resumer_bottom, m_resumer_size);
    to_resumer();
    __sanitizer_finish_switch_fiber(m_fake_stack, &m_resumer_bottom, &m_resumer_size);
#else
    (void)ending;
    to_resumer();
#endif
}

bool Fiber::resume() {
    if (m_finished) return true;
    if (!m_started) {
        m_started = true;
        m_stack = take_stack();
#if CH_OWN_FIBER_SWITCH
        m_context = first_frame(m_stack, kStackSize, &Fiber::entry, this);
#else
        getcontext(&m_context);
        m_context.uc_stack.ss_sp = m_stack;
        m_context.uc_stack.ss_size = kStackSize;
        m_context.uc_link = nullptr;
        auto p = reinterpret_cast<uintptr_t>(this);
        makecontext(&m_context, reinterpret_cast<void (*)()>(&Fiber::context_entry), 2, static_cast<unsigned>(p >> 32),
                    static_cast<unsigned>(p & 0xffffffffu));
#endif
    }
    switch_in();
    return m_finished;
}

void Fiber::yield() { switch_out(false); }

#if CH_OWN_FIBER_SWITCH
void Fiber::to_fiber() { ch_fiber_switch(&m_resumer, m_context); }
void Fiber::to_resumer() { ch_fiber_switch(&m_context, m_resumer); }
#else
void Fiber::to_fiber() { swapcontext(&m_resumer, &m_context); }
void Fiber::to_resumer() { swapcontext(&m_context, &m_resumer); }
#endif

}  // namespace cadhost::cmd
