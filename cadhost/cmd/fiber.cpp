// Fibers on threads with strict hand-over.
#include "cmd/fiber.h"

namespace cadhost::cmd {

namespace {
thread_local Fiber* t_current = nullptr;
}

Fiber* Fiber::current() { return t_current; }

Fiber::Fiber(std::function<void()> body) : m_body(std::move(body)) {}

Fiber::~Fiber() {
    if (m_started) {
        m_abort = true;
        while (!m_finished) resume();
        m_thread.join();
    }
}

void Fiber::wait_for(bool fiber_turn, std::unique_lock<std::mutex>& lock) {
    m_cv.wait(lock, [&] { return m_fiber_turn == fiber_turn; });
}

bool Fiber::resume() {
    if (m_finished) return true;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_fiber_turn = true;
    if (!m_started) {
        m_started = true;
        m_thread = std::thread([this] {
            t_current = this;
            {
                std::unique_lock<std::mutex> l(m_mutex);
                wait_for(true, l);
            }
            m_body();
            std::unique_lock<std::mutex> l(m_mutex);
            m_finished = true;
            m_fiber_turn = false;
            m_cv.notify_all();
        });
    }
    m_cv.notify_all();
    wait_for(false, lock);
    return m_finished;
}

void Fiber::yield() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_fiber_turn = false;
    m_cv.notify_all();
    wait_for(true, lock);
}

}  // namespace cadhost::cmd
