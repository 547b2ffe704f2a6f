// Stage 4: wire number texts and node blocks written into the open drawing.
#pragma once

#include <cstdio>
#include <string>

namespace wcraft {

// Erases the previous run's texts and node blocks on the wire layers and
// writes this run's. A wire type whose layer the host will not prepare
// (erase or make current) gets nothing written, so that no text is doubled
// or put on another layer; the error code says which command was refused.
// Returns 1, or 0 when a command was refused.
int write_wire_numbers(FILE* log);

// The text shown for a wire number under a prefix/postfix rule: NONE the
// number; PREFIX/POSTFIX the text before/after it, or the text alone for 0.
std::string wire_number_text(int number, int pp_mode, const char* pp_val);
// Width factor of the current text style; 1.0 when unknown or 0.
double text_width_factor();

}  // namespace wcraft
