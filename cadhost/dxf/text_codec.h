// Text of string tags as the file stores it <-> UTF-8: the drawing's code
// page ($DWGCODEPAGE) before AC1021, UTF-8 from AC1021 on, \U+XXXX escapes
// for characters the code page lacks, caret escapes for control characters.
#pragma once

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

}  // namespace cadhost::dxf
