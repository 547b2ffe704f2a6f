// Planned failures of the file layer: streams are wrapped in a cookie stream
// that counts writes and closes and fails the planned ones.
#include "fs/faults.h"

#include <cerrno>
#include <mutex>

namespace cadhost::fs {

namespace {

struct State {
    std::mutex mutex;
    bool active = false;
    FaultPlan plan;
    FaultPlan seen;
};

State& state() {
    static State s;
    return s;
}

struct Cookie {
    FILE* real;
    bool failed = false;  // a write failed: the rest fail too
};

ssize_t cookie_write(void* c, const char* buf, size_t size) {
    auto* k = static_cast<Cookie*>(c);
    {
        State& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        ++s.seen.write;
        if (s.active && s.plan.write != 0 && s.seen.write == s.plan.write) k->failed = true;
    }
    if (k->failed) return errno = ENOSPC, -1;
    size_t n = std::fwrite(buf, 1, size, k->real);
    if (n < size || std::fflush(k->real) != 0) return -1;
    return static_cast<ssize_t>(n);
}

ssize_t cookie_read(void* c, char* buf, size_t size) {
    auto* k = static_cast<Cookie*>(c);
    size_t n = std::fread(buf, 1, size, k->real);
    return n == 0 && std::ferror(k->real) ? -1 : static_cast<ssize_t>(n);
}

int cookie_seek(void* c, off64_t* offset, int whence) {
    auto* k = static_cast<Cookie*>(c);
    if (fseeko(k->real, *offset, whence) != 0) return -1;
    *offset = ftello(k->real);
    return 0;
}

int cookie_close(void* c) {
    auto* k = static_cast<Cookie*>(c);
    bool fail = false;
    {
        State& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        ++s.seen.close;
        fail = s.active && s.plan.close != 0 && s.seen.close == s.plan.close;
    }
    int rc = std::fclose(k->real);
    delete k;
    if (fail) return errno = EIO, -1;
    return rc;
}

}  // namespace

void set_fault_plan(const FaultPlan& plan) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.active = true;
    s.plan = plan;
    s.seen = FaultPlan{};
}

void clear_fault_plan() {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.active = false;
    s.plan = FaultPlan{};
    s.seen = FaultPlan{};
}

FaultPlan fault_counts() {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.seen;
}

FILE* faulty_stream(FILE* f) {
    {
        State& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.active) return f;
    }
    auto* k = new Cookie{f};
    FILE* wrapped = fopencookie(k, "r+", {cookie_read, cookie_write, cookie_seek, cookie_close});
    if (!wrapped) {
        delete k;
        return f;
    }
    std::setvbuf(wrapped, nullptr, _IONBF, 0);
    return wrapped;
}

bool rename_fails() {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.active) return false;
    ++s.seen.rename;
    return s.plan.rename != 0 && s.seen.rename == s.plan.rename;
}

}  // namespace cadhost::fs
