// Pieces of DXF text for drawings written inline in tests: a group, a
// number written exactly, and a point.
#pragma once

#include <sstream>
#include <string>

namespace wcraft::test {

inline std::string g(int code, const std::string& value) { return std::to_string(code) + "\n" + value + "\n"; }

inline std::string num(double v) {
    std::ostringstream s;
    s.precision(17);
    s << v;
    return s.str();
}

inline std::string point(int code, double x, double y) {
    return g(code, num(x)) + g(code + 10, num(y)) + g(code + 20, "0.0");
}

}  // namespace wcraft::test
