// Break points and line pieces.
#include "linetools/line_geometry.h"

#include <cmath>
#include <utility>

namespace symvault {

namespace {

double distance(const Pt3& a, const Pt3& b) { return std::hypot(std::hypot(a.x - b.x, a.y - b.y), a.z - b.z); }

}  // namespace

Pt3 place_block_point(const InsertPlacement& ins, const Pt3& p) {
    double c = std::cos(ins.rotation), s = std::sin(ins.rotation);
    double x = (p.x - ins.base.x) * ins.sx, y = (p.y - ins.base.y) * ins.sy;
    return Pt3{c * x - s * y + ins.at.x, s * x + c * y + ins.at.y, p.z - ins.base.z + ins.at.z};
}

Pt3 attribute_point(const Pt3& insertion, const std::optional<Pt3>& alignment, int j72, int j73, int j74) {
    bool justified = j72 != 0 || j73 != 0 || j74 != 0;
    return justified && alignment ? *alignment : insertion;
}

void complete_pairs(std::vector<Pt3>& points) {
    if (points.size() == 1) points.push_back(points.front());
}

std::pair<Segment, Segment> cut_line(const Segment& line, Pt3 p, Pt3 q) {
    if (distance(line.start, p) > distance(line.start, q)) std::swap(p, q);
    return {Segment{line.start, p}, Segment{q, line.end}};
}

double plane_angle(const Pt3& a, const Pt3& b) {
    double r = std::atan2(b.y - a.y, b.x - a.x);
    return r < 0 ? r + 2 * M_PI : r;
}

std::optional<Segment> joined_line(Segment a, Segment b) {
    if (a.end.x < a.start.x) std::swap(a.start, a.end);
    if (b.end.x < b.start.x) std::swap(b.start, b.end);
    if (b.start.x < a.start.x) std::swap(a, b);
    auto angle = [](const Pt3& from, const Pt3& to) {
        double r = plane_angle(from, to);
        return r > 6.28315 ? 0.0 : r;
    };
    double a1 = angle(a.start, a.end), a2 = angle(a.start, b.start), a3 = angle(a.start, b.end);
    if (std::fabs(a1 - a2) < 0.0001 && std::fabs(a2 - a3) < 0.0001 && a.end.x < b.end.x)
        return Segment{a.start, b.end};
    return std::nullopt;
}

}  // namespace symvault
