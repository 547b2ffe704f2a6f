// The wire listing written by following its steps word for word: every
// search a walk of the whole lists from their heads. The reference the fast
// listing is compared with.
#pragma once

#include <cstdio>
#include <vector>

namespace wcraft::test {

int literal_wire_listing(FILE* log);

}  // namespace wcraft::test
