// Stage 3: relay contacts numbered after their coils, and coils and
// contacts correlated by reference.
#pragma once

#include <cstdio>

namespace wcraft {

// Auto-numbers contacts (when the project asks), records in each coil the
// places of its contacts and in each contact its coil's place, and logs
// what does not match. Returns 1.
int correlate_relays(FILE* log);

}  // namespace wcraft
