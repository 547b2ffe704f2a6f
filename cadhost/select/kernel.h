// The geometry kernel of selection: exact tests of points, segments and
// circular arcs against an axis-aligned box, in the XY plane.
#pragma once

#include "core/value.h"

namespace cadhost::select {

struct Box {
    double x0, y0, x1, y1;  // x0 <= x1, y0 <= y1
    bool contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    bool contains(const Point& p) const { return contains(p.x, p.y); }
    bool is_point() const { return x0 == x1 && y0 == y1; }
};

struct Segment {
    Point a, b;
};

// A circular arc counter-clockwise from a0 to a1 (radians, a0 <= a1 <=
// a0 + 2 pi); a full circle has a1 = a0 + 2 pi.
struct Arc {
    Point c;
    double r = 0, a0 = 0, a1 = 0;
    Point start() const;
    Point end() const;
    // Whether the direction at angle a (any turn) lies within the sweep.
    bool covers_angle(double a) const;
};

// Whether p lies on the segment, by exact arithmetic on the coordinates
// (collinearity by a zero cross product, then within the extent).
bool point_on_segment(const Point& p, const Segment& s);
// Whether two closed segments share a point.
bool segments_meet(const Segment& s, const Segment& t);
// Whether any point of the closed segment lies in the closed box.
bool segment_meets_box(const Segment& s, const Box& b);

// The bounding box of an arc's true extent (ends and the axis points the
// sweep passes).
Box arc_extent(const Arc& a);
// Whether any point of the arc lies in the closed box.
bool arc_meets_box(const Arc& a, const Box& b);
// Whether p lies on the arc: its distance from the centre equals the radius
// exactly and its direction is within the sweep.
bool point_on_arc(const Point& p, const Arc& a);

}  // namespace cadhost::select
