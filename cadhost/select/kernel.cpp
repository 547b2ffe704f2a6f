// Exact tests of points, segments and arcs against boxes.
#include "select/kernel.h"

#include <algorithm>
#include <cmath>

namespace cadhost::select {

namespace {

constexpr double kTwoPi = 2 * M_PI;

double cross(const Point& o, const Point& a, const Point& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

int sign(double v) { return (v > 0) - (v < 0); }

// Whether the arc meets the vertical line x = x at some y in [y0, y1].
bool arc_meets_vertical(const Arc& a, double x, double y0, double y1) {
    double dx = x - a.c.x;
    double h2 = a.r * a.r - dx * dx;
    if (h2 < 0) return false;
    double h = std::sqrt(h2);
    for (double y : {a.c.y + h, a.c.y - h})
        if (y >= y0 && y <= y1 && a.covers_angle(std::atan2(y - a.c.y, dx))) return true;
    return false;
}

// The same for the horizontal line y = y, x in [x0, x1].
bool arc_meets_horizontal(const Arc& a, double y, double x0, double x1) {
    double dy = y - a.c.y;
    double w2 = a.r * a.r - dy * dy;
    if (w2 < 0) return false;
    double w = std::sqrt(w2);
    for (double x : {a.c.x + w, a.c.x - w})
        if (x >= x0 && x <= x1 && a.covers_angle(std::atan2(dy, x - a.c.x))) return true;
    return false;
}

}  // namespace

Point Arc::start() const { return Point{c.x + r * std::cos(a0), c.y + r * std::sin(a0), c.z}; }
Point Arc::end() const { return Point{c.x + r * std::cos(a1), c.y + r * std::sin(a1), c.z}; }

bool Arc::covers_angle(double a) const {
    if (a1 - a0 >= kTwoPi) return true;
    double d = std::fmod(a - a0, kTwoPi);
    if (d < 0) d += kTwoPi;
    return d <= a1 - a0;
}

bool point_on_segment(const Point& p, const Segment& s) {
    if (p.x < std::min(s.a.x, s.b.x) || p.x > std::max(s.a.x, s.b.x)) return false;
    if (p.y < std::min(s.a.y, s.b.y) || p.y > std::max(s.a.y, s.b.y)) return false;
    return cross(s.a, s.b, p) == 0;
}

bool segments_meet(const Segment& s, const Segment& t) {
    int d1 = sign(cross(t.a, t.b, s.a)), d2 = sign(cross(t.a, t.b, s.b));
    int d3 = sign(cross(s.a, s.b, t.a)), d4 = sign(cross(s.a, s.b, t.b));
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    return (d1 == 0 && point_on_segment(s.a, t)) || (d2 == 0 && point_on_segment(s.b, t)) ||
           (d3 == 0 && point_on_segment(t.a, s)) || (d4 == 0 && point_on_segment(t.b, s));
}

bool segment_meets_box(const Segment& s, const Box& b) {
    if (b.contains(s.a) || b.contains(s.b)) return true;
    if (b.is_point()) return point_on_segment(Point{b.x0, b.y0, 0}, s);
    Point c[4] = {{b.x0, b.y0, 0}, {b.x1, b.y0, 0}, {b.x1, b.y1, 0}, {b.x0, b.y1, 0}};
    for (int i = 0; i < 4; ++i)
        if (segments_meet(s, Segment{c[i], c[(i + 1) % 4]})) return true;
    return false;
}

Box arc_extent(const Arc& a) {
    Point s = a.start(), e = a.end();
    Box b{std::min(s.x, e.x), std::min(s.y, e.y), std::max(s.x, e.x), std::max(s.y, e.y)};
    if (a.covers_angle(0)) b.x1 = a.c.x + a.r;
    if (a.covers_angle(M_PI / 2)) b.y1 = a.c.y + a.r;
    if (a.covers_angle(M_PI)) b.x0 = a.c.x - a.r;
    if (a.covers_angle(3 * M_PI / 2)) b.y0 = a.c.y - a.r;
    return b;
}

bool arc_meets_box(const Arc& a, const Box& b) {
    if (b.is_point()) return point_on_arc(Point{b.x0, b.y0, 0}, a);
    if (b.contains(a.start()) || b.contains(a.end())) return true;
    // Otherwise the arc enters the box only by crossing one of its sides.
    return arc_meets_vertical(a, b.x0, b.y0, b.y1) || arc_meets_vertical(a, b.x1, b.y0, b.y1) ||
           arc_meets_horizontal(a, b.y0, b.x0, b.x1) || arc_meets_horizontal(a, b.y1, b.x0, b.x1);
}

bool point_on_arc(const Point& p, const Arc& a) {
    double dx = p.x - a.c.x, dy = p.y - a.c.y;
    if (dx * dx + dy * dy != a.r * a.r && std::hypot(dx, dy) != a.r) return false;
    return a.covers_angle(std::atan2(dy, dx));
}

}  // namespace cadhost::select
