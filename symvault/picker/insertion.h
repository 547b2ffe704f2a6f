// The association list SV_USELIB returns for a chosen symbol, and the
// outcome of the scale choice that completes it. Nothing here calls the host.
#pragma once

#include <string>
#include <vector>

#include "host/reply.h"
#include "library/records.h"
#include "picker/layouts.h"

namespace symvault {

struct ScaleChoice {
    enum Outcome { CHOSEN = 1, CANCELLED = 2, SKIPPED = 3, NOTHING = 4 } outcome = NOTHING;
    double x = 1.0, y = 1.0, z = 1.0;
};

// The scale choice when no dialog is needed: nothing to choose (no such
// option, or it has no values), or the option's one fixed value. Returns
// false when the user must choose in the dialog; `c` then holds the first
// value.
bool scale_without_dialog(const ScaleOptionRecord* option, ScaleChoice& c);

struct Choice {
    const LibraryRecord* lib = nullptr;
    const SymbolRecord* symbol = nullptr;
    std::string directory;  // the library's own directory, ending with "\"
    std::string group;
    int page = 0;
    PickerToggles toggles;
    ScaleChoice scale;  // used for block and group symbols with a scale option
};

// The pairs in their order: library, symbol and toggles, the library's
// insertion settings, the type's data, then the scale data.
std::vector<Pair> insertion_pairs(const Choice& c);

}  // namespace symvault
