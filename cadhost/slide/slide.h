// A slide: a screen-sized picture made of vectors and solid-filled polygons,
// and its binary file form (header, then 16-bit records).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.h"

namespace cadhost::slide {

using Bytes = std::vector<uint8_t>;

// One vector in screen dots, (0,0) at the bottom left.
struct SlideVector {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int color = 7;
    bool operator==(const SlideVector&) const = default;
};

// A solid-filled polygon of up to kMaxFillVertices vertices.
struct SlideFill {
    std::vector<std::pair<int, int>> vertices;
    int color = 7;
    bool operator==(const SlideFill&) const = default;
};

enum class ShapeKind { Vector, Fill };

// Vectors and fills keep their drawing order through one list of shapes.
struct SlideShape {
    ShapeKind kind = ShapeKind::Vector;
    SlideVector vector;
    SlideFill fill;
    bool operator==(const SlideShape&) const = default;
};

struct Slide {
    int high_x = 0;          // screen width in dots minus one
    int high_y = 0;          // screen height in dots minus one
    double aspect = 1.0;     // physical width / height of the screen
    int hardware_fill = 0;   // 2 when the screen that made it could fill
    std::vector<SlideShape> shapes;

    void add_vector(int x1, int y1, int x2, int y2, int color);
    void add_fill(std::vector<std::pair<int, int>> vertices, int color);
};

inline constexpr size_t kMaxFillVertices = 10;

// Parses a slide file; both byte orders are accepted (the header says which).
Result<Slide> read_slide(const Bytes& data, const std::string& file_name = "");
// Writes the slide in little-endian order with full vector records.
Result<Bytes> write_slide(const Slide& slide);

}  // namespace cadhost::slide
