// What a plot draws: the visible model space of a drawing, block references
// expanded, reduced to stroked paths, filled areas, dots and texts in
// drawing coordinates with their print colours. Building it needs only the
// drawing database; writing it out is render.h's business.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/value.h"
#include "plot/colours.h"

namespace cadhost::db {
class Drawing;
}

namespace cadhost::plot {

struct Vec2 {
    double x = 0, y = 0;
    bool operator==(const Vec2&) const = default;
};

// An affine map of the plane: x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Vec2 apply(Vec2 p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    Vec2 apply_linear(Vec2 p) const { return {a * p.x + c * p.y, b * p.x + d * p.y}; }
    // This map after `first`: (this * first)(p) = this(first(p)).
    Affine operator*(const Affine& first) const;
    // The mean factor by which lengths grow (square root of the determinant's size).
    double scale() const;
    static Affine translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
    static Affine rotate(double radians);
    static Affine scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
};

// A path of straight pieces and cubic Bezier curves (arcs are turned into
// curves, which an affine map carries over exactly).
struct Path {
    enum class Op : uint8_t { Move, Line, Curve, Close };
    std::vector<Op> ops;
    std::vector<Vec2> pts;  // Move and Line take one point, Curve three, Close none
    void move_to(Vec2 p) { ops.push_back(Op::Move), pts.push_back(p); }
    void line_to(Vec2 p) { ops.push_back(Op::Line), pts.push_back(p); }
    void curve_to(Vec2 c1, Vec2 c2, Vec2 p) { ops.push_back(Op::Curve), pts.insert(pts.end(), {c1, c2, p}); }
    void close() { ops.push_back(Op::Close); }
    // Circular arc about c from angle a0 through the signed sweep, joined to
    // the path with a line (or starting it when the path is empty).
    void arc(Vec2 c, double r, double a0, double sweep);
    void transform(const Affine& m);
    bool empty() const { return ops.empty(); }
};

struct Pen {
    Rgb colour;
    double width = 0;            // drawing units; 0: the plot's pen width
    std::vector<double> dashes;  // drawing units, as a linetype gives them; empty: continuous
};

struct Stroke {
    Path path;
    Pen pen;
};

struct Fill {
    Path path;  // closed outlines, filled with the non-zero rule
    Rgb colour;
};

struct Dot {
    Vec2 at;
    Rgb colour;
};

enum class HAlign { Left, Center, Right };
enum class VAlign { Baseline, Bottom, Middle, Top };

// A piece of a text line drawn with one decoration.
struct TextRun {
    std::string text;  // UTF-8, control codes already resolved
    bool underline = false, overline = false;
};
using TextLine = std::vector<TextRun>;

struct Text {
    std::vector<TextLine> lines;
    std::string font;     // font family for the renderer: "sans-serif", "serif", "monospace"
    double height = 1;    // capital letter height in the text's own frame
    double width_factor = 1;
    double oblique = 0;   // radians, slant of the letters
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Baseline;
    double fit_width = 0;      // > 0: stretched sideways to this width (height kept)
    double aligned_width = 0;  // > 0: scaled as a whole to this width
    double wrap_width = 0;     // > 0: lines broken at blanks to stay within it
    double line_spacing = 0;   // baseline to baseline; 0: 5/3 of the height
    bool mirror_x = false, mirror_y = false;  // written backwards, upside down
    // The text's own frame (origin at the alignment point, x along the
    // baseline, y up, drawing units) into the drawing.
    Affine place;
    Rgb colour;
};

// Width of a text at capital height 1 and width factor 1, in the font the
// renderer uses; the layout of texts depends on it.
using TextMeasure = std::function<double(const std::string& font, const std::string& text)>;

// Where each line of a text goes in the text's own frame, after wrapping.
struct PlacedLine {
    TextLine runs;
    double x = 0, baseline = 0;  // start of the line
    double sx = 1, sy = 1;       // stretch of fit and aligned texts
    double width = 0;            // unstretched
};
std::vector<PlacedLine> layout_text(const Text& t, const TextMeasure& measure);
inline constexpr double kDescent = 0.25;  // below the baseline, in text heights

struct Box {
    Vec2 lo{1e300, 1e300}, hi{-1e300, -1e300};
    bool empty() const { return lo.x > hi.x || lo.y > hi.y; }
    void add(Vec2 p);
};

// One thing drawn; a scene keeps them in the drawing's order, so that
// later entities cover earlier ones as they do on the screen.
using Item = std::variant<Stroke, Fill, Dot, Text>;

struct Scene {
    std::vector<Item> items;
    // What could not be drawn, one line each (unknown block, nesting too deep).
    std::vector<std::string> notes;
    // The extents of everything drawn; texts measured with `measure`.
    Box extents(const TextMeasure& measure) const;
};

// The visible model space of the drawing. Tables are read through
// tblsearch, so the drawing is not const, but nothing in it changes.
Scene build_scene(db::Drawing& drawing);

}  // namespace cadhost::plot
