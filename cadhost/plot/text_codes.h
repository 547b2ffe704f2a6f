// The control codes inside drawing texts: "%%" codes of single-line texts
// (degree, plus/minus, diameter, percent, character numbers, underline and
// overline switches) and the formatting codes of paragraph texts.
#pragma once

#include <string_view>
#include <vector>

#include "plot/scene.h"

namespace cadhost::plot {

// One line of a single-line text, split where underline or overline
// switches on or off.
TextLine decode_text(std::string_view text);
// A paragraph text: "\P" breaks lines; font, height, colour and other
// formatting codes are dropped, stacked fractions become "a/b".
std::vector<TextLine> decode_mtext(std::string_view text);
// UTF-8 for one code point (replacement character for invalid ones).
std::string utf8(unsigned code);

}  // namespace cadhost::plot
