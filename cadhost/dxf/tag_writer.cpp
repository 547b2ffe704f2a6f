// Tag output.
#include "tag_writer.h"

#include <charconv>

namespace cadhost::dxf {

void TagWriter::tag(int code, std::string_view value) {
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, code);
    size_t n = static_cast<size_t>(res.ptr - buf);
    if (n < 3) m_out.append(3 - n, ' ');
    m_out.append(buf, n);
    m_out.push_back('\n');
    m_out.append(value);
    m_out.push_back('\n');
}

}  // namespace cadhost::dxf
