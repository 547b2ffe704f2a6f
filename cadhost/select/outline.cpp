// Entity outlines: lines, arcs, polylines with bulges, text boxes, block
// references through their blocks, and curves by their defining points.
#include "select/outline.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace cadhost::select {

namespace {

using Affine = OutlineBuilder::Affine;

constexpr int kArcSteps = 64;      // chords for a full turn when an arc cannot stay exact
constexpr int kMaxBlockDepth = 16; // nested block references followed
constexpr double kTextWidth = 0.6; // character width estimate, in text heights

Point pt(const GroupList& g, int code) {
    if (const Group* f = find_group(g, code))
        if (auto p = std::get_if<Point>(&f->value)) return *p;
    return {};
}

std::vector<Point> all_points(const GroupList& g, int code) {
    std::vector<Point> out;
    for (const Group& grp : g)
        if (grp.code == code)
            if (auto p = std::get_if<Point>(&grp.value)) out.push_back(*p);
    return out;
}

void add_segment(Outline& o, const Point& a, const Point& b, const Affine& x) {
    o.segments.push_back({x.apply(a), x.apply(b)});
}

// A rotation with uniform positive scale keeps arcs arcs.
bool keeps_arcs(const Affine& x, double& scale, double& turn) {
    scale = std::hypot(x.a, x.c);
    turn = std::atan2(x.c, x.a);
    double tol = 1e-12 * std::max(1.0, scale);
    return scale > 0 && std::abs(x.a - x.d) <= tol && std::abs(x.b + x.c) <= tol;
}

void add_arc(Outline& o, Point c, double r, double a0, double a1, const Affine& x) {
    if (r <= 0 || !std::isfinite(r)) return;
    while (a1 <= a0) a1 += 2 * M_PI;
    if (a1 - a0 > 2 * M_PI) a1 = a0 + 2 * M_PI;
    double scale, turn;
    if (x.identity()) {
        o.arcs.push_back({c, r, a0, a1});
        return;
    }
    if (keeps_arcs(x, scale, turn)) {
        o.arcs.push_back({x.apply(c), r * scale, a0 + turn, a1 + turn});
        return;
    }
    int steps = std::max(4, static_cast<int>(std::ceil(kArcSteps * (a1 - a0) / (2 * M_PI))));
    Point prev;
    for (int i = 0; i <= steps; ++i) {
        double a = i == steps ? a1 : a0 + (a1 - a0) * i / steps;
        Point p = x.apply(Point{c.x + r * std::cos(a), c.y + r * std::sin(a), c.z});
        if (i > 0) o.segments.push_back({prev, p});
        prev = p;
    }
}

// A polyline edge: straight, or an arc for a nonzero bulge (the tangent of
// a quarter of the included angle, negative for clockwise).
void add_edge(Outline& o, Point a, Point b, double bulge, const Affine& x) {
    double dx = b.x - a.x, dy = b.y - a.y, chord = std::hypot(dx, dy);
    if (bulge == 0 || chord == 0 || !std::isfinite(bulge)) {
        add_segment(o, a, b, x);
        return;
    }
    double theta = 4 * std::atan(bulge);
    double r = chord / (2 * std::sin(theta / 2));  // signed like the bulge
    double h = r * std::cos(theta / 2);
    Point c{(a.x + b.x) / 2 - h * dy / chord, (a.y + b.y) / 2 + h * dx / chord, a.z};
    double a0 = std::atan2(a.y - c.y, a.x - c.x), a1 = std::atan2(b.y - c.y, b.x - c.x);
    if (bulge < 0) std::swap(a0, a1);
    add_arc(o, c, std::abs(r), a0, a1, x);
}

void add_text(const GroupList& g, const Affine& x, Outline& o) {
    Point at = pt(g, 10);
    double h = group_real(g, 40, 1.0), rot = group_real(g, 50);
    std::string text = group_string(g, 1);
    double w;
    if (group_string(g, 0) == "MTEXT") {
        w = group_real(g, 41, 0.0);
        if (w <= 0) w = kTextWidth * h * static_cast<double>(std::max<size_t>(text.size(), 1));
        // Attachment 1-3 hang the box below the point.
        if (group_int(g, 71, 1) <= 3) h = -h;
    } else {
        w = kTextWidth * h * static_cast<double>(std::max<size_t>(text.size(), 1));
    }
    double c = std::cos(rot), s = std::sin(rot);
    Point q[4] = {at, {at.x + w * c, at.y + w * s, at.z}, {at.x + w * c - h * s, at.y + w * s + h * c, at.z},
                  {at.x - h * s, at.y + h * c, at.z}};
    for (int i = 0; i < 4; ++i) add_segment(o, q[i], q[(i + 1) % 4], x);
}

void add_ellipse(const GroupList& g, const Affine& x, Outline& o) {
    Point c = pt(g, 10), m = pt(g, 11);
    double k = group_real(g, 40, 1.0), t0 = group_real(g, 41, 0.0), t1 = group_real(g, 42, 2 * M_PI);
    while (t1 <= t0) t1 += 2 * M_PI;
    if (!std::isfinite(t0) || !std::isfinite(t1) || t1 - t0 > 2 * M_PI) t1 = t0 + 2 * M_PI;
    int steps = std::max(4, static_cast<int>(std::ceil(kArcSteps * (t1 - t0) / (2 * M_PI))));
    Point prev;
    for (int i = 0; i <= steps; ++i) {
        double t = i == steps ? t1 : t0 + (t1 - t0) * i / steps;
        Point p{c.x + m.x * std::cos(t) - k * m.y * std::sin(t), c.y + m.y * std::cos(t) + k * m.x * std::sin(t), c.z};
        if (i > 0) add_segment(o, prev, p, x);
        prev = p;
    }
}

void add_path(const std::vector<Point>& pts, const Affine& x, Outline& o) {
    if (pts.size() == 1) o.points.push_back(x.apply(pts[0]));
    for (size_t i = 0; i + 1 < pts.size(); ++i) add_segment(o, pts[i], pts[i + 1], x);
}

// Entities of other types by any points they carry.
void add_points(const GroupList& g, const Affine& x, Outline& o) {
    for (const Group& grp : g)
        if (auto p = std::get_if<Point>(&grp.value); p && grp.code >= 10 && grp.code <= 18) o.points.push_back(x.apply(*p));
}

}  // namespace

