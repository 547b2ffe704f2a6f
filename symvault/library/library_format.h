// The library file's text layout: reading lines into a library record and
// writing a record as lines. No file is touched here; the caller feeds the
// lines and writes them out.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/records.h"

namespace symvault {

// The next line of the file, without its line end; nullopt at end of file.
using LineSource = std::function<std::optional<std::string>()>;

// Error codes of reading.
enum LibraryError {
    ERR_NO_GROUP = 5002,
    ERR_NO_SCALE_MARKER = 5023,
    ERR_EOF_SYMBOLS = 5024,
    ERR_NO_OPTION = 5027,
    ERR_EOF_SCALES = 5028,
    ERR_NO_END_MARKER = 5029,
    ERR_OPEN_WRITE = 5030,
    ERR_BACKUP = 5031,
    ERR_LINE_TOO_LONG = 5031,  // the file cannot be read: a line beyond the bound
    ERR_WRITE = 5033,
};

struct FirstLine {
    enum Kind { INVALID, UNSUPPORTED, OK } kind = INVALID;
    int version = 0;
    std::string version_text;  // the text after "=", for the version alert
};

// Line 1: "***SYMVAULT" (exact case) and the version after "="; versions
// above 2 are not understood.
FirstLine check_first_line(const std::optional<std::string>& line);

// A line as the reader sees it: up to its first line feed, without the
// trailing run of blanks.
std::string clean_line(const std::string& raw);

// Reads lines 2 onwards into `lib` (defaults already set). Returns 0, or the
// code of the first error found. `description_read` tells whether line 2
// was there, so that the caller can show it.
int parse_library(const LineSource& next, LibraryRecord& lib, bool* description_read = nullptr);

// The whole file as lines, without line ends, in the writer's order.
std::vector<std::string> library_lines(const LibraryRecord& lib);

// The password as it is stored: each character's code plus its position
// (from 1), modulo 256; and back.
std::string encode_access(const std::string& plain);
std::string decode_access(const std::string& stored);

}  // namespace symvault
