// The stack floor of the running code: the thread's, looked up once per
// thread (finding the main thread's stack reads the process maps), unless
// a fiber has put its own in place.
#include "core/stack.h"

#include <pthread.h>

namespace cadhost {

namespace {

uintptr_t floor_of(uintptr_t low, size_t size) { return low + size / 4; }

uintptr_t thread_floor() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return 0;
    void* base = nullptr;
    size_t size = 0;
    pthread_attr_getstack(&attr, &base, &size);
    pthread_attr_destroy(&attr);
    return floor_of(reinterpret_cast<uintptr_t>(base), size);
}

// 0 until the thread's floor is first asked for.
thread_local uintptr_t t_floor = 0;

}  // namespace

uintptr_t stack_floor() {
    if (t_floor == 0) t_floor = thread_floor();
    return t_floor;
}

StackScope::StackScope(const void* low, size_t size) : m_saved(stack_floor()) {
    t_floor = floor_of(reinterpret_cast<uintptr_t>(low), size);
}

StackScope::~StackScope() { t_floor = m_saved; }

}  // namespace cadhost
