// What an image tile holds: a list of fills, vectors and polygons in tile
// pixels ((0,0) at the top left), and how a slide is drawn into such a list.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "slide/slide.h"

namespace cadhost::slide {

enum class OpKind { Fill, Vector, Polygon };

struct ImageOp {
    OpKind kind = OpKind::Vector;
    int x1 = 0, y1 = 0;  // Fill: top left corner; Vector: start
    int x2 = 0, y2 = 0;  // Fill: width and height; Vector: end
    std::vector<std::pair<int, int>> points;  // Polygon vertices
    int color = 7;
    bool operator==(const ImageOp&) const = default;
};

using ImageOps = std::vector<ImageOp>;

// Draws the slide into the rectangle, scaled to fit with its aspect ratio
// kept and centred; slide y grows upwards, tile y downwards.
void draw_slide(const Slide& s, int x, int y, int width, int height, ImageOps& out);

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
// Colour numbers 0-255 of the host's palette; negative numbers are the
// dialog's own colours (background, foreground, lines).
Rgb color_rgb(int color);
std::string color_hex(int color);

}  // namespace cadhost::slide
