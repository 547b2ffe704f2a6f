// Selection by drawing order ("X") and by geometry (window, crossing),
// over the entities of a drawing.
//
// Both take main entities only (no attributes, vertices or sequence ends),
// never deleted ones or those inside block definitions, in drawing order.
// Model space always; paper space only when the filter tests group 67 or
// 410, so that a filter (67 . 1) finds paper-space entities while plain
// selections stay in model space.
#pragma once

#include <vector>

#include "db/drawing.h"
#include "select/filter.h"
#include "select/kernel.h"

namespace cadhost::select {

enum class WindowMode {
    Window,    // entities wholly inside the box
    Crossing,  // entities inside the box or crossing its boundary
};

std::vector<EntityRef> select_all(const db::Drawing& d, const Filter* filter);

// Entities in (Window) or meeting (Crossing) the box with corners c1, c2,
// compared in XY without tolerance. A crossing box of zero size selects
// what passes exactly through that point.
std::vector<EntityRef> select_window(const db::Drawing& d, Point c1, Point c2, WindowMode mode, const Filter* filter);

}  // namespace cadhost::select
