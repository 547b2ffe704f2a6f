// Scratch folders of a test program: each test's own folder under one
// folder per process, which goes too once the last test folder in it has.
#pragma once

#include <filesystem>
#include <system_error>

namespace test_tools {

// Removes a test's folder, and the process's folder holding it once empty.
inline void remove_scratch(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::remove(dir.parent_path(), ec);  // refused while other tests' folders remain
}

}  // namespace test_tools
