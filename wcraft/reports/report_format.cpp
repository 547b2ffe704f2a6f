// The reports' writer: conversions made straight into the buffer, which
// goes to the stream when full.
#include "reports/report_format.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstring>

namespace wcraft {

namespace {

// Whether every conversion of the format is one the writer makes itself.
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

// The longest "%f" of a double has 309 digits before the point, a sign,
// the point and six decimals.
constexpr size_t kLongestConversion = 320;

}  // namespace

void ReportWriter::flush() {
    if (m_used) fwrite(m_buf, 1, m_used, m_out);
    m_used = 0;
}

void ReportWriter::put(std::string_view text) {
    if (text.size() > sizeof m_buf) {
        flush();
        fwrite(text.data(), 1, text.size(), m_out);
        return;
    }
    memcpy(room(text.size()), text.data(), text.size());
    m_used += text.size();
}

void ReportWriter::integer(long value) {
    char* at = room(kLongestConversion);
    m_used += static_cast<size_t>(std::to_chars(at, at + kLongestConversion, value).ptr - at);
}

void ReportWriter::real(double value) {
    char* at = room(kLongestConversion);
    char* end = at + kLongestConversion;
    // Whole numbers, most of a drawing's coordinates, are exact as integers;
    // the rest is to_chars' fixed form, which is printf's conversion.
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        char* p = at;
        if (std::signbit(value)) *p++ = '-';
        p = std::to_chars(p, end, static_cast<int64_t>(std::fabs(value))).ptr;
        memcpy(p, ".000000", 7);
        end = p + 7;
    } else {
        end = std::to_chars(at, end, value, std::chars_format::fixed, 6).ptr;
    }
    m_used += static_cast<size_t>(end - at);
}

bool ReportWriter::plain(const char* format) {
    Seen& s = m_seen[(reinterpret_cast<uintptr_t>(format) >> 3) % (sizeof m_seen / sizeof m_seen[0])];
    if (s.format != format) s = Seen{format, plain_conversions(format)};
    return s.plain;
}

void ReportWriter::printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    if (!plain(format)) {
        flush();
        vfprintf(m_out, format, args);
        va_end(args);
        return;
    }
    for (const char* p = format; *p;) {
        const char* pct = strchr(p, '%');
        if (!pct) {
            put(std::string_view(p));
            break;
        }
        put(std::string_view(p, static_cast<size_t>(pct - p)));
        char c = pct[1];
        p = pct + 2;
        if (c == '%') {
            put(std::string_view("%", 1));
        } else if (c == 's') {
            put(va_arg(args, const char*));
        } else if (c == 'd') {
            integer(va_arg(args, int));
        } else if (c == 'l') {
            integer(va_arg(args, long));
            ++p;  // the "d" of "%ld"
        } else {
            real(va_arg(args, double));
        }
    }
    va_end(args);
}

}  // namespace wcraft
