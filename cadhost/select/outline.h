// What an entity looks like to selection: its segments, exact arcs and
// lone points in drawing coordinates, taken from its ADS-form list (and,
// for block references, from the entities of its block).
#pragma once

#include <vector>

#include "db/drawing.h"
#include "select/kernel.h"

namespace cadhost::select {

struct Outline {
    std::vector<Segment> segments;
    std::vector<Arc> arcs;
    std::vector<Point> points;
    bool empty() const { return segments.empty() && arcs.empty() && points.empty(); }
};

class OutlineBuilder {
public:
    explicit OutlineBuilder(const db::Drawing& d) : m_drawing(d) {}
    // The outline of entity e whose list is g.
    Outline build(EntityRef e, const GroupList& g) const;

    // A 2D affine map p -> A p + t (block insertion, nested).
    struct Affine {
        double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;  // x' = a x + b y + tx, y' = c x + d y + ty
        Point apply(const Point& p) const { return Point{a * p.x + b * p.y + tx, c * p.x + d * p.y + ty, p.z}; }
        Affine then(const Affine& outer) const;
        bool identity() const { return a == 1 && b == 0 && c == 0 && d == 1 && tx == 0 && ty == 0; }
    };

private:
    void add(EntityRef e, const GroupList& g, const Affine& x, int depth, Outline& o) const;
    void add_polyline(EntityRef e, const GroupList& g, const Affine& x, Outline& o) const;
    void add_insert(EntityRef e, const GroupList& g, const Affine& x, int depth, Outline& o) const;

    const db::Drawing& m_drawing;
};

}  // namespace cadhost::select
