// Splits ASCII DXF text into (group code, value) tags without copying:
// values are views into the text. Tolerates CRLF, blanks around codes and a
// missing end of file; reports the line of a malformed code line.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/result.h"

namespace cadhost::dxf {

struct RawTag {
    int code = 0;
    std::string_view value;  // the value line without its line end
    long line = 0;           // 1-based line of the group code
};

enum class ReadState { Tag, End };

class TagReader {
public:
    TagReader(std::string_view text, std::string name);
    // Reads the next tag into out; End when only blank lines remain.
    Result<ReadState> next(RawTag& out);
    // Pushes the last tag back so that the next call returns it again.
    void unread() { m_pushed = true; }
    const std::string& name() const { return m_name; }
    long line() const { return m_line; }
    Error error_at(long line, std::string_view message) const;

private:
    bool read_line(std::string_view& line);
    std::string_view m_text;
    std::string m_name;
    size_t m_pos = 0;
    long m_line = 0;
    RawTag m_last;
    bool m_pushed = false;
};

}  // namespace cadhost::dxf
