// Code page conversion and the escapes DXF uses inside string values.
#include "text_codec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "value_text.h"

namespace cadhost::dxf {

namespace {

// Code points of cp1252 bytes 0x80-0x9F; bytes the code page leaves
// undefined map to the same code point so that nothing is lost.
constexpr std::array<uint16_t, 32> cp1252_high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct CodepageName {
    const char* dxf;
    const char* charset;
};
constexpr CodepageName codepages[] = {
    {"ANSI_1250", "CP1250"}, {"ANSI_1251", "CP1251"}, {"ANSI_1253", "CP1253"}, {"ANSI_1254", "CP1254"},
    {"ANSI_1255", "CP1255"}, {"ANSI_1256", "CP1256"}, {"ANSI_1257", "CP1257"}, {"ANSI_1258", "CP1258"},
    {"ANSI_874", "CP874"},   {"ANSI_932", "CP932"},   {"ANSI_936", "GBK"},     {"ANSI_949", "CP949"},
    {"ANSI_950", "BIG5"},    {"DOS437", "IBM437"},    {"DOS850", "IBM850"},    {"DOS852", "IBM852"},
    {"DOS855", "IBM855"},    {"DOS857", "IBM857"},    {"DOS860", "IBM860"},    {"DOS861", "IBM861"},
    {"DOS863", "IBM863"},    {"DOS864", "IBM864"},    {"DOS865", "IBM865"},    {"DOS866", "IBM866"},
    {"DOS869", "IBM869"},    {"ISO8859-2", "ISO-8859-2"}, {"ISO8859-5", "ISO-8859-5"},
    {"ISO8859-7", "ISO-8859-7"}, {"ISO8859-9", "ISO-8859-9"}, {"BIG5", "BIG5"}, {"GB2312", "GBK"},
};

void append_utf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Next code point of UTF-8 text at i; invalid bytes come back as themselves
// (read as Latin-1) so that mislabelled text still decodes to something.
uint32_t next_code_point(std::string_view s, size_t& i, bool& valid) {
    auto b = static_cast<uint8_t>(s[i]);
    valid = true;
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        valid = false;
        return b;
    }
    uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < len; ++k) {
        auto c = static_cast<uint8_t>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            valid = false;
            return b;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += len;
    return cp;
}

std::string iconv_convert(const std::string& to, const std::string& from, std::string_view in, bool& ok) {
    ok = false;
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(in.size() * 4 + 8, '\0');
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || src_left != 0) return {};
    out.resize(out.size() - dst_left);
    ok = true;
    return out;
}

bool hex4(std::string_view s, size_t i, uint32_t& cp) {
    if (i + 4 > s.size()) return false;
    cp = 0;
    for (size_t k = i; k < i + 4; ++k) {
        char c = s[k];
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (d < 0) return false;
        cp = cp * 16 + static_cast<uint32_t>(d);
    }
    return true;
}

// Resolves caret and \U+XXXX escapes in UTF-8 text.
std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        uint32_t cp = 0;
        if (c == '^' && i + 1 < s.size()) {
            char n = s[i + 1];
            if (n == ' ') { out.push_back('^'); ++i; continue; }
            if (n >= '@' && n <= '_') { out.push_back(static_cast<char>(n - '@')); ++i; continue; }
        } else if (c == '\\' && i + 2 < s.size() && s[i + 1] == 'U' && s[i + 2] == '+' && hex4(s, i + 3, cp) && cp != 0) {
            append_utf8(out, cp);
            i += 6;
            continue;
        }
        out.push_back(c);
    }
    return out;
}

void append_escape_u(std::string& out, uint32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "\\U+%04X", static_cast<unsigned>(cp & 0xFFFF));
    out += buf;
}

}  // namespace

