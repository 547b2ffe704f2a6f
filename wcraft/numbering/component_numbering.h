// Stage 3: references for components and terminals from their type's
// numbering definition.
#pragma once

#include <cstdio>

namespace wcraft {

// Gives every component whose TAG names a component definition its
// reference; writes its progress to `log`. Returns 1.
int number_components(FILE* log);
// The same for terminals and the terminal definitions. Returns 1.
int number_terminals(FILE* log);

}  // namespace wcraft
