// Fibers as stacks of their own, switched with the C library's context
// calls. Applications start host commands by the thousand (one per inserted
// block, say), so a switch must cost far less than a command; stacks are
// kept and reused.
#include "cmd/fiber.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define CH_ASAN_FIBERS 1
#endif

namespace cadhost::cmd {

namespace {

// As deep as the main thread's: commands may run AutoLISP of any depth.
constexpr size_t kStackSize = 8u << 20;

Fiber* g_current = nullptr;

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

void Fiber::entry(unsigned hi, unsigned lo) {
    auto* f = reinterpret_cast<Fiber*>((static_cast<uintptr_t>(hi) << 32) | lo);
#if CH_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(nullptr, &f->m_resumer_bottom, &f->m_resumer_size);
#endif
    try {
        f->m_body();
    } catch (...) {
        // A command's failure must not leave its stack; the command ends.
    }
    f->m_finished = true;
    f->switch_out(true);
}

// From the resumer into the fiber, and back when it yields or ends.
void Fiber::switch_in() {
    m_outer = g_current;
    g_current = this;
#if CH_ASAN_FIBERS
    void* fake = nullptr;
    __sanitizer_start_switch_fiber(&fake, m_stack, kStackSize);
    swapcontext(&m_resumer, &m_context);
    __sanitizer_finish_switch_fiber(fake, nullptr, nullptr);
#else
    swapcontext(&m_resumer, &m_context);
#endif
    g_current = m_outer;
}

// From inside the fiber back to its resumer; `ending` when it never returns.
void Fiber::switch_out(bool ending) {
#if CH_ASAN_FIBERS
    __sanitizer_start_switch_fiber(ending ? nullptr : &m_fake_stack, m_resumer_bottom, m_resumer_size);
    swapcontext(&m_context, &m_resumer);
    __sanitizer_finish_switch_fiber(m_fake_stack, &m_resumer_bottom, &m_resumer_size);
#else
    (void)ending;
    swapcontext(&m_context, &m_resumer);
#endif
}

bool Fiber::resume() {
    if (m_finished) return true;
    if (!m_started) {
        m_started = true;
        m_stack = take_stack();
        getcontext(&m_context);
        m_context.uc_stack.ss_sp = m_stack;
        m_context.uc_stack.ss_size = kStackSize;
        m_context.uc_link = nullptr;
        auto p = reinterpret_cast<uintptr_t>(this);
        makecontext(&m_context, reinterpret_cast<void (*)()>(&Fiber::entry), 2, static_cast<unsigned>(p >> 32),
                    static_cast<unsigned>(p & 0xffffffffu));
    }
    switch_in();
    return m_finished;
}

void Fiber::yield() { switch_out(false); }

}  // namespace cadhost::cmd
