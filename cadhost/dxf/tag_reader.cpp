// Tag splitting of ASCII DXF text.
#include "tag_reader.h"

#include <charconv>
#include <cstring>

#include "messages.h"

namespace cadhost::dxf {

namespace {

std::string_view trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return s.substr(b, e - b);
}

bool parse_code(std::string_view s, int& code) {
    s = trim(s);
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), code);
    return ec == std::errc() && p == s.data() + s.size();
}

bool blank(std::string_view s) { return trim(s).empty(); }

}  // namespace

TagReader::TagReader(std::string_view text, std::string name) : m_text(text), m_name(std::move(name)) {
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;  // UTF-8 byte order mark
}

Error TagReader::error_at(long line, std::string_view message) const {
    return Error{std::string(message), m_name, line};
}

bool TagReader::read_line(std::string_view& line) {
    if (m_pos >= m_text.size()) return false;
    const char* base = m_text.data() + m_pos;
    size_t rest = m_text.size() - m_pos;
    const void* nl = std::memchr(base, '\n', rest);
    size_t len = nl ? static_cast<size_t>(static_cast<const char*>(nl) - base) : rest;
    m_pos += nl ? len + 1 : len;
    // CR LF ends a line; further CRs before the LF are line-end noise too
    // (a value cannot hold a bare CR: writers escape control characters),
    // and dropping them all keeps a value the same from save to save.
    while (len > 0 && base[len - 1] == '\r') --len;
    line = std::string_view(base, len);
    ++m_line;
    return true;
}

Result<ReadState> TagReader::next(RawTag& out) {
    if (m_pushed) {
        m_pushed = false;
        out = m_last;
        return ReadState::Tag;
    }
    std::string_view code_line;
    if (!read_line(code_line)) return ReadState::End;
    int code = 0;
    if (!parse_code(code_line, code)) {
        // Binary files open with a signature line naming the format.
        if (m_line == 1 && code_line.find("Binary DXF") != std::string_view::npos) return error_at(1, msg::binary_dxf);
        if (blank(code_line)) {
            // Blank lines at the very end are tolerated; anywhere else they break the pairing.
            size_t save = m_pos;
            long save_line = m_line;
            std::string_view l;
            bool only_blank = true;
            while (read_line(l))
                if (!blank(l)) { only_blank = false; break; }
            if (only_blank) return ReadState::End;
            m_pos = save;
            m_line = save_line;
        }
        return error_at(m_line, msg::bad_group_code);
    }
    long code_line_no = m_line;
    std::string_view value;
    if (!read_line(value)) return error_at(code_line_no, msg::missing_value);
    m_last = RawTag{code, value, code_line_no};
    out = m_last;
    return ReadState::Tag;
}

}  // namespace cadhost::dxf
