// Library files on disk: where they are, reading one into the library
// list, and writing one back with its backup.
#pragma once

#include <cstdio>
#include <string>

#include "library/paths.h"
#include "library/records.h"

namespace symvault {

// The longest line a library file may hold, line feed included: far beyond
// any line written here (the longest field is 256 characters), and small
// enough that a file without line feeds cannot take all memory.
inline constexpr size_t kMaxLineChars = 65536;

// One line of a text file with its line feed (none on a last line without
// one) into `line`. TOO_LONG when the line goes on beyond kMaxLineChars:
// then `line` holds its first kMaxLineChars characters.
enum class LineRead { LINE, END, TOO_LONG };
LineRead read_library_line(FILE* f, std::string& line);

enum Warn { NO_WARNING = 0, WARN_IF_MISSING = 1 };
// Reads NAME.SVF into a new record at the end of the library list. 1 on
// success; 0 after an alert (missing file when asked, invalid file,
// unsupported version) or a reported error, with the list as it was. A
// line beyond kMaxLineChars is reported as error 5031 after a line that
// names the bound.
int read_library(const std::string& name, int location, Warn warn);

// Writes the record to its file: the previous file goes to NAME.BAK, the
// new one is written beside it and put in place only when every line was
// written. 1 on success, else 0 with the error reported.
int write_library(const LibraryRecord& lib);

// Unlinks a library from the list and frees it.
void drop_library(const LibraryRecord* lib);

}  // namespace symvault
