// Stage 3: the point-to-point wire listing (WLF).
#pragma once

#include <cstdio>

namespace wcraft {

// Writes the listing; 1 when written, 0 with error 2018 when the file
// cannot be opened or written whole (the previous listing then stays).
int write_wire_listing(FILE* log);

}  // namespace wcraft
