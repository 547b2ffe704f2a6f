// Text helpers and name checks.
#include "host/text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace symvault {

std::string bounded(const std::string& s, size_t n) { return s.size() > n ? s.substr(0, n) : s; }

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim_trailing_blanks(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.pop_back();
    return s;
}

std::string line_text(std::string s) {
    size_t lf = s.find('\n');
    if (lf != std::string::npos) s.resize(lf);
    return trim_trailing_blanks(std::move(s));
}

std::string number_text(double v) {
    // Large values run to hundreds of digits; none is cut short.
    char buf[64];
    int n = snprintf(buf, sizeof buf, "%.3f", v);
    if (n < static_cast<int>(sizeof buf)) return buf;
    std::string text(static_cast<size_t>(n) + 1, '\0');
    snprintf(text.data(), text.size(), "%.3f", v);
    text.resize(static_cast<size_t>(n));
    return text;
}

double kept_number(double v) { return std::strtod(number_text(v).c_str(), nullptr); }

bool same_name(const std::string& a, const std::string& b) { return upper(a) == upper(b); }

NameCheck check_name(std::string& name, int max_length) {
    static const char* kAllowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ_1234567890-$";
    name = upper(name);
    if (name.empty()) return NAME_EMPTY;
    if (name.size() > static_cast<size_t>(max_length)) return NAME_TOO_LONG;
    for (char c : name)
        if (!std::strchr(kAllowed, c) || c == '\0') return NAME_BAD_CHAR;
    return NAME_OK;
}

int check_layer_name(const std::string& name) {
    static const char* kAllowed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890abcdefghijklmnopqrstuvwxyz_-$";
    if (name.empty()) return 0;
    for (char c : name)
        if (c == '\0' || !std::strchr(kAllowed, c)) return 0;
    return 1;
}

int check_number(const std::string& text) {
    if (text.empty()) return 0;
    int dots = 0;
    for (char c : text) {
        if (c == '.') {
            if (++dots > 1) return 0;
        } else if (!std::isdigit(static_cast<unsigned char>(c))) {
            return 0;
        }
    }
    return 1;
}

}  // namespace symvault
