// Plain references for component and terminal numbering and for relay
// correlation that do every step as written: each definition walks the
// whole record list, each coil walks every later coil and every contact.
#pragma once

#include <cstdio>

namespace wcraft::test {

void literal_number_components(FILE* log);
void literal_number_terminals(FILE* log);
void literal_correlate_relays(FILE* log);

}  // namespace wcraft::test
