// Sorted insertion into the wire and component lists: by sheet, then by
// position. The rule is defined one record at a time (walk from the head,
// put the record in front of the first record of a sheet not lower than its
// own that it precedes in position, else at the end); records arrive a
// sheet at a time, so they are inserted a batch at a time with the same
// result.
#pragma once

#include <cstdint>
#include <vector>

#include "extract/store.h"

namespace wcraft {

// Position order of a sheet, chosen by the project's sheet_rot flag.
enum class PositionOrder : int {
    TopDown = 0,    // Y descending, then X ascending
    LeftRight = 1,  // X ascending, then Y descending
};

inline PositionOrder position_order(int sheet_rot) {
    return sheet_rot ? PositionOrder::LeftRight : PositionOrder::TopDown;
}

// True when a comes strictly before b in position order.
inline bool precedes(const XY& a, const XY& b, PositionOrder order) {
    if (order == PositionOrder::TopDown) return a.y > b.y || (a.y == b.y && a.x < b.x);
    return a.x < b.x || (a.x == b.x && a.y > b.y);
}

// The point a record is sorted by.
inline const XY& sort_point(const WireSegment& w) { return w.start; }
inline const XY& sort_point(const Component& c) { return c.point; }

// Inserts the records of `batch` (in read order) into `list` exactly as
// sorted insertion of each record in turn would, and empties the batch.
// Linear in the tail of the list for a batch of one sheet not lower than
// the list's sheets; out-of-order sheets may cost a walk of the list per
// record. On std::bad_alloc the list is left as it was.
void insert_sorted(std::vector<WireSegment>& list, std::vector<WireSegment>& batch, PositionOrder order,
                   OrderMark& mark);
void insert_sorted(std::vector<Component>& list, std::vector<Component>& batch, PositionOrder order,
                   OrderMark& mark);

}  // namespace wcraft
