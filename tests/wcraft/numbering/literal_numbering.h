// A plain reference for wire numbering that does every step the slow,
// obvious way: every search walks a list from its head, every build repeats
// whole passes, every check rescans the whole list.
#pragma once

#include <cstdio>

namespace wcraft::test {

void literal_number_wires(FILE* log);

}  // namespace wcraft::test
