// Progress character, control flag texts and column padding.
#include "postproc/progress.h"

#include <cstdarg>
#include <cstring>
#include <string>
#include <system_error>
#include <utility>

#include "host/host_api.h"
#include "host/module_state.h"

namespace wcraft {

void log_printf(FILE* log, const char* format, ...) {
    if (!log) return;
    va_list ap;
    va_start(ap, format);
    vfprintf(log, format, ap);
    va_end(ap);
}

namespace {

// Where the steps of this thread are counted instead of shown; none on the
// thread that talks to the host.
thread_local long* t_counted = nullptr;

}  // namespace

AsideWork::~AsideWork() {
    if (m_thread.joinable()) m_thread.join();
}

bool AsideWork::start(std::function<void()> work) {
    m_ticks = 0;
    m_failures.clear();
    m_failures.reserve(16);  // so that keeping a failure seldom needs memory itself
    m_failed = nullptr;
    try {
        m_thread = std::thread([this, work = std::move(work)] {
            t_counted = &m_ticks;
            keep_failures_here(&m_failures);
            try {
                work();
            } catch (...) {
                m_failed = std::current_exception();
            }
            keep_failures_here(nullptr);
            t_counted = nullptr;
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void AsideWork::wait() {
    if (!m_thread.joinable()) return;
    m_thread.join();
    for (long i = 0; i < m_ticks; ++i) progress_tick();
    m_ticks = 0;
    tell_failures(m_failures);
    m_failures.clear();
}

void AsideWork::finish() {
    wait();
    if (m_failed) std::rethrow_exception(std::exchange(m_failed, nullptr));
}

void progress_tick() {
    if (t_counted) {
        ++*t_counted;
        return;
    }
    short& counter = wcr().progress;
    if (counter > 90) counter = 1;
    const char* shown = nullptr;
    switch (counter) {
        case 10: case 50: shown = "\b-"; break;
        case 20: shown = "\b\\"; break;
        case 30: shown = "\b|"; break;
        case 40: shown = "\b/"; break;
        case 60: case 80: shown = "\b+"; break;
        case 70: shown = "\b*"; break;
        default: break;
    }
    if (shown) ads_printf("%s", shown);
    ++counter;
}

char* enabled_text(int flag, char* buf) {
    strcpy(buf, flag == 1 ? "ENABLED" : "DISABLED");
    return buf;
}

const char* pad_text(const char* text, int width) {
    static std::string shared;
    shared = text;
    if (width > 0 && shared.size() < static_cast<size_t>(width)) shared.append(static_cast<size_t>(width) - shared.size(), ' ');
    return shared.c_str();
}

}  // namespace wcraft
