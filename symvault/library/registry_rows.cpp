// Library list rows and the scan's reading of a file's first lines.
#include "library/registry_rows.h"

#include "host/text.h"

namespace symvault {

std::string library_row(const std::string& name, const std::string& description, int show, int location) {
    return std::string(location == 1 ? "*" : "") + (show ? name : lower(name)) + "\t" + description;
}

bool available_entry(const std::string& file_name, const std::vector<std::string>& first_lines, int location,
                     AvailableLibrary& out) {
    if (first_lines.size() < 3) return false;
    if (!same_name(first_lines[0].substr(0, 11), "***SYMVAULT")) return false;
    out.name = bounded(file_name.substr(0, file_name.find('.')), 64);
    out.description = bounded(first_lines[1], 64);
    out.show = same_name(first_lines[2].substr(0, 15), "***SHOW_LIBRARY") ? 1 : 0;
    out.location = location;
    return true;
}

}  // namespace symvault
