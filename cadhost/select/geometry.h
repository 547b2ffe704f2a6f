// Selection by drawing order ("X") and by geometry (window, crossing),
// over the entities of a drawing.
#pragma once

#include <vector>

#include "db/drawing.h"
#include "select/filter.h"

namespace cadhost::select {

enum class WindowMode {
    Window,    // entities wholly inside the box
    Crossing,  // entities inside the box or crossing its boundary
};

// Model-space main entities (no attributes, vertices or sequence ends) in
// drawing order; paper-space ones too when the filter tests group 67 or 410.
std::vector<EntityRef> select_all(const db::Drawing& d, const Filter* filter);

// Entities in or crossing the box with corners c1, c2. A box of zero size
// selects what passes exactly through that point.
std::vector<EntityRef> select_window(const db::Drawing& d, Point c1, Point c2, WindowMode mode, const Filter* filter);

// The geometry kernel, exposed for tests.
struct Box {
    double x0, y0, x1, y1;  // x0 <= x1, y0 <= y1
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
struct Segment {
    Point a, b;
};
bool point_on_segment(const Point& p, const Segment& s);
bool segment_meets_box(const Segment& s, const Box& b);

}  // namespace cadhost::select
