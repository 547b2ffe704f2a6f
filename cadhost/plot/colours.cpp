// The indexed colour palette and the print mapping for white paper.
#include "plot/colours.h"

#include <algorithm>
#include <cmath>

namespace cadhost::plot {

namespace {

Rgb from_unit(double r, double g, double b) {
    auto c = [](double v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    return {c(r), c(g), c(b)};
}

// Indexes 10..249 run through 24 hues 15 degrees apart, ten shades each:
// pairs of (full, half-saturated) colours at falling brightness.
Rgb shaded_hue(int index) {
    static const double kValue[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    int hue_step = (index - 10) / 10, shade = (index - 10) % 10;
    double v = kValue[shade / 2], s = shade % 2 ? 0.5 : 1.0;
    double h = hue_step * 15.0 / 60.0;  // sextant, 0..6
    int i = static_cast<int>(h);
    double f = h - i, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i % 6) {
    case 0: return from_unit(v, t, p);
    case 1: return from_unit(q, v, p);
    case 2: return from_unit(p, v, t);
    case 3: return from_unit(p, q, v);
    case 4: return from_unit(t, p, v);
    default: return from_unit(v, p, q);
    }
}

}  // namespace

Rgb index_colour(int index) {
    static const Rgb kFirst[10] = {{255, 255, 255}, {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
                                   {0, 0, 255},     {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
    if (index >= 1 && index <= 9) return kFirst[index];
    if (index >= 10 && index <= 249) return shaded_hue(index);
    if (index >= 250 && index <= 255) {
        auto g = static_cast<uint8_t>(51 + (index - 250) * 40.8);
        return {g, g, g};
    }
    return kFirst[7];
}

Rgb packed_colour(int32_t value) {
    auto u = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u)};
}

double luminance(Rgb c) { return (0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b) / 255.0; }

Rgb on_white_paper(Rgb c) {
    if (c.r >= 250 && c.g >= 250 && c.b >= 250) return {0, 0, 0};
    double l = luminance(c);
    if (l <= kMaxPaperLuminance) return c;
    double k = kMaxPaperLuminance / l;
    return from_unit(c.r * k / 255.0, c.g * k / 255.0, c.b * k / 255.0);
}

}  // namespace cadhost::plot
