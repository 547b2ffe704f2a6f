// The reports' formatter: a buffer filled conversion by conversion and
// written once per call.
#include "reports/report_format.h"

#include <charconv>
#include <cstdarg>
#include <cstring>

namespace wcraft {

namespace {

// Whether every conversion of the format is one the fast path makes.
bool plain_conversions(const char* format) {
    for (const char* p = format; (p = strchr(p, '%')) != nullptr; p += 2) {
        char c = p[1];
        if (c == 'l' && p[2] == 'd') {
            ++p;
            continue;
        }
        if (c != 'd' && c != 's' && c != 'f' && c != '%') return false;
    }
    return true;
}

// Collects the text of one call, writing it out when full.
class LineBuffer {
public:
    explicit LineBuffer(FILE* out) : m_out(out) {}
    ~LineBuffer() { flush(); }
    void put(const char* text, size_t n) {
        if (n > sizeof m_buf - m_used) flush();
        if (n > sizeof m_buf) {
            fwrite(text, 1, n, m_out);
            return;
        }
        memcpy(m_buf + m_used, text, n);
        m_used += n;
    }
    template <typename Make>
    void convert(Make make) {
        char digits[400];  // the longest "%f" of a double has 309 digits before the point
        char* end = make(digits, digits + sizeof digits);
        put(digits, static_cast<size_t>(end - digits));
    }

private:
    void flush() {
        if (m_used) fwrite(m_buf, 1, m_used, m_out);
        m_used = 0;
    }
    FILE* m_out;
    char m_buf[1024];
    size_t m_used = 0;
};

}  // namespace

void report_printf(FILE* out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    if (!plain_conversions(format)) {
        vfprintf(out, format, args);
        va_end(args);
        return;
    }
    LineBuffer line(out);
    for (const char* p = format; *p;) {
        const char* pct = strchr(p, '%');
        if (!pct) {
            line.put(p, strlen(p));
            break;
        }
        line.put(p, static_cast<size_t>(pct - p));
        char c = pct[1];
        p = pct + 2;
        if (c == '%') {
            line.put("%", 1);
        } else if (c == 's') {
            const char* s = va_arg(args, const char*);
            if (!s) s = "(null)";  // as glibc prints it
            line.put(s, strlen(s));
        } else if (c == 'd') {
            int v = va_arg(args, int);
            line.convert([v](char* b, char* e) { return std::to_chars(b, e, v).ptr; });
        } else if (c == 'l') {
            long v = va_arg(args, long);
            line.convert([v](char* b, char* e) { return std::to_chars(b, e, v).ptr; });
            ++p;  // the "d" of "%ld"
        } else {
            double v = va_arg(args, double);
            line.convert([v](char* b, char* e) { return std::to_chars(b, e, v, std::chars_format::fixed, 6).ptr; });
        }
    }
    va_end(args);
}

}  // namespace wcraft
