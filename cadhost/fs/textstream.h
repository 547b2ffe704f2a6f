// Text-mode reading as the Windows runtime does it: a stream over a file
// that delivers CR LF line ends as LF.
#pragma once

#include <cstdio>

namespace cadhost::fs {

// Wraps a file opened for reading; the returned stream owns it and closes
// it. Positions (ftell/fseek) count delivered characters. nullptr on failure
// (the file is then still the caller's).
FILE* open_text_reader(FILE* raw);

}  // namespace cadhost::fs
