// Fibers on threads with strict hand-over. The threads are kept in a pool
// and reused: applications start host commands by the thousand (one per
// inserted block, say), and a thread per command would cost more than the
// command.
#include "cmd/fiber.h"

#include <vector>

namespace cadhost::cmd {

namespace {

thread_local Fiber* t_current = nullptr;

// A thread that runs one fiber body after another.
struct Worker {
    std::mutex mutex;
    std::condition_variable cv;
    Fiber* job = nullptr;
};

// Idle workers. Never destroyed: workers wait on it until the process ends.
struct Pool {
    std::mutex mutex;
    std::vector<Worker*> idle;
};

Pool& pool() {
    static Pool* p = new Pool;
    return *p;
}

void offer(void* worker) {
    std::lock_guard<std::mutex> l(pool().mutex);
    pool().idle.push_back(static_cast<Worker*>(worker));
}

}  // namespace

Fiber* Fiber::current() { return t_current; }

Fiber::Fiber(std::function<void()> body) : m_body(std::move(body)) {}

Fiber::~Fiber() {
    if (m_started) {
        m_abort = true;
        while (!m_finished) resume();
    }
}

// The other side usually hands over within microseconds (a command given
// all its answers runs through), so it is awaited spinning for a short
// while before sleeping: a sleep and wake-up per hand-over would cost more
// than most commands.
void Fiber::wait_for(bool fiber_turn, std::unique_lock<std::mutex>& lock) {
    constexpr int kSpins = 4000;
    if (m_fiber_turn.load(std::memory_order_acquire) != fiber_turn) {
        lock.unlock();
        for (int i = 0; i < kSpins && m_fiber_turn.load(std::memory_order_acquire) != fiber_turn; ++i)
            std::this_thread::yield();
        lock.lock();
    }
    m_cv.wait(lock, [&] { return m_fiber_turn.load(std::memory_order_acquire) == fiber_turn; });
}

// On a worker thread: waits for the first turn, runs the body, and hands
// control back for good. The worker is offered for the next fiber before
// that (it takes a new job only once this returns), and nothing of the
// fiber is touched once it is marked finished, since its owner may destroy
// it at once.
void Fiber::run(void (*idle)(void*), void* worker) {
    t_current = this;
    {
        std::unique_lock<std::mutex> l(m_mutex);
        wait_for(true, l);
    }
    m_body();
    t_current = nullptr;
    idle(worker);
    std::unique_lock<std::mutex> l(m_mutex);
    m_finished = true;
    m_fiber_turn = false;
    m_cv.notify_all();
}

void Fiber::start_on_worker() {
    Worker* w = nullptr;
    {
        std::lock_guard<std::mutex> l(pool().mutex);
        if (!pool().idle.empty()) {
            w = pool().idle.back();
            pool().idle.pop_back();
        }
    }
    if (!w) {
        w = new Worker;
        std::thread([w] {
            for (;;) {
                Fiber* f = nullptr;
                {
                    std::unique_lock<std::mutex> l(w->mutex);
                    w->cv.wait(l, [w] { return w->job != nullptr; });
                    f = w->job;
                    w->job = nullptr;
                }
                f->run(offer, w);
            }
        }).detach();
    }
    std::lock_guard<std::mutex> l(w->mutex);
    w->job = this;
    w->cv.notify_one();
}

bool Fiber::resume() {
    if (m_finished) return true;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_fiber_turn = true;
    if (!m_started) {
        m_started = true;
        start_on_worker();
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
