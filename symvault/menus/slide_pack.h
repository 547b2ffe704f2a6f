// The slide library file: which slides a library packs, in which order,
// and the file's bytes. Nothing here calls the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/records.h"

namespace symvault {

inline constexpr size_t kSlideHeaderBytes = 32;
inline constexpr size_t kSlideEntryBytes = 36;
inline constexpr size_t kSlideNameBytes = 32;

// The symbol names whose slides a library packs: first appearance while
// walking groups and symbols in list order; a name seen before (exact
// case) is not repeated. `has_slide` tells whether a symbol's slide exists.
template <typename HasSlide>
std::vector<std::string> slide_names(const LibraryRecord& lib, HasSlide has_slide, int* symbols, int* found) {
    std::vector<std::string> names;
    *symbols = *found = 0;
    for (const GroupRecord& g : lib.groups)
        for (const SymbolRecord& s : g.symbols) {
            ++*symbols;
            if (!has_slide(s.name)) continue;
            ++*found;
            bool seen = false;
            for (const std::string& n : names) seen = seen || n == s.name;
            if (!seen) names.push_back(s.name);
        }
    return names;
}

// The 32-byte header, then one directory entry per slide (its name
// zero-padded to 32 bytes and the little-endian address of its data),
// given the slides' sizes in order.
std::vector<uint8_t> slide_library_head(const std::vector<std::string>& names, const std::vector<uint32_t>& sizes);

}  // namespace symvault
