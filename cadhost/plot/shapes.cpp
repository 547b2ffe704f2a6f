// Lines, curves, polylines (with widths and bulges), filled solids, faces
// and points of the plot scene.
#include <algorithm>
#include <cmath>

#include "plot/builder.h"

namespace cadhost::plot {

namespace {

constexpr double kTau = 2 * M_PI;

// The sweep from a0 to a1 counterclockwise, in (0, 2 pi].
double ccw_sweep(double a0, double a1) {
    double s = std::fmod(a1 - a0, kTau);
    if (s <= 1e-12) s += kTau;
    return s;
}

// The circle of a polyline segment's bulge (tangent of a quarter of its
// included angle, positive counterclockwise).
struct BulgeArc {
    Vec2 centre;
    double radius = 0, start = 0, sweep = 0;
};
BulgeArc bulge_arc(Vec2 p1, Vec2 p2, double bulge) {
    double theta = 4 * std::atan(bulge);
    double dx = p2.x - p1.x, dy = p2.y - p1.y, chord = std::hypot(dx, dy);
    double r = chord / (2 * std::sin(theta / 2));  // signed like the bulge
    double h = r * std::cos(theta / 2);            // from the chord's middle to the centre, leftwards
    Vec2 c{(p1.x + p2.x) / 2 - dy / chord * h, (p1.y + p2.y) / 2 + dx / chord * h};
    return {c, std::abs(r), std::atan2(p1.y - c.y, p1.x - c.x), theta};
}

// Adds the segment from a to b (straight, or an arc for a bulge) to a path.
void segment(Path& p, const Builder::Vertex& a, Vec2 b) {
    if (a.bulge == 0 || (a.p.x == b.x && a.p.y == b.y)) {
        p.line_to(b);
        return;
    }
    BulgeArc arc = bulge_arc(a.p, b, a.bulge);
    p.arc(arc.centre, arc.radius, arc.start, arc.sweep);
}

// The outline of a segment whose width runs from w0 to w1: the left side
// forwards, then the right side back.
Path band(const Builder::Vertex& a, Vec2 b) {
    std::vector<Vec2> at, normal;
    if (a.bulge == 0) {
        double dx = b.x - a.p.x, dy = b.y - a.p.y, len = std::hypot(dx, dy);
        at = {a.p, b};
        normal.assign(2, Vec2{-dy / len, dx / len});
    } else {
        BulgeArc arc = bulge_arc(a.p, b, a.bulge);
        int n = std::max(2, static_cast<int>(std::ceil(std::abs(arc.sweep) / (M_PI / 36))) + 1);
        double dir = arc.sweep > 0 ? 1 : -1;
        for (int i = 0; i < n; ++i) {
            double t = arc.start + arc.sweep * i / (n - 1);
            at.push_back({arc.centre.x + arc.radius * std::cos(t), arc.centre.y + arc.radius * std::sin(t)});
            normal.push_back({-dir * std::cos(t), -dir * std::sin(t)});  // left of the direction of travel
        }
    }
    Path p;
    size_t n = at.size();
    auto half = [&](size_t i) { return (a.w0 + (a.w1 - a.w0) * static_cast<double>(i) / (n - 1)) / 2; };
    for (size_t i = 0; i < n; ++i) {
        Vec2 q{at[i].x + normal[i].x * half(i), at[i].y + normal[i].y * half(i)};
        if (i == 0) p.move_to(q);
        else p.line_to(q);
    }
    for (size_t i = n; i-- > 0;) p.line_to({at[i].x - normal[i].x * half(i), at[i].y - normal[i].y * half(i)});
    p.close();
    return p;
}

}  // namespace

void Builder::stroke(Path path, const Look& lk, double width) {
    if (path.empty()) return;
    m_scene.items.push_back(Stroke{std::move(path), Pen{on_white_paper(lk.colour), width, lk.dashes}});
}

void Builder::line(const GroupList& g, const Inherit& in, const Look& lk) {
    Path p;
    p.move_to(group_point(g, 10).value_or(Vec2{}));
    p.line_to(group_point(g, 11).value_or(Vec2{}));
    p.transform(in.xf);
    stroke(std::move(p), lk);
}

void Builder::circle(const GroupList& g, const Inherit& in, const Look& lk, bool arc) {
    Vec2 c = group_point(g, 10).value_or(Vec2{});
    double r = group_real(g, 40);
    if (r <= 0) return;
    double a0 = arc ? group_real(g, 50) : 0, sweep = arc ? ccw_sweep(a0, group_real(g, 51)) : kTau;
    Path p;
    p.arc(c, r, a0, sweep);
    if (!arc) p.close();
    p.transform(in.xf * ocs_of(g));
    stroke(std::move(p), lk);
}

void Builder::ellipse(const GroupList& g, const Inherit& in, const Look& lk) {
    Vec2 c = group_point(g, 10).value_or(Vec2{});
    Vec2 major = group_point(g, 11).value_or(Vec2{1, 0});
    double ratio = group_real(g, 40, 1);
    // The minor axis turns a quarter from the major one about the extrusion.
    double dir = 1;
    if (const Group* n = find_group(g, 210))
        if (auto* v = std::get_if<Point>(&n->value); v && v->z < 0) dir = -1;
    Vec2 minor{-major.y * ratio * dir, major.x * ratio * dir};
    double t0 = group_real(g, 41), t1 = group_real(g, 42, kTau);
    double sweep = ccw_sweep(t0, t1);
    Path p;
    p.arc({0, 0}, 1, t0, sweep);
    if (sweep >= kTau - 1e-9) p.close();
    p.transform(in.xf * Affine{major.x, major.y, minor.x, minor.y, c.x, c.y});
    stroke(std::move(p), lk);
}

void Builder::vertices(const std::vector<Vertex>& vs, bool closed, const Affine& m, const Look& lk) {
    if (vs.empty()) return;
    if (vs.size() == 1) {
        m_scene.items.push_back(Dot{m.apply(vs[0].p), on_white_paper(lk.colour)});
        return;
    }
    size_t segs = closed ? vs.size() : vs.size() - 1;
    auto to = [&](size_t i) { return vs[(i + 1) % vs.size()].p; };
    bool uniform = true;
    for (size_t i = 0; i < segs; ++i) uniform = uniform && vs[i].w0 == vs[0].w0 && vs[i].w1 == vs[0].w0;
    if (uniform) {
        // One path, so that dashes run on over the vertices.
        Path p;
        p.move_to(vs[0].p);
        for (size_t i = 0; i < segs; ++i) segment(p, vs[i], to(i));
        if (closed) p.close();
        p.transform(m);
        stroke(std::move(p), lk, vs[0].w0 * m.scale());
        return;
    }
    Path thin;
    for (size_t i = 0; i < segs; ++i) {
        if (vs[i].w0 == 0 && vs[i].w1 == 0) {
            if (thin.empty()) thin.move_to(vs[i].p);
            segment(thin, vs[i], to(i));
            continue;
        }
        if (!thin.empty()) thin.transform(m), stroke(std::move(thin), lk), thin = Path{};
        if (vs[i].p == to(i)) continue;
        Path outline = band(vs[i], to(i));
        outline.transform(m);
        m_scene.items.push_back(Fill{std::move(outline), on_white_paper(lk.colour)});
    }
    if (!thin.empty()) thin.transform(m), stroke(std::move(thin), lk);
}

void Builder::lwpolyline(const GroupList& g, const Inherit& in, const Look& lk) {
    std::vector<Vertex> vs;
    double constant = group_real(g, 43);
    for (const Group& grp : g) {
        if (grp.code == 10) {
            if (auto* p = std::get_if<Point>(&grp.value)) vs.push_back({{p->x, p->y}, constant, constant, 0});
        } else if (!vs.empty() && (grp.code == 40 || grp.code == 41 || grp.code == 42)) {
            double v = std::holds_alternative<double>(grp.value) ? std::get<double>(grp.value) : 0;
            (grp.code == 40 ? vs.back().w0 : grp.code == 41 ? vs.back().w1 : vs.back().bulge) = v;
        }
    }
    vertices(vs, group_int(g, 70) & 1, in.xf * ocs_of(g), lk);
}

void Builder::polyline(EntityRef e, const GroupList& g, const Inherit& in, const Look& lk) {
    long flags = group_int(g, 70);
    std::vector<GroupList> raw;
    for (EntityRef v = m_d.next_entity(e); v && m_d.type_view(v) == "VERTEX"; v = m_d.next_entity(v))
        if (auto vg = m_d.entget(v)) raw.push_back(std::move(*vg));
    if (flags & (16 | 64)) {
        mesh(raw, g, in, lk);
        return;
    }
    double w0 = group_real(g, 40), w1 = group_real(g, 41);
    std::vector<Vertex> vs;
    for (const GroupList& vg : raw) {
        if (group_int(vg, 70) & 16) continue;  // the frame of a spline-fit polyline
        vs.push_back({group_point(vg, 10).value_or(Vec2{}), group_real(vg, 40, w0), group_real(vg, 41, w1),
                      group_real(vg, 42)});
    }
    // 3D polylines hold world coordinates; 2D ones their own frame's.
    Affine m = flags & 8 ? in.xf : in.xf * ocs_of(g);
    vertices(vs, flags & 1, m, lk);
}

void Builder::mesh(const std::vector<GroupList>& verts, const GroupList& g, const Inherit& in, const Look& lk) {
    long flags = group_int(g, 70);
    std::vector<Vec2> pos;
    Path p;
    if (flags & 64) {
        // Polyface: position vertices first, then faces naming them by number
        // from 1 (negative for an edge not shown).
        for (const GroupList& v : verts)
            if (group_int(v, 70) & 64) pos.push_back(group_point(v, 10).value_or(Vec2{}));
        for (const GroupList& v : verts) {
            if ((group_int(v, 70) & 192) != 128) continue;
            std::vector<long> idx;
            for (int code : {71, 72, 73, 74})
                if (long i = group_int(v, code)) idx.push_back(i);
            for (size_t k = 0; k < idx.size(); ++k) {
                long a = std::abs(idx[k]), b = std::abs(idx[(k + 1) % idx.size()]);
                if (idx[k] < 0 || a > static_cast<long>(pos.size()) || b > static_cast<long>(pos.size())) continue;
                p.move_to(pos[a - 1]), p.line_to(pos[b - 1]);
            }
        }
    } else {
        long m = group_int(g, 71), n = group_int(g, 72);
        for (const GroupList& v : verts) pos.push_back(group_point(v, 10).value_or(Vec2{}));
        if (m <= 0 || n <= 0 || static_cast<size_t>(m * n) > pos.size()) return note("a polygon mesh with too few vertices");
        auto at = [&](long i, long j) { return pos[static_cast<size_t>(i * n + j)]; };
        for (long i = 0; i < m; ++i)
            for (long j = 0; j < n; ++j) {
                if (j + 1 < n || (flags & 32)) p.move_to(at(i, j)), p.line_to(at(i, (j + 1) % n));
                if (i + 1 < m || (flags & 1)) p.move_to(at(i, j)), p.line_to(at((i + 1) % m, j));
            }
    }
    p.transform(in.xf);
    stroke(std::move(p), lk);
}

void Builder::solid(const GroupList& g, const Inherit& in, const Look& lk) {
    Vec2 a = group_point(g, 10).value_or(Vec2{}), b = group_point(g, 11).value_or(a);
    Vec2 c = group_point(g, 12).value_or(b), d = group_point(g, 13).value_or(c);
    // The corners go 1, 2, 4, 3 round the outline.
    Path p;
    p.move_to(a), p.line_to(b), p.line_to(d), p.line_to(c), p.close();
    p.transform(in.xf * ocs_of(g));
    m_scene.items.push_back(Fill{std::move(p), on_white_paper(lk.colour)});
}

void Builder::face(const GroupList& g, const Inherit& in, const Look& lk) {
    Vec2 c[4];
    c[0] = group_point(g, 10).value_or(Vec2{});
    c[1] = group_point(g, 11).value_or(c[0]);
    c[2] = group_point(g, 12).value_or(c[1]);
    c[3] = group_point(g, 13).value_or(c[2]);
    long hidden = group_int(g, 70);
    Path p;
    for (int i = 0; i < 4; ++i)
        if (!(hidden & (1 << i))) p.move_to(c[i]), p.line_to(c[(i + 1) % 4]);
    p.transform(in.xf);
    stroke(std::move(p), lk);
}

void Builder::leader(const GroupList& g, const Inherit& in, const Look& lk) {
    Path p;
    for (const Group& grp : g)
        if (auto* v = grp.code == 10 ? std::get_if<Point>(&grp.value) : nullptr) {
            if (p.empty()) p.move_to({v->x, v->y});
            else p.line_to({v->x, v->y});
        }
    p.transform(in.xf);
    stroke(std::move(p), lk);
}

void Builder::point(const GroupList& g, const Inherit& in, const Look& lk) {
    m_scene.items.push_back(Dot{in.xf.apply(group_point(g, 10).value_or(Vec2{})), on_white_paper(lk.colour)});
}

}  // namespace cadhost::plot
