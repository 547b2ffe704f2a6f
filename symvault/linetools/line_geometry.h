// The geometry of breaking and mending lines at a symbol: its break points
// and the decisions taken for each pair of them. Nothing here calls the host.
#pragma once

#include <optional>
#include <vector>

namespace symvault {

struct Pt3 {
    double x = 0, y = 0, z = 0;
};

struct InsertPlacement {
    Pt3 at;                        // group 10
    double sx = 1, sy = 1;         // groups 41, 42
    double rotation = 0;           // group 50, radians
    Pt3 base;                      // the block definition's base point
};

// A point of the block definition in drawing coordinates: taken from the
// block's base point, scaled, turned and moved to the insertion point, as
// the host draws it. (A block written from the drawing keeps its objects
// where they were, with its base point beside them, so the base matters.)
Pt3 place_block_point(const InsertPlacement& ins, const Pt3& p);

// An "ID" attribute's break point: its alignment point when it has any
// justification (72, 73 or 74 non-zero), else its insertion point.
Pt3 attribute_point(const Pt3& insertion, const std::optional<Pt3>& alignment, int j72, int j73, int j74);

// One point is paired with itself.
void complete_pairs(std::vector<Pt3>& points);

struct Segment {
    Pt3 start, end;
};

// The two lines a line through P and Q becomes: start to the nearer of the
// two, the farther to the end.
std::pair<Segment, Segment> cut_line(const Segment& line, Pt3 p, Pt3 q);

// The host's angle from a to b in the plane, 0 to 2 pi.
double plane_angle(const Pt3& a, const Pt3& b);

// Two collinear pieces as one line, when they join: ordered by X, with the
// angles from the first start to the first end, the second start and the
// second end equal, and the first ending left of the second. Pieces of a
// vertical line (equal X) never join.
std::optional<Segment> joined_line(Segment a, Segment b);

}  // namespace symvault
