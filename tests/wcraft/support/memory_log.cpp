#include "memory_log.h"

#include <cstdlib>

namespace wcraft::test {

MemoryLog::MemoryLog() { m_file = open_memstream(&m_buf, &m_len); }

MemoryLog::~MemoryLog() {
    if (m_file) fclose(m_file);
    free(m_buf);
}

std::string MemoryLog::text() {
    fflush(m_file);
    return std::string(m_buf, m_len);
}

}  // namespace wcraft::test
