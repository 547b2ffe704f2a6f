// Entity outlines as segments and points, and their tests against a box.
#include "select/geometry.h"

#include <algorithm>
#include <cmath>

namespace cadhost::select {

namespace {

constexpr int kArcSteps = 64;      // segments for a full circle
constexpr int kMaxBlockDepth = 8;  // nested block insertions followed

// What an entity looks like for selection: segments, points and exact circles.
struct Outline {
    std::vector<Segment> segments;
    std::vector<Point> points;
    struct Arc {
        Point c;
        double r, a0, a1;  // radians, counter-clockwise from a0 to a1
    };
    std::vector<Arc> arcs;
};

// A similarity transform of block insertion: scale, rotate, move.
struct Xform {
    double sx = 1, sy = 1, rot = 0;
    Point base, at;
    Point apply(const Point& p) const {
        double x = (p.x - base.x) * sx, y = (p.y - base.y) * sy;
        double c = std::cos(rot), s = std::sin(rot);
        return Point{at.x + x * c - y * s, at.y + x * s + y * c, p.z};
    }
    Xform then(const Xform& outer) const {
        Xform r = *this;
        r.m_outer = std::make_shared<Xform>(outer);
        return r;
    }
    Point full(const Point& p) const { return m_outer ? m_outer->full(apply(p)) : apply(p); }
    std::shared_ptr<Xform> m_outer;
};

Point pt(const GroupList& g, int code) {
    if (const Group* f = find_group(g, code))
        if (auto p = std::get_if<Point>(&f->value)) return *p;
    return {};
}

void add_arc(Outline& o, Point c, double r, double a0, double a1, const Xform* x) {
    if (a1 < a0) a1 += 2 * M_PI;
    bool identity = !x || (!x->m_outer && x->sx == 1 && x->sy == 1 && x->rot == 0 && x->base == x->at);
    if (identity) o.arcs.push_back({c, r, a0, a1});
    int steps = std::max(4, static_cast<int>(std::ceil(kArcSteps * (a1 - a0) / (2 * M_PI))));
    Point prev;
    for (int i = 0; i <= steps; ++i) {
        double a = a0 + (a1 - a0) * i / steps;
        Point p{c.x + r * std::cos(a), c.y + r * std::sin(a), c.z};
        if (i == steps || i == 0) {
            // End points exactly where the arc's own numbers put them.
            p = Point{c.x + r * std::cos(i == 0 ? a0 : a1), c.y + r * std::sin(i == 0 ? a0 : a1), c.z};
        }
        if (x) p = x->full(p);
        if (i > 0) o.segments.push_back({prev, p});
        prev = p;
    }
}

// A polyline edge with a bulge: straight or an arc.
void add_edge(Outline& o, Point a, Point b, double bulge, const Xform* x) {
    if (bulge == 0) {
        o.segments.push_back({x ? x->full(a) : a, x ? x->full(b) : b});
        return;
    }
    double theta = 4 * std::atan(bulge);
    double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
    if (chord == 0) return;
    double r = chord / (2 * std::sin(theta / 2));
    double h = r * std::cos(theta / 2);
    Point c{(a.x + b.x) / 2 - h * dy / chord, (a.y + b.y) / 2 + h * dx / chord, a.z};
    double a0 = std::atan2(a.y - c.y, a.x - c.x), a1 = std::atan2(b.y - c.y, b.x - c.x);
    if (bulge < 0) std::swap(a0, a1);
    add_arc(o, c, std::abs(r), a0, a1, x);
}

void outline_of(const db::Drawing& d, EntityRef e, const GroupList& g, const Xform* x, int depth, Outline& o);

void outline_polyline(const db::Drawing& d, EntityRef e, const GroupList& g, const Xform* x, Outline& o) {
    std::vector<std::pair<Point, double>> verts;
    if (group_string(g, 0) == "LWPOLYLINE") {
        for (size_t i = 0; i < g.size(); ++i)
            if (g[i].code == 10) verts.push_back({std::get<Point>(g[i].value), 0.0});
            else if (g[i].code == 42 && !verts.empty()) verts.back().second = std::get<double>(g[i].value);
    } else {
        for (EntityRef v = d.next_entity(e); v; v = d.next_entity(v)) {
            auto vg = d.entget(v);
            if (!vg || group_string(*vg, 0) != "VERTEX") break;
            verts.push_back({pt(*vg, 10), group_real(*vg, 42)});
        }
    }
    if (verts.size() == 1) o.points.push_back(x ? x->full(verts[0].first) : verts[0].first);
    bool closed = group_int(g, 70) & 1;
    size_t n = verts.size();
    for (size_t i = 0; i + 1 < n + (closed ? 1 : 0) && n > 1; ++i)
        add_edge(o, verts[i].first, verts[(i + 1) % n].first, verts[i].second, x);
}

void outline_text(const GroupList& g, const Xform* x, Outline& o) {
    Point at = pt(g, 10);
    double h = group_real(g, 40, 1.0), rot = group_real(g, 50);
    size_t len = group_string(g, 1).size();
    double w = 0.6 * h * static_cast<double>(std::max<size_t>(len, 1));
    double c = std::cos(rot), s = std::sin(rot);
    Point corners[4] = {at, {at.x + w * c, at.y + w * s, at.z},
                        {at.x + w * c - h * s, at.y + w * s + h * c, at.z}, {at.x - h * s, at.y + h * c, at.z}};
    for (int i = 0; i < 4; ++i) {
        Point a = corners[i], b = corners[(i + 1) % 4];
        o.segments.push_back({x ? x->full(a) : a, x ? x->full(b) : b});
    }
}

void outline_insert(const db::Drawing& d, const GroupList& g, const Xform* x, int depth, Outline& o) {
    Point at = pt(g, 10);
    o.points.push_back(x ? x->full(at) : at);
    if (depth >= kMaxBlockDepth) return;
    auto blk = const_cast<db::Drawing&>(d).tblsearch("BLOCK", group_string(g, 2));
    if (!blk) return;
    const Group* first = find_group(*blk, -2);
    if (!first || !std::holds_alternative<EntityRef>(first->value)) return;
    Xform inner;
    inner.sx = group_real(g, 41, 1.0);
    inner.sy = group_real(g, 42, 1.0);
    inner.rot = group_real(g, 50);
    inner.base = pt(*blk, 10);
    inner.at = at;
    if (x) inner = inner.then(*x);
    for (EntityRef e = std::get<EntityRef>(first->value); e; e = d.next_entity(e)) {
        auto eg = d.entget(e);
        if (!eg) continue;
        std::string t = group_string(*eg, 0);
        if (t == "ATTDEF" || t == "VERTEX" || t == "SEQEND") continue;
        outline_of(d, e, *eg, &inner, depth + 1, o);
    }
}

void outline_of(const db::Drawing& d, EntityRef e, const GroupList& g, const Xform* x, int depth, Outline& o) {
    std::string t = group_string(g, 0);
    auto tp = [&](const Point& p) { return x ? x->full(p) : p; };
    if (t == "LINE") {
        o.segments.push_back({tp(pt(g, 10)), tp(pt(g, 11))});
    } else if (t == "POINT") {
        o.points.push_back(tp(pt(g, 10)));
    } else if (t == "CIRCLE") {
        add_arc(o, pt(g, 10), group_real(g, 40), 0, 2 * M_PI, x);
    } else if (t == "ARC") {
        add_arc(o, pt(g, 10), group_real(g, 40), group_real(g, 50), group_real(g, 51), x);
    } else if (t == "LWPOLYLINE" || t == "POLYLINE") {
        outline_polyline(d, e, g, x, o);
    } else if (t == "TEXT" || t == "ATTRIB" || t == "ATTDEF" || t == "MTEXT") {
        outline_text(g, x, o);
    } else if (t == "INSERT") {
        outline_insert(d, g, x, depth, o);
    } else if (t == "SOLID" || t == "TRACE" || t == "3DFACE") {
        Point q[4] = {pt(g, 10), pt(g, 11), pt(g, 13), pt(g, 12)};  // solids order their corners 1 2 4 3
        if (t == "3DFACE") std::swap(q[2], q[3]);
        for (int i = 0; i < 4; ++i) o.segments.push_back({tp(q[i]), tp(q[(i + 1) % 4])});
    } else {
        // Anything else by the points it carries (splines by their control points).
        std::vector<Point> pts;
        for (const Group& grp : g)
            if (auto p = std::get_if<Point>(&grp.value); p && grp.code >= 10 && grp.code <= 18) pts.push_back(tp(*p));
        if (t == "SPLINE" || t == "ELLIPSE") {
            for (size_t i = 0; i + 1 < pts.size(); ++i) o.segments.push_back({pts[i], pts[i + 1]});
        }
        for (auto& p : pts) o.points.push_back(p);
    }
}

bool on_arc(const Point& p, const Outline::Arc& a) {
    double dx = p.x - a.c.x, dy = p.y - a.c.y;
    if (dx * dx + dy * dy != a.r * a.r && std::hypot(dx, dy) != a.r) return false;
    double ang = std::atan2(dy, dx);
    while (ang < a.a0) ang += 2 * M_PI;
    return ang <= a.a1;
}

bool inside(const Outline& o, const Box& b) {
    if (o.segments.empty() && o.points.empty()) return false;
    for (auto& s : o.segments)
        if (!b.contains(s.a.x, s.a.y) || !b.contains(s.b.x, s.b.y)) return false;
    for (auto& p : o.points)
        if (!b.contains(p.x, p.y)) return false;
    return true;
}

bool crosses(const Outline& o, const Box& b) {
    bool degenerate = b.x0 == b.x1 && b.y0 == b.y1;
    if (degenerate) {
        Point p{b.x0, b.y0, 0};
        for (auto& a : o.arcs)
            if (on_arc(p, a)) return true;
        for (auto& s : o.segments)
            if (point_on_segment(p, s)) return true;
        for (auto& q : o.points)
            if (q.x == p.x && q.y == p.y) return true;
        return false;
    }
    for (auto& s : o.segments)
        if (segment_meets_box(s, b)) return true;
    for (auto& p : o.points)
        if (b.contains(p.x, p.y)) return true;
    return false;
}

bool is_sub_entity(const std::string& t) { return t == "ATTRIB" || t == "VERTEX" || t == "SEQEND"; }

template <typename Keep>
std::vector<EntityRef> collect(const db::Drawing& d, const Filter* filter, Keep keep) {
    std::vector<EntityRef> out;
    bool paper = filter && (filter->tests_code(67) || filter->tests_code(410));
    for (EntityRef e = d.first_entity(); e; e = d.next_entity(e)) {
        if (is_sub_entity(d.type_of(e))) continue;
        auto space = d.space_of(e);
        if (space == db::Space::Block || (space == db::Space::Paper && !paper)) continue;
        auto g = d.entget(e);
        if (!g || (filter && !filter->matches(*g))) continue;
        if (keep(e, *g)) out.push_back(e);
    }
    return out;
}

double cross(const Point& o, const Point& a, const Point& b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool segments_meet(const Point& p1, const Point& p2, const Point& q1, const Point& q2) {
    double d1 = cross(q1, q2, p1), d2 = cross(q1, q2, p2), d3 = cross(p1, p2, q1), d4 = cross(p1, p2, q2);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    return (d1 == 0 && point_on_segment(p1, {q1, q2})) || (d2 == 0 && point_on_segment(p2, {q1, q2})) ||
           (d3 == 0 && point_on_segment(q1, {p1, p2})) || (d4 == 0 && point_on_segment(q2, {p1, p2}));
}

}  // namespace

bool point_on_segment(const Point& p, const Segment& s) {
    if (p.x < std::min(s.a.x, s.b.x) || p.x > std::max(s.a.x, s.b.x)) return false;
    if (p.y < std::min(s.a.y, s.b.y) || p.y > std::max(s.a.y, s.b.y)) return false;
    return cross(s.a, s.b, p) == 0;
}

bool segment_meets_box(const Segment& s, const Box& b) {
    if (b.contains(s.a.x, s.a.y) || b.contains(s.b.x, s.b.y)) return true;
    Point c[4] = {{b.x0, b.y0, 0}, {b.x1, b.y0, 0}, {b.x1, b.y1, 0}, {b.x0, b.y1, 0}};
    for (int i = 0; i < 4; ++i)
        if (segments_meet(s.a, s.b, c[i], c[(i + 1) % 4])) return true;
    return false;
}

std::vector<EntityRef> select_all(const db::Drawing& d, const Filter* filter) {
    return collect(d, filter, [](EntityRef, const GroupList&) { return true; });
}

std::vector<EntityRef> select_window(const db::Drawing& d, Point c1, Point c2, WindowMode mode, const Filter* filter) {
    Box b{std::min(c1.x, c2.x), std::min(c1.y, c2.y), std::max(c1.x, c2.x), std::max(c1.y, c2.y)};
    return collect(d, filter, [&](EntityRef e, const GroupList& g) {
        Outline o;
        outline_of(d, e, g, nullptr, 0, o);
        return mode == WindowMode::Window ? inside(o, b) : crosses(o, b);
    });
}

}  // namespace cadhost::select
