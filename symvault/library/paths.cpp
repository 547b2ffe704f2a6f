// Where library files and a library's own files are.
#include "library/paths.h"

#include "host/module_state.h"

namespace symvault {

std::string library_folder(int location) {
    const Settings& s = settings();
    return s.net_option && location == 1 ? s.net_dir : s.drive + "\\" + s.product_dir + "\\LIBRARY\\";
}

std::string library_path(const std::string& name, int location, const std::string& ext) {
    std::string p = library_folder(location) + name;
    if (!ext.empty()) p += "." + ext;
    return p;
}

std::string library_dir(const std::string& name, int location) { return library_path(name, location, "") + "\\"; }

}  // namespace symvault
