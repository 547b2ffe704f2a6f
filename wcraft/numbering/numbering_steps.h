// The steps of wire numbering, shared by its files: pass-through phantom
// links, attaching phantom and wire links, connected groups, and numbers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "numbering/segment_index.h"
#include "postproc/progress.h"

namespace wcraft {

inline constexpr int32_t kPhantomBase = -10000;  // phantom numbers lie below it

// Wire types in use: up to the first name beginning with the list end.
int numbered_wire_types();

// One phantom link per connection point of every pass-through terminal and
// component, appended to the phantom list.
void make_phantoms();
// Puts each phantom link on the first segment its point touches.
void attach_phantoms(FILE* log, const std::vector<SegmentIndex>& index, int types);
// Puts each wire link on the first segment its point touches.
void attach_links(FILE* log, const std::vector<SegmentIndex>& index, int types);
// Connected groups of one wire type, numbered on from `group_counter`.
void build_groups(int type, SegmentIndex& index, int32_t& group_counter);
// Wire numbers of one wire type, from its groups and links.
void number_type(FILE* log, int type);

// a + b in 32 bits, wrapping instead of overflowing.
inline int32_t add_wrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace wcraft
