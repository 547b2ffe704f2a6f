// The R12 forms of entities R12 lacks: the plain lines of an MTEXT, and the
// points of polylines that follow an ELLIPSE or a SPLINE.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/value.h"

namespace cadhost::db {

// The text of an MTEXT (its 3 groups then its 1 group, joined) as plain
// lines: paragraph breaks split lines, formatting codes and grouping braces
// go, stacked fractions read "a/b", escaped characters stay.
std::vector<std::string> mtext_lines(std::string_view text);

struct EllipseShape {
    Point center;
    Point major;        // end of the major axis, relative to the center
    Point normal{0, 0, 1};
    double ratio = 1;   // minor to major axis
    double start = 0;   // parameters, radians
    double end = 0;
};
// Points along the ellipse from its start to its end parameter, both
// included; a whole ellipse gives its points once (the polyline closes it).
std::vector<Point> ellipse_points(const EllipseShape& e);
bool whole_ellipse(const EllipseShape& e);

struct SplineShape {
    int degree = 3;
    std::vector<double> knots;
    std::vector<Point> control;
    std::vector<double> weights;  // empty: every weight is 1
    std::vector<Point> fit;       // used when there are no control points
};
// Points along the curve from its first to its last knot in its domain, or
// the fit points themselves when the spline has no control points. Empty
// when the knots do not fit the control points and degree.
std::vector<Point> spline_points(const SplineShape& s);

}  // namespace cadhost::db
