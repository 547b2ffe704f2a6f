// Name validation by fixed character sets.
#include "host/validators.h"

#include <cctype>

namespace wcraft {

namespace {

bool is_alnum(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
bool is_upper_alnum(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

template <typename Pred>
int all_of(const char* s, bool empty_ok, Pred ok) {
    if (!s) return 0;
    if (!*s) return empty_ok ? 1 : 0;
    for (; *s; ++s)
        if (!ok(*s)) return 0;
    return 1;
}

}  // namespace

void str_upper(char* s) {
    if (!s) return;
    for (; *s; ++s) *s = static_cast<char>(toupper(static_cast<unsigned char>(*s)));
}

int is_valid_text(const char* s) {
    return all_of(s, false, [](char c) { return is_alnum(c) || c == '_' || c == ' '; });
}

int is_valid_ident(const char* s) {
    return all_of(s, false, [](char c) { return is_alnum(c) || c == '_'; });
}

int is_valid_real(const char* s) {
    int dots = 0;
    return all_of(s, false, [&dots](char c) { return (c >= '0' && c <= '9') || (c == '.' && ++dots == 1); });
}

int is_valid_int(const char* s) {
    return all_of(s, false, [](char c) { return c >= '0' && c <= '9'; });
}

int is_valid_file(char* s) {
    str_upper(s);
    return all_of(s, false, [](char c) { return is_upper_alnum(c) || c == '_'; });
}

int is_valid_dir(char* s) {
    str_upper(s);
    return all_of(s, true, [](char c) { return is_upper_alnum(c) || c == '_' || c == ':' || c == '\\'; });
}

}  // namespace wcraft