Affine Affine::then(const Affine& o) const {
    return Affine{o.a * a + o.b * c, o.a * b + o.b * d, o.c * a + o.d * c, o.c * b + o.d * d,
                  o.a * tx + o.b * ty + o.tx, o.c * tx + o.d * ty + o.ty};
}

Outline OutlineBuilder::build(EntityRef e, const GroupList& g) const {
    Outline o;
    add(e, g, Affine{}, 0, o);
    return o;
}

void OutlineBuilder::add(EntityRef e, const GroupList& g, const Affine& x, int depth, Outline& o) const {
    std::string t = group_string(g, 0);
    if (t == "LINE") {
        add_segment(o, pt(g, 10), pt(g, 11), x);
    } else if (t == "POINT") {
        o.points.push_back(x.apply(pt(g, 10)));
    } else if (t == "CIRCLE") {
        add_arc(o, pt(g, 10), group_real(g, 40), 0, 2 * M_PI, x);
    } else if (t == "ARC") {
        add_arc(o, pt(g, 10), group_real(g, 40), group_real(g, 50), group_real(g, 51), x);
    } else if (t == "LWPOLYLINE" || t == "POLYLINE") {
        add_polyline(e, g, x, o);
    } else if (t == "TEXT" || t == "ATTRIB" || t == "ATTDEF" || t == "MTEXT") {
        add_text(g, x, o);
    } else if (t == "INSERT") {
        add_insert(e, g, x, depth, o);
    } else if (t == "SOLID" || t == "TRACE") {
        Point q[4] = {pt(g, 10), pt(g, 11), pt(g, 13), pt(g, 12)};  // corners 1 2 4 3 go round
        for (int i = 0; i < 4; ++i) add_segment(o, q[i], q[(i + 1) % 4], x);
    } else if (t == "3DFACE") {
        Point q[4] = {pt(g, 10), pt(g, 11), pt(g, 12), pt(g, 13)};
        for (int i = 0; i < 4; ++i) add_segment(o, q[i], q[(i + 1) % 4], x);
    } else if (t == "ELLIPSE") {
        add_ellipse(g, x, o);
    } else if (t == "SPLINE") {
        auto fit = all_points(g, 11);
        add_path(fit.empty() ? all_points(g, 10) : fit, x, o);
    } else {
        add_points(g, x, o);
    }
}

