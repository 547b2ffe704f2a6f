// The rows the library dialogs show, one per library.
#pragma once

#include <string>
#include <vector>

namespace symvault {

// A library file found on disk.
struct AvailableLibrary {
    std::string name;         // file name up to its first ".", 64 characters
    std::string description;  // line 2, 64 characters
    int show = 0;             // line 3 begins with "***SHOW_LIBRARY"
    int location = 0;         // 0 local, 1 network
};

// "*" for a network library, the name (lower case when hidden), a tab and
// the description.
std::string library_row(const std::string& name, const std::string& description, int show, int location);

// The entry for a file found by the scan, from its name and first three
// lines; false when it is not a library file.
bool available_entry(const std::string& file_name, const std::vector<std::string>& first_lines, int location,
                     AvailableLibrary& out);

}  // namespace symvault
