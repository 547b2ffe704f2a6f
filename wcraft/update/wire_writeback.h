// Stage 4: wire number texts and node blocks written into the open drawing.
#pragma once

#include <cstdio>

namespace wcraft {

// Erases the previous run's texts and node blocks on the wire layers and
// writes this run's. Returns 1.
int write_wire_numbers(FILE* log);

}  // namespace wcraft
