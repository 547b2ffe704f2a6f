// Renders a view of a drawing, given as 2D line segments, to a slide: the
// segments are clipped to the view and mapped onto the slide's screen.
#pragma once

#include <vector>

#include "slide/slide.h"

namespace cadhost::slide {

struct Segment2 {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // drawing units
    int color = 7;                         // 1-255
};

struct ViewSpec {
    double centre_x = 0, centre_y = 0;
    double height = 1;   // drawing units shown from bottom to top
    double aspect = 1;   // width / height of the view
    int high_y = 767;    // screen height in dots minus one; width follows the aspect
};

Result<Slide> render_view(const std::vector<Segment2>& segments, const ViewSpec& view);

}  // namespace cadhost::slide