void OutlineBuilder::add_polyline(EntityRef e, const GroupList& g, const Affine& x, Outline& o) const {
    std::vector<std::pair<Point, double>> verts;
    if (group_string(g, 0) == "LWPOLYLINE") {
        for (const Group& grp : g) {
            if (auto p = std::get_if<Point>(&grp.value); p && grp.code == 10) verts.push_back({*p, 0.0});
            else if (auto b = std::get_if<double>(&grp.value); b && grp.code == 42 && !verts.empty()) verts.back().second = *b;
        }
    } else {
        for (EntityRef v = m_drawing.next_entity(e); v; v = m_drawing.next_entity(v)) {
            auto vg = m_drawing.entget(v);
            if (!vg || group_string(*vg, 0) != "VERTEX") break;
            if ((group_int(*vg, 70) & 128) && !(group_int(*vg, 70) & 64)) continue;  // face records
            verts.push_back({pt(*vg, 10), group_real(*vg, 42)});
        }
    }
    if (verts.size() == 1) o.points.push_back(x.apply(verts[0].first));
    bool closed = group_int(g, 70) & 1;
    size_t n = verts.size();
    for (size_t i = 0; n > 1 && i + 1 < n + (closed ? 1 : 0); ++i)
        add_edge(o, verts[i].first, verts[(i + 1) % n].first, verts[i].second, x);
}

void OutlineBuilder::add_insert(EntityRef e, const GroupList& g, const Affine& x, int depth, Outline& o) const {
    Outline own;
    EntityRef blk = depth < kMaxBlockDepth ? m_drawing.tblobjname("BLOCK", group_string(g, 2)) : EntityRef{};
    auto bg = blk ? m_drawing.entget(blk) : std::nullopt;
    if (bg) {
        Point base = pt(*bg, 10), at = pt(g, 10);
        double sx = group_real(g, 41, 1.0), sy = group_real(g, 42, 1.0), rot = group_real(g, 50);
        double cs = std::cos(rot), sn = std::sin(rot);
        Affine inner{cs * sx, -sn * sy, sn * sx, cs * sy, 0, 0};
        inner.tx = at.x - (inner.a * base.x + inner.b * base.y);
        inner.ty = at.y - (inner.c * base.x + inner.d * base.y);
        Affine full = inner.then(x);
        for (EntityRef s = m_drawing.next_entity(blk); s; s = m_drawing.next_entity(s)) {
            auto sg = m_drawing.entget(s);
            if (!sg) continue;
            std::string t = group_string(*sg, 0);
            if (t == "ATTDEF" || t == "VERTEX" || t == "SEQEND" || t == "ENDBLK") continue;
            add(s, *sg, full, depth + 1, own);
        }
    }
    if (own.empty()) own.points.push_back(x.apply(pt(g, 10)));
    // The reference's attributes, in drawing coordinates already.
    for (EntityRef s = m_drawing.next_entity(e); depth == 0 && s; s = m_drawing.next_entity(s)) {
        auto sg = m_drawing.entget(s);
        if (!sg || group_string(*sg, 0) != "ATTRIB") break;
        add_text(*sg, x, own);
    }
    o.segments.insert(o.segments.end(), own.segments.begin(), own.segments.end());
    o.arcs.insert(o.arcs.end(), own.arcs.begin(), own.arcs.end());
    o.points.insert(o.points.end(), own.points.begin(), own.points.end());
}

}  // namespace cadhost::select
