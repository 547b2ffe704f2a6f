// How deep the code running now may let its stack grow: the thread's own
// stack, or the stack of the fiber it is running on.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cadhost {

// Lowest address the running code's stack may safely grow to. A quarter of
// the stack stays below it for error handlers, the host and libraries.
uintptr_t stack_floor();

// While one lives, the code running on this thread is on the stack
// [low, low + size), a fiber's; the floor before it comes back when it ends.
class StackScope {
public:
    StackScope(const void* low, size_t size);
    ~StackScope();
    StackScope(const StackScope&) = delete;
    StackScope& operator=(const StackScope&) = delete;

private:
    uintptr_t m_saved;
};

}  // namespace cadhost
