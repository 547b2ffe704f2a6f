// Drawing slides into image tiles and the colour palette used for output.
#include "slide/image.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>

namespace cadhost::slide {

namespace {

// Maps slide dots into the fitted rectangle.
struct Fit {
    double ox = 0, oy = 0;  // top left of the drawn area
    double sx = 1, sy = 1;  // pixels per slide dot
    int high_y = 0;
    std::pair<int, int> map(int dx, int dy) const {
        return {static_cast<int>(std::lround(ox + dx * sx)), static_cast<int>(std::lround(oy + (high_y - dy) * sy))};
    }
};

Fit fit_slide(const Slide& s, int x, int y, int width, int height) {
    Fit f;
    f.high_y = s.high_y;
    double aspect = s.aspect > 0 ? s.aspect : 1.0;
    double w = std::max(width - 1, 0), h = std::max(height - 1, 0);
    double draw_w = w, draw_h = w / aspect;
    if (draw_h > h) draw_h = h, draw_w = h * aspect;
    f.ox = x + (w - draw_w) / 2;
    f.oy = y + (h - draw_h) / 2;
    f.sx = s.high_x > 0 ? draw_w / s.high_x : 0;
    f.sy = s.high_y > 0 ? draw_h / s.high_y : 0;
    return f;
}

const Rgb kBasic[10] = {{0, 0, 0},     {255, 0, 0},     {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
                        {0, 0, 255},   {255, 0, 255},   {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};

// 10-249: 24 hues of 15 degrees, five brightness steps, full and half
// saturation alternating.
Rgb palette_color(int c) {
    double hue = ((c - 10) / 10) * 15.0;
    int step = (c % 10) / 2;
    const double value[5] = {1.0, 0.65, 0.5, 0.3, 0.15};
    double sat = (c % 2) ? 0.5 : 1.0;
    double v = value[step];
    double hh = hue / 60.0;
    int sector = static_cast<int>(hh) % 6;
    double frac = hh - std::floor(hh);
    double p = v * (1 - sat), q = v * (1 - sat * frac), t = v * (1 - sat * (1 - frac));
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    auto byte = [](double d) { return static_cast<uint8_t>(std::lround(d * 255)); };
    return {byte(r), byte(g), byte(b)};
}

}  // namespace

void draw_slide(const Slide& s, int x, int y, int width, int height, ImageOps& out) {
    Fit f = fit_slide(s, x, y, width, height);
    for (const SlideShape& sh : s.shapes) {
        ImageOp op;
        if (sh.kind == ShapeKind::Vector) {
            op.kind = OpKind::Vector;
            std::tie(op.x1, op.y1) = f.map(sh.vector.x1, sh.vector.y1);
            std::tie(op.x2, op.y2) = f.map(sh.vector.x2, sh.vector.y2);
            op.color = sh.vector.color;
        } else {
            op.kind = OpKind::Polygon;
            for (auto [px, py] : sh.fill.vertices) op.points.push_back(f.map(px, py));
            op.color = sh.fill.color;
        }
        out.push_back(std::move(op));
    }
}

Rgb color_rgb(int c) {
    if (c >= 0 && c < 10) return kBasic[c];
    if (c >= 10 && c < 250) return palette_color(c);
    if (c >= 250 && c <= 255) {
        const uint8_t grey[6] = {51, 91, 132, 173, 214, 255};
        return {grey[c - 250], grey[c - 250], grey[c - 250]};
    }
    switch (c) {
    case -2:   // background of the graphics screen
        return {0, 0, 0};
    case -15:  // dialog background
        return {212, 208, 200};
    case -16:  // dialog foreground (text)
    case -18:  // dialog lines
        return {0, 0, 0};
    default: return {255, 255, 255};
    }
}

std::string color_hex(int c) {
    Rgb rgb = color_rgb(c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
    return buf;
}

}  // namespace cadhost::slide
