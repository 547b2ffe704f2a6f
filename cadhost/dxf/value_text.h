// Conversions between the text of a tag value and numbers, as DXF stores
// them: integers and reals in C notation, handles and binary data in hex.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost::dxf {

// The text without leading and trailing blanks, tabs and carriage returns.
inline std::string_view trim_blanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    size_t b = 0, e = s.size();
    while (b < e && blank(s[b])) ++b;
    while (e > b && blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}
namespace detail {

// A plain decimal of at most 15 digits ("-12.5", "100.0"): its digits as an
// integer over a power of ten, both exact in a double, so the one rounding of
// the division gives the correctly rounded value, as from_chars does.
// Anything else (exponents, more digits, a dot with no digit on one side)
// is left to from_chars.
inline std::optional<double> plain_decimal(std::string_view s) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = s.data();
    const char* end = p + s.size();
    bool negative = p < end && *p == '-';
    if (negative) ++p;
    auto digit = [](char c) { return static_cast<unsigned>(c - '0') < 10; };
    // The digits may run past 15 and wrap; such a text is refused below.
    uint64_t digits = 0;
    const char* start = p;
    while (p < end && digit(*p)) digits = digits * 10 + static_cast<uint64_t>(*p++ - '0');
    ptrdiff_t before = p - start, after = 0;
    if (p < end && *p == '.') {
        const char* frac = ++p;
        while (p < end && digit(*p)) digits = digits * 10 + static_cast<uint64_t>(*p++ - '0');
        after = p - frac;
        if (after == 0) return std::nullopt;
    }
    if (p != end || before == 0 || before + after > 15) return std::nullopt;
    double v = static_cast<double>(digits) / kPow10[after];
    return negative ? -v : v;
}

// Any other real, by from_chars; `s` is trimmed and has no leading '+'.
std::optional<double> parse_real_rest(std::string_view s);

}  // namespace detail

// Reals are read for every coordinate an application asks for, so the
// common form is read in place.
inline std::optional<double> parse_real(std::string_view s) {
    s = trim_blanks(s);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    if (auto fast = detail::plain_decimal(s)) return fast;
    return detail::parse_real_rest(s);
}
std::optional<int64_t> parse_int(std::string_view s);
// A handle: up to 16 hex digits, any case; nullopt for anything else.
std::optional<uint64_t> parse_handle(std::string_view s);
std::optional<std::vector<uint8_t>> parse_hex_bytes(std::string_view s);

std::string format_real(double v);  // shortest text that reads back equal
std::string format_int(int64_t v);
std::string format_handle(uint64_t h);  // upper-case hex
// The same texts written into `buf`, which holds kNumberText characters;
// each returns the length written.
constexpr size_t kNumberText = 40;
size_t format_real_to(double v, char* buf);
size_t format_int_to(int64_t v, char* buf);
size_t format_handle_to(uint64_t h, char* buf);
std::string format_hex_bytes(const std::vector<uint8_t>& bytes);

// Case-insensitive ASCII comparison (table and record names).
bool equal_nocase(std::string_view a, std::string_view b);
std::string upper_ascii(std::string_view s);

}  // namespace cadhost::dxf
