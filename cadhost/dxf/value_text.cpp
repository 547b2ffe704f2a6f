// Number and hex text of tag values.
#include "value_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace cadhost::dxf {

namespace detail {

std::optional<double> parse_real_rest(std::string_view s) {
    double v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || p != s.data() + s.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) return std::nullopt;
    if (ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace detail

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

size_t format_real_to(double v, char* buf) {
    if (!std::isfinite(v)) v = 0;
    if (v == 0) v = 0;  // no "-0.0" in the file
    char* end = buf + kNumberText;
    // Whole numbers below 100000 (scales of 1, zero coordinates) come out
    // of the shortest form as their digits alone.
    if (std::fabs(v) < 100000 && v == std::trunc(v)) {
        char* p = std::to_chars(buf, end, static_cast<int32_t>(v)).ptr;
        *p++ = '.';
        *p++ = '0';
        return static_cast<size_t>(p - buf);
    }
    // Between 1 and 100000 the shortest form is fixed-point, and with six
    // decimals or fewer it is the nearest such decimal when that one reads
    // back equal: the digits m over 10^k, both exact, divide to v exactly
    // as reading the text rounds it. The fewest decimals that do are the
    // shortest form.
    if (double a = std::fabs(v); a >= 1 && a < 100000) {
        static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
        for (int k = 1; k <= 6; ++k) {
            double m = std::nearbyint(a * kPow10[k]);
            if (m / kPow10[k] != a) continue;
            char digits[24];
            char* d = std::to_chars(digits, digits + sizeof digits, static_cast<int64_t>(m)).ptr;
            size_t n = static_cast<size_t>(d - digits), whole = n - static_cast<size_t>(k);
            char* p = buf;
            if (v < 0) *p++ = '-';
            std::memcpy(p, digits, whole);
            p += whole;
            *p++ = '.';
            std::memcpy(p, digits + whole, static_cast<size_t>(k));
            p += k;
            return static_cast<size_t>(p - buf);
        }
    }
    char* p = std::to_chars(buf, end - 2, v).ptr;
    if (std::string_view(buf, static_cast<size_t>(p - buf)).find_first_of(".eEn") == std::string_view::npos) {
        *p++ = '.';
        *p++ = '0';
    }
    return static_cast<size_t>(p - buf);
}

std::string format_real(double v) {
    char buf[kNumberText];
    return std::string(buf, format_real_to(v, buf));
}

size_t format_int_to(int64_t v, char* buf) {
    return static_cast<size_t>(std::to_chars(buf, buf + kNumberText, v).ptr - buf);
}

std::string format_int(int64_t v) {
    char buf[kNumberText];
    return std::string(buf, format_int_to(v, buf));
}

size_t format_handle_to(uint64_t h, char* buf) {
    char* p = std::to_chars(buf, buf + kNumberText, h, 16).ptr;
    for (char* c = buf; c < p; ++c)
        if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 32);
    return static_cast<size_t>(p - buf);
}

std::string format_handle(uint64_t h) {
    char buf[kNumberText];
    return std::string(buf, format_handle_to(h, buf));
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
    // Names compared are mostly spelt alike.
    if (a == b) return true;
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