TextCodec TextCodec::for_file(std::string_view acadver, std::string_view codepage) {
    acadver = trim_blanks(acadver);
    if (acadver.size() == 6 && acadver.substr(0, 2) == "AC" && acadver >= "AC1021") return utf8();
    std::string cpname = upper_ascii(trim_blanks(codepage));
    if (cpname.empty() || cpname == "ANSI_1252" || cpname == "ISO8859-1" || cpname == "DOS1252")
        return TextCodec(Kind::Cp1252, "");
    if (cpname == "UTF-8" || cpname == "UTF8") return utf8();
    for (const auto& c : codepages)
        if (cpname == c.dxf) {
            iconv_t cd = iconv_open("UTF-8", c.charset);
            if (cd == reinterpret_cast<iconv_t>(-1)) break;
            iconv_close(cd);
            return TextCodec(Kind::Iconv, c.charset);
        }
    return TextCodec(Kind::Raw, "");
}


std::string TextCodec::to_utf8(std::string_view bytes) const {
    std::string out;
    switch (m_kind) {
    case Kind::Raw:
        return std::string(bytes);
    case Kind::Iconv: {
        bool ok = false;
        out = iconv_convert("UTF-8", m_charset, bytes, ok);
        if (ok) return out;
        out.clear();
        [[fallthrough]];  // undecodable bytes: read them as cp1252
    }
    case Kind::Cp1252:
        for (char c : bytes) {
            auto b = static_cast<uint8_t>(c);
            append_utf8(out, b >= 0x80 && b < 0xA0 ? cp1252_high[b - 0x80] : b);
        }
        return out;
    case Kind::Utf8:
        for (size_t i = 0; i < bytes.size();) {
            bool valid = true;
            append_utf8(out, next_code_point(bytes, i, valid));
        }
        return out;
    }
    return out;
}

std::string TextCodec::decode(std::string_view file_text) const {
    if (plain(file_text)) return std::string(file_text);
    return unescape(to_utf8(file_text));
}

std::string TextCodec::from_utf8(std::string_view text) const {
    if (m_kind == Kind::Utf8 || m_kind == Kind::Raw) return std::string(text);
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t start = i;
        bool valid = true;
        uint32_t cp = next_code_point(text, i, valid);
        if (cp < 0x80) { out.push_back(static_cast<char>(cp)); continue; }
        if (m_kind == Kind::Cp1252) {
            if (cp >= 0xA0 && cp <= 0xFF) { out.push_back(static_cast<char>(cp)); continue; }
            bool found = false;
            for (size_t k = 0; k < cp1252_high.size() && !found; ++k)
                if (cp1252_high[k] == cp) { out.push_back(static_cast<char>(0x80 + k)); found = true; }
            if (!found) append_escape_u(out, cp);
            continue;
        }
        bool ok = false;
        std::string enc = iconv_convert(m_charset, "UTF-8", text.substr(start, i - start), ok);
        if (ok) out += enc; else append_escape_u(out, cp);
    }
    return out;
}

bool TextCodec::can_encode(std::string_view utf8_text) const {
    if (m_kind == Kind::Utf8 || m_kind == Kind::Raw || plain(utf8_text)) return true;
    auto escapes = [](std::string_view s) {
        size_t n = 0;
        for (size_t p = s.find("\\U+"); p != std::string_view::npos; p = s.find("\\U+", p + 1)) ++n;
        return n;
    };
    return escapes(from_utf8(utf8_text)) == escapes(utf8_text);
}

std::string TextCodec::encode(std::string_view utf8_text) const {
    if (plain(utf8_text)) return std::string(utf8_text);
    std::string escaped;
    escaped.reserve(utf8_text.size() + 8);
    for (char c : utf8_text) {
        auto b = static_cast<uint8_t>(c);
        if (c == '^') escaped += "^ ";
        else if (b < 0x20) { escaped.push_back('^'); escaped.push_back(static_cast<char>(b + '@')); }
        else escaped.push_back(c);
    }
    return from_utf8(escaped);
}

}  // namespace cadhost::dxf
