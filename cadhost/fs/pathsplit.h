// Windows path splitting and joining, and file-name wildcards, on strings
// only (no file system access).
#pragma once

#include <string>
#include <vector>

namespace cadhost::fs {

struct SplitPath {
    std::string drive, dir, fname, ext;  // "C:", "\DIR\", "FILE", ".EXT"
};

// Splits a path as the Windows runtime does: the drive when the second
// character is ':', the folder up to and including the last separator, the
// extension from the last dot of the file name (with the dot).
SplitPath split_path(const std::string& path);
// Joins the parts: "X:" from the drive's letter, the folder with a
// separator added when missing, the extension with a dot added when missing.
std::string make_path(const std::string& drive, const std::string& dir, const std::string& fname,
                      const std::string& ext);

// Windows file-name wildcard match ("*" any run, "?" one character) without
// regard to ASCII case; a pattern ending in ".*" also matches names without
// a dot, and one ending in "." matches only names without a dot.
bool name_matches(const std::string& name, const std::string& pattern);

// The components of a path separated by "\" or "/" (empty ones dropped).
std::vector<std::string> path_components(const std::string& path);

// ASCII upper case, the case folding file names get.
std::string upper_ascii(std::string s);

// Whether the path starts with a drive letter and a colon.
bool has_drive(const std::string& path);

}  // namespace cadhost::fs
