// Formatting and parsing of distances in the linear unit modes.
#include "units.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace cadhost::lisp {

namespace {
std::string fixed(double v, int precision) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", precision, v);
    std::string s = buf;
    // A value that rounds to zero has no sign.
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

std::string trim(std::string_view t) {
    size_t b = t.find_first_not_of(" \t");
    if (b == std::string_view::npos) return "";
    size_t e = t.find_last_not_of(" \t");
    return std::string(t.substr(b, e - b + 1));
}

std::optional<double> whole_number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    double d = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(d)) return std::nullopt;
    return d;
}
}  // namespace

std::string Units::format(double value, int mode, int precision) {
    precision = std::clamp(precision, 0, 8);
    // Fractions are counted in whole steps; beyond that range decimals are exact enough.
    bool countable = std::isfinite(value) && std::fabs(value) < 1e15;
    if (!countable && mode != 1) mode = 2;
    switch (mode) {
    case 1: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*E", precision, value);
        return buf;
    }
    case 3:
    case 4: return feet_inches(value, precision, mode);
    case 5: return fraction(value, precision);
    default: return fixed(value, precision);
    }
}

std::string Units::feet_inches(double value, int precision, int mode) {
    std::string sign = value < 0 ? "-" : "";
    double a = std::fabs(value);
    double step = mode == 3 ? std::pow(10.0, -precision) : 1.0 / double(1 << precision);
    double rounded = std::round(a / step) * step;  // rounding first keeps 12" from appearing
    double feet = std::floor(rounded / 12.0 + 1e-9);
    double inches = std::max(0.0, rounded - feet * 12.0);
    if (rounded == 0) sign.clear();
    std::string in = mode == 3 ? fixed(inches, precision) : fraction(inches, precision);
    return sign + fixed(feet, 0) + "'-" + in + "\"";
}

std::string Units::fraction(double value, int precision) {
    std::string sign = value < 0 ? "-" : "";
    long den = 1L << precision;
    long total = std::lround(std::fabs(value) * double(den));
    long whole = total / den;
    long num = total % den;
    if (total == 0) return "0";
    while (num && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    std::string s = sign;
    if (whole) s += std::to_string(whole);
    if (num) s += (whole ? " " : "") + std::to_string(num) + "/" + std::to_string(den);
    return s;
}

// "3", "3.5", "3 1/2", "1/2", optionally followed by a '"'.
std::optional<double> Units::parse_inches(std::string_view text) {
    std::string t = trim(text);
    if (!t.empty() && t.back() == '"') t = trim(std::string_view(t).substr(0, t.size() - 1));
    if (t.empty()) return std::nullopt;
    size_t slash = t.find('/');
    if (slash == std::string::npos) return whole_number(t);
    size_t space = t.find(' ');
    double whole = 0;
    std::string frac = t;
    if (space != std::string::npos && space < slash) {
        auto w = whole_number(t.substr(0, space));
        if (!w) return std::nullopt;
        whole = *w;
        frac = trim(std::string_view(t).substr(space + 1));
        slash = frac.find('/');
    }
    auto num = whole_number(frac.substr(0, slash));
    auto den = whole_number(frac.substr(slash + 1));
    if (!num || !den || *den == 0) return std::nullopt;
    return whole + *num / *den;
}

std::optional<double> Units::parse(std::string_view text) {
    std::string t = trim(text);
    double sign = 1;
    if (!t.empty() && t[0] == '-') {
        sign = -1;
        t = trim(std::string_view(t).substr(1));
    }
    size_t tick = t.find('\'');
    if (tick == std::string::npos) {
        auto v = parse_inches(t);
        if (!v) return std::nullopt;
        return sign * *v;
    }
    auto feet = whole_number(trim(std::string_view(t).substr(0, tick)));
    if (!feet) return std::nullopt;
    std::string rest = trim(std::string_view(t).substr(tick + 1));
    if (!rest.empty() && rest[0] == '-') rest = trim(std::string_view(rest).substr(1));
    double inches = 0;
    if (!rest.empty()) {
        auto v = parse_inches(rest);
        if (!v) return std::nullopt;
        inches = *v;
    }
    return sign * (*feet * 12.0 + inches);
}

}  // namespace cadhost::lisp
