// Formatted output for the large reports (the analysis file and the audit):
// the same text printf writes, made with std::to_chars into a buffer of the
// writer's own, which is several times faster for the millions of short
// records, reals and integers of a large project.
#pragma once

#include <cstdio>
#include <string_view>

namespace wcraft {

// Collects a report's text and hands it to the stream in large blocks. The
// stream sees everything once the writer is flushed or destroyed, so a
// caller that also writes to the stream directly, or checks it for errors,
// flushes first.
class ReportWriter {
public:
    explicit ReportWriter(FILE* out) : m_out(out) {}
    ~ReportWriter() { flush(); }
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    void put(std::string_view text);
    void put(const char* text) { put(std::string_view(text ? text : "(null)")); }
    // printf's "%ld" and "%f" (fixed, six decimals) of a value.
    void integer(long value);
    void real(double value);
    // fprintf(out, format, ...) for formats whose conversions are plain %d,
    // %ld, %s, %f and %% (no flags, widths or precisions); any other format
    // is handed to vfprintf after what is buffered. Byte for byte printf's.
    void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void flush();

private:
    bool plain(const char* format);
    // n free bytes at the buffer's end, flushing first when needed; asked
    // for every field written, so the common case is decided here.
    char* room(size_t n) {
        if (n > sizeof m_buf - m_used) flush();
        return m_buf + m_used;
    }

    FILE* m_out;
    // Formats already checked, by address (the reports' formats are
    // constants): whether every conversion is a plain one.
    struct Seen {
        const char* format = nullptr;
        bool plain = false;
    };
    Seen m_seen[16];
    size_t m_used = 0;
    char m_buf[1 << 16];
};

}  // namespace wcraft
