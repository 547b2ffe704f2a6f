// A plain reference for wire numbering that follows the written steps one by
// one: every search walks a list from its head, every build repeats whole
// passes, every check rescans the whole list. Slow, and meant to be obvious.
#pragma once

#include <cstdio>

namespace wcraft::test {

void literal_number_wires(FILE* log);

}  // namespace wcraft::test
