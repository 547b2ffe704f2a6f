// A run-time event log held in memory, for tests that give the module's
// writers a stream and read back what they wrote.
#pragma once

#include <cstdio>
#include <string>

namespace wcraft::test {

class MemoryLog {
public:
    MemoryLog();
    ~MemoryLog();
    MemoryLog(const MemoryLog&) = delete;
    MemoryLog& operator=(const MemoryLog&) = delete;
    FILE* file() { return m_file; }
    std::string text();

private:
    FILE* m_file = nullptr;
    char* m_buf = nullptr;
    size_t m_len = 0;
};

}  // namespace wcraft::test
