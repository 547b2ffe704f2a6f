// Conversions between the text of a tag value and numbers, as DXF stores
// them: integers and reals in C notation, handles and binary data in hex.
#pragma once

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
std::optional<double> parse_real(std::string_view s);
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
