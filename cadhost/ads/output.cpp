// Output to the command line and small host services.
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ads/guard.h"
#include "select/wildcard.h"

using cadhost::host::Session;
using namespace cadhost::ads;

extern "C" int ads_printf(const char* format, ...) {
    if (!format) return 0;
    if (format[0] == '%' && format[1] == 's' && format[2] == '\0') {
        // A string printed as it is, as progress marks are: nothing to format.
        va_list one;
        va_start(one, format);
        const char* str = va_arg(one, const char*);
        va_end(one);
        size_t len = str ? std::strlen(str) : 0;
        if (str && len < static_cast<size_t>(INT_MAX)) {
            int n = static_cast<int>(len);
            return guarded([&](Session& s) {
                s.print(std::string_view(str, len));
                return n;
            }, -1);
        }
    }
    va_list ap;
    va_start(ap, format);
    va_list ap2;
    va_copy(ap2, ap);
    // Most messages fit the buffer on the stack; a longer one is formatted again.
    char small[512];
    int n = vsnprintf(small, sizeof small, format, ap);
    va_end(ap);
    if (n < 0) {
        va_end(ap2);
        return n;
    }
    std::vector<char> big;
    const char* text = small;
    if (static_cast<size_t>(n) >= sizeof small) {
        big.resize(static_cast<size_t>(n) + 1);
        vsnprintf(big.data(), big.size(), format, ap2);
        text = big.data();
    }
    va_end(ap2);
    // Nothing printed (no session, or the output failed) is an error, as
    // printf's negative answer.
    return guarded([&](Session& s) {
        s.print(std::string_view(text, static_cast<size_t>(n)));
        return n;
    }, -1);
}

extern "C" int ads_prompt(const char* str) {
    return guarded([&](Session& s) {
        if (!str) return RTERROR;
        s.print(str);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_alert(const char* str) {
    return guarded([&](Session& s) {
        if (!str) return RTERROR;
        s.alert(str);
        return RTNORM;
    }, RTERROR);
}

extern "C" void ads_fail(const char* str) {
    guarded([&](Session& s) {
        s.print(std::string("\nApplication ERROR: ") + (str ? str : "") + "\n");
        return 0;
    }, 0);
}

extern "C" int ads_textscr(void) { return RTNORM; }
extern "C" int ads_graphscr(void) { return RTNORM; }

extern "C" int ads_findfile(const char* fname, char* result) {
    return guarded([&](Session& s) {
        if (!fname || !result) return RTERROR;
        std::string found = s.find_file(fname);
        if (found.empty() || found.size() >= 512) return RTERROR;
        memcpy(result, found.c_str(), found.size() + 1);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_usrbrk(void) {
    return guarded([&](Session& s) { return s.take_break() ? 1 : 0; }, 0);
}

extern "C" int ads_wcmatch(const char* string, const char* pattern) {
    if (!string || !pattern) return RTERROR;
    try {
        return cadhost::select::wcmatch(string, pattern, cadhost::select::CaseMode::Sensitive) ? RTNORM : RTERROR;
    } catch (...) {
        return RTERROR;
    }
}
