// Appends tags to DXF text: group codes right-aligned in three columns, one
// value per line, LF line ends.
#pragma once

#include <string>
#include <string_view>

namespace cadhost::dxf {

class TagWriter {
public:
    explicit TagWriter(std::string& out) : m_out(out) {}
    void tag(int code, std::string_view value);
    std::string& text() { return m_out; }

private:
    std::string& m_out;
};

}  // namespace cadhost::dxf
