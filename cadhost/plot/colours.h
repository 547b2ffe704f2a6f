// Colours of plotted entities: the 255 indexed colours of the drawing and
// their print form on white paper, where white prints black and pale
// colours are darkened until they read against the paper.
#pragma once

#include <cstdint>

namespace cadhost::plot {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Screen colour of an index 1..255 (index 7 is white on the screen's black
// background); other indexes give white too.
Rgb index_colour(int index);
// A true colour as group 420 holds it: 0xRRGGBB.
Rgb packed_colour(int32_t value);
// The colour as it prints on white paper: pure white becomes black, and a
// colour lighter than the paper can show is scaled down towards black,
// keeping its hue, so that its relative luminance is at most kMaxPaperLuminance.
Rgb on_white_paper(Rgb c);
// Relative luminance 0..1 (sRGB weights on the gamma-encoded values).
double luminance(Rgb c);
inline constexpr double kMaxPaperLuminance = 0.45;

}  // namespace cadhost::plot
