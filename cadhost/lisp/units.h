// Distances as text in the host's linear unit modes (1 scientific,
// 2 decimal, 3 engineering, 4 architectural, 5 fractional) and back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cadhost::lisp {

class Units {
public:
    // Modes outside 1..5 are treated as decimal; precision is clamped to 0..8.
    static std::string format(double value, int mode, int precision);
    // Accepts any of the unit forms; nullopt when the text is not a distance.
    static std::optional<double> parse(std::string_view text);

private:
    static std::string feet_inches(double value, int precision, int mode);
    static std::string fraction(double value, int precision);
    static std::optional<double> parse_inches(std::string_view text);
};

}  // namespace cadhost::lisp
