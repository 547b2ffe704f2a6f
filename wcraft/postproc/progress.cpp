// Progress character, control flag texts and column padding.
#include "postproc/progress.h"

#include <cstdarg>
#include <cstring>
#include <string>

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

thread_local long* t_counted = nullptr;

}  // namespace

void count_ticks_here(long* count) { t_counted = count; }

void show_ticks(long count) {
    for (long i = 0; i < count; ++i) progress_tick();
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
