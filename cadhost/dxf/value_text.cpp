// Number and hex text of tag values.
#include "value_text.h"

#include <charconv>
#include <cmath>

namespace cadhost::dxf {

std::string_view trim_blanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

std::optional<double> parse_real(std::string_view s) {
    s = trim_blanks(s);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || p != s.data() + s.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) return std::nullopt;
    if (ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int64_t> parse_int(std::string_view s) {
    s = trim_blanks(s);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    int64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<uint64_t> parse_handle(std::string_view s) {
    s = trim_blanks(s);
    if (s.empty() || s.size() > 16) return std::nullopt;
    uint64_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<std::vector<uint8_t>> parse_hex_bytes(std::string_view s) {
    s = trim_blanks(s);
    if (s.size() % 2) return std::nullopt;
    std::vector<uint8_t> out(s.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        auto [p, ec] = std::from_chars(s.data() + 2 * i, s.data() + 2 * i + 2, out[i], 16);
        if (ec != std::errc() || p != s.data() + 2 * i + 2) return std::nullopt;
    }
    return out;
}

std::string format_real(double v) {
    if (!std::isfinite(v)) v = 0;
    if (v == 0) v = 0;  // no "-0.0" in the file
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, res.ptr);
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

std::string format_int(int64_t v) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string format_handle(uint64_t h) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, h, 16);
    std::string s(buf, res.ptr);
    for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 32 : c);
    return s;
}

std::string format_hex_bytes(const std::vector<uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 15]);
    }
    return s;
}

bool equal_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string upper_ascii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

}  // namespace cadhost::dxf
