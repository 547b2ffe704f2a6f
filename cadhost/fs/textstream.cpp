// A read-only stdio stream translating CR LF to LF, with seeking by
// delivered characters.
#include "fs/textstream.h"

#include <cerrno>
#include <cstdint>
#include <sys/types.h>

namespace cadhost::fs {

namespace {

struct TextIn {
    FILE* raw;
    int pending = EOF;  // a character read ahead after a lone CR
    off64_t pos = 0;    // characters delivered so far
};

int next_char(TextIn& t) {
    int c = t.pending != EOF ? t.pending : std::fgetc(t.raw);
    t.pending = EOF;
    if (c == '\r') {
        int d = std::fgetc(t.raw);
        if (d == '\n') c = '\n';
        else if (d != EOF) t.pending = d;
    }
    if (c != EOF) ++t.pos;
    return c;
}

ssize_t text_read(void* cookie, char* buf, size_t size) {
    auto* t = static_cast<TextIn*>(cookie);
    size_t n = 0;
    while (n < size) {
        int c = next_char(*t);
        if (c == EOF) break;
        buf[n++] = static_cast<char>(c);
    }
    if (n == 0 && std::ferror(t->raw)) return -1;
    return static_cast<ssize_t>(n);
}

// Skips forward to `target` characters from the start (or to the end).
void advance(TextIn& t, off64_t target) {
    while (t.pos < target && next_char(t) != EOF) {
    }
}

int text_seek(void* cookie, off64_t* offset, int whence) {
    auto* t = static_cast<TextIn*>(cookie);
    off64_t target;
    if (whence == SEEK_SET) target = *offset;
    else if (whence == SEEK_CUR) target = t->pos + *offset;
    else if (whence == SEEK_END) {
        advance(*t, INT64_MAX);
        target = t->pos + *offset;
    } else {
        errno = EINVAL;
        return -1;
    }
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    if (target < t->pos) {
        if (std::fseek(t->raw, 0, SEEK_SET) != 0) return -1;
        t->pending = EOF;
        t->pos = 0;
    }
    advance(*t, target);
    *offset = t->pos;
    return 0;
}

int text_close(void* cookie) {
    auto* t = static_cast<TextIn*>(cookie);
    int r = std::fclose(t->raw);
    delete t;
    return r;
}

}  // namespace

FILE* open_text_reader(FILE* raw) {
    if (!raw) return nullptr;
    auto* t = new TextIn{raw};
    cookie_io_functions_t io{text_read, nullptr, text_seek, text_close};
    FILE* f = fopencookie(t, "r", io);
    if (!f) delete t;
    return f;
}

}  // namespace cadhost::fs
