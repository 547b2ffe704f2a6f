// Paths of library files, built from the installation settings.
#pragma once

#include <string>

namespace symvault {

// The extension of the host's drawing files, where symbol drawings go.
inline constexpr const char* kDrawingExt = "DXF";

// The folder of library files: drive\product\LIBRARY\, or the network
// library directory for location 1 when that option is set.
std::string library_folder(int location);
// The library's file path: the network library directory when that option
// is set and location is 1, else drive\product\LIBRARY\; then the name and,
// when ext is not empty, "." and ext.
std::string library_path(const std::string& name, int location, const std::string& ext);
// The library's own directory (its symbol files), ending with "\".
std::string library_dir(const std::string& name, int location);

}  // namespace symvault
