// SVG output of image tiles, so a person can look at what a dialog drew.
#pragma once

#include <string>
#include <vector>

#include "slide/image.h"

namespace cadhost::slide {

struct SvgPanel {
    std::string title;  // shown under the image
    int width = 0, height = 0;
    ImageOps ops;
};

// One document with the panels side by side, wrapping after `per_row`.
std::string svg_document(const std::vector<SvgPanel>& panels, int per_row = 5);

}  // namespace cadhost::slide
