// Writing a file over an older one without risking it: the new text goes to
// a file beside the old one, which takes the old one's place only once every
// byte of it was written and the file was closed.
#pragma once

#include <cstdio>
#include <string>

namespace wcraft {

// The name the new text of `path` is written under until it is complete:
// the same folder and name with the extension "$" and the first two letters
// of the old one ("ELEC1.WLF" -> "ELEC1.$WL"), or ".$$$" for a name
// without extension. The run files of a project differ in their first two
// letters, so the ones open at once never share it.
std::string beside_name(const std::string& path);
// Opens the file beside `path` for writing ("w" or "wb"), emptied; null
// when it cannot.
FILE* open_beside(const std::string& path, const char* mode = "w");
// Closes a file opened by open_beside; true when every write to it and the
// close succeeded.
bool close_beside(FILE* f);
// Puts the closed file beside `path` in its place. On failure the file
// beside is removed and `path` is as it was before.
bool place_beside(const std::string& path);
// Removes the file beside `path` (a write that is given up).
void drop_beside(const std::string& path);
// close_beside, then place_beside when the text is whole, else
// drop_beside: true when `path` now holds the new text, false when it holds
// the old one (or still does not exist).
bool put_in_place(FILE* f, const std::string& path);

// Puts the closed file `from` in place of `to`; the previous `to`, if any,
// is there on failure.
bool replace_with(const std::string& from, const std::string& to);

}  // namespace wcraft
