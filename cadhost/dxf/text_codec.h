// Text of string tags as the file stores it <-> UTF-8: the drawing's code
// page ($DWGCODEPAGE) before AC1021, UTF-8 from AC1021 on, \U+XXXX escapes
// for characters the code page lacks, caret escapes for control characters.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace cadhost::dxf {

class TextCodec {
public:
    enum class Kind {
        Utf8,    // AC1021 and later
        Cp1252,  // built in: the usual code page and the default for old files
        Iconv,   // other code pages, converted by the C library
        Raw,     // unknown code page: bytes kept as they are
    };
    TextCodec() = default;
    // The encoding of a file from its $ACADVER and $DWGCODEPAGE values.
    static TextCodec for_file(std::string_view acadver, std::string_view codepage);
    static TextCodec utf8() { return TextCodec(Kind::Utf8, ""); }

    std::string decode(std::string_view file_text) const;
    std::string encode(std::string_view utf8_text) const;
    // True when every character of the text has a byte form in this encoding
    // (no \U+ escape needed).
    bool can_encode(std::string_view utf8_text) const;
    // True when decode/encode are the identity on this text (the common case).
    static bool plain(std::string_view s);
    Kind kind() const { return m_kind; }
    bool operator==(const TextCodec& o) const { return m_kind == o.m_kind && m_charset == o.m_charset; }

private:
    TextCodec(Kind k, std::string charset) : m_kind(k), m_charset(std::move(charset)) {}
    std::string to_utf8(std::string_view bytes) const;
    std::string from_utf8(std::string_view text) const;
    Kind m_kind = Kind::Cp1252;
    std::string m_charset;  // iconv name for Kind::Iconv
};

namespace detail {

// Bytes that need decoding: controls, the caret and backslash escapes, and
// everything outside ASCII.
inline constexpr std::array<bool, 256> kSpecialBytes = [] {
    std::array<bool, 256> t{};
    for (int b = 0; b < 256; ++b) t[static_cast<size_t>(b)] = b >= 0x80 || b < 0x20 || b == '^' || b == '\\';
    return t;
}();

}  // namespace detail

// Asked for nearly every text read, so made in place.
inline bool TextCodec::plain(std::string_view s) {
    // Long texts eight bytes at a time: a byte with its top bit set, one below
    // 0x20, a caret or a backslash makes the word special.
    constexpr uint64_t ones = 0x0101010101010101u, tops = 0x8080808080808080u;
    auto has_zero = [](uint64_t x) { return (x - ones) & ~x & tops; };
    size_t i = 0;
    if (s.size() >= 8)
        for (; i + 8 <= s.size(); i += 8) {
            uint64_t w;
            std::memcpy(&w, s.data() + i, 8);
            if ((w & tops) || ((w - ones * 0x20) & ~w & tops) || has_zero(w ^ (ones * '^')) ||
                has_zero(w ^ (ones * '\\')))
                return false;
        }
    for (; i < s.size(); ++i)
        if (detail::kSpecialBytes[static_cast<uint8_t>(s[i])]) return false;
    return true;
}

}  // namespace cadhost::dxf
