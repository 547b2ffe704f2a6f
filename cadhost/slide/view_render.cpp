// Drawing view to slide: clipping (Liang-Barsky) and mapping to dots.
#include "slide/view_render.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "slide/messages.h"

namespace cadhost::slide {

namespace {

struct Box {
    double x0, y0, x1, y1;
};

// Clips the segment to the box; nullopt when nothing of it is inside.
std::optional<Segment2> clip(const Segment2& s, const Box& b) {
    double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    double p[4] = {-dx, dx, -dy, dy};
    double q[4] = {s.x1 - b.x0, b.x1 - s.x1, s.y1 - b.y0, b.y1 - s.y1};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return std::nullopt;
    }
    Segment2 r = s;
    r.x1 = s.x1 + t0 * dx, r.y1 = s.y1 + t0 * dy;
    r.x2 = s.x1 + t1 * dx, r.y2 = s.y1 + t1 * dy;
    return r;
}

bool finite_all(std::initializer_list<double> vs) {
    for (double v : vs)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

Result<Slide> render_view(const std::vector<Segment2>& segments, const ViewSpec& v) {
    if (!finite_all({v.centre_x, v.centre_y, v.height, v.aspect}) || v.height <= 0 || v.aspect <= 0 ||
        v.high_y < 1 || v.high_y > 0x7fff)
        return Error{text(Msg::BadSize)};
    double high_x = std::round(v.high_y * v.aspect);
    if (high_x < 1 || high_x > 0x7fff) return Error{text(Msg::BadSize)};
    Slide s;
    s.high_x = static_cast<int>(high_x);
    s.high_y = v.high_y;
    s.aspect = v.aspect;
    double width = v.height * v.aspect;
    Box box{v.centre_x - width / 2, v.centre_y - v.height / 2, v.centre_x + width / 2, v.centre_y + v.height / 2};
    double scale = v.high_y / v.height;  // dots per drawing unit, the same on both axes
    auto dot = [&](double d, double origin, int high) {
        long r = std::lround((d - origin) * scale);
        return static_cast<int>(std::clamp<long>(r, 0, high));
    };
    for (const Segment2& seg : segments) {
        if (!finite_all({seg.x1, seg.y1, seg.x2, seg.y2})) continue;
        auto c = clip(seg, box);
        if (!c) continue;
        s.add_vector(dot(c->x1, box.x0, s.high_x), dot(c->y1, box.y0, s.high_y), dot(c->x2, box.x0, s.high_x),
                     dot(c->y2, box.y0, s.high_y), seg.color & 0xff);
    }
    return s;
}

}  // namespace cadhost::slide
