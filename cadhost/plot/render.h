// Writes a plot scene to a PDF and an SVG file through cairo: one page of
// the chosen paper, the plot area centred on it at a fixed or fitted scale.
#pragma once

#include <string>

#include "core/result.h"
#include "plot/scene.h"

namespace cadhost::plot {

// The part of the drawing plotted, in drawing units.
struct Area {
    Vec2 lo, hi;
};

struct PageSetup {
    double long_mm = 420, short_mm = 297;  // paper sides; the page turns to suit the area's shape
    double scale = 0;                      // paper millimetres per drawing unit; 0: fit the area to the paper
    double pen_mm = 0.25;                  // lines of no width of their own
    double margin_mm = 10;
    std::string title;                     // document title of the PDF
};

// The text measure of the fonts the renderer draws with.
TextMeasure cairo_measure();

// The page size in millimetres (width, height) that `write_plot` uses.
Vec2 page_size(const Area& area, const PageSetup& setup);

// Draws the area onto the page and writes both files. Each is written
// under a temporary name beside it and renamed, so a failed plot leaves
// no half-written file and keeps an older one.
Status write_plot(const Scene& scene, const Area& area, const PageSetup& setup, const std::string& pdf_path,
                  const std::string& svg_path);

}  // namespace cadhost::plot
