// MTEXT as plain lines; ELLIPSE and SPLINE as points along the curve.
#include "classic_forms.h"

#include <algorithm>
#include <cmath>

namespace cadhost::db {

namespace {

// Codes whose argument runs to the next ';' (font, height, colour, width,
// tracking, slant, alignment, indents).
bool code_with_argument(char c) { return std::string_view("AaCcFfHhQqTtWwp").find(c) != std::string_view::npos; }

// Codes that switch a style on or off and take no argument.
bool switch_code(char c) { return std::string_view("LlOoKkNn").find(c) != std::string_view::npos; }

}  // namespace

std::vector<std::string> mtext_lines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '{' || c == '}') continue;
        if (c != '\\' || i + 1 == text.size()) {
            lines.back() += c;
            continue;
        }
        char code = text[++i];
        if (code == 'P') {
            lines.emplace_back();
        } else if (code == '~') {
            lines.back() += ' ';
        } else if (code == 'S') {
            // A stacked fraction "\Sa^b;" (or a/b, a#b) reads a/b.
            size_t stop = text.find(';', i + 1);
            std::string_view body = text.substr(i + 1, stop == std::string_view::npos ? std::string_view::npos : stop - i - 1);
            for (char b : body) lines.back() += (b == '^' || b == '#') ? '/' : b;
            i = stop == std::string_view::npos ? text.size() : stop;
        } else if (code_with_argument(code)) {
            size_t stop = text.find(';', i + 1);
            i = stop == std::string_view::npos ? text.size() : stop;
        } else if (!switch_code(code)) {
            lines.back() += code;  // \\, \{, \} and unknown codes stand for their character
        }
    }
    return lines;
}

namespace {

Point add(Point a, Point b, double k) { return {a.x + k * b.x, a.y + k * b.y, a.z + k * b.z, 3}; }
Point cross(Point a, Point b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x, 3}; }

Point unit(Point p) {
    double n = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    return n > 0 ? Point{p.x / n, p.y / n, p.z / n, 3} : Point{0, 0, 1, 3};
}

// Segments for a sweep: 64 for a whole turn, at least 4.
size_t segments(double sweep) {
    return std::max<size_t>(4, static_cast<size_t>(std::ceil(64 * std::fabs(sweep) / (2 * M_PI))));
}

double sweep_of(const EllipseShape& e) {
    double sweep = e.end - e.start;
    while (sweep <= 0) sweep += 2 * M_PI;
    return std::min(sweep, 2 * M_PI);
}

}  // namespace

bool whole_ellipse(const EllipseShape& e) { return std::fabs(sweep_of(e) - 2 * M_PI) < 1e-9; }

std::vector<Point> ellipse_points(const EllipseShape& e) {
    Point minor = cross(unit(e.normal), e.major);
    minor = {minor.x * e.ratio, minor.y * e.ratio, minor.z * e.ratio, 3};
    double sweep = sweep_of(e);
    size_t n = segments(sweep);
    bool whole = whole_ellipse(e);
    std::vector<Point> out;
    for (size_t i = 0; i <= n; ++i) {
        if (whole && i == n) break;
        double t = i == n ? e.end : e.start + sweep * static_cast<double>(i) / static_cast<double>(n);
        out.push_back(add(add(e.center, e.major, std::cos(t)), minor, std::sin(t)));
    }
    return out;
}

namespace {

// The point at parameter u by de Boor's algorithm on homogeneous points.
Point de_boor(const SplineShape& s, double u, size_t span) {
    int p = s.degree;
    struct H {
        double x, y, z, w;
    };
    std::vector<H> d(static_cast<size_t>(p) + 1);
    for (int j = 0; j <= p; ++j) {
        size_t k = span - static_cast<size_t>(p) + static_cast<size_t>(j);
        double w = s.weights.empty() ? 1.0 : s.weights[k];
        d[static_cast<size_t>(j)] = {s.control[k].x * w, s.control[k].y * w, s.control[k].z * w, w};
    }
    for (int r = 1; r <= p; ++r)
        for (int j = p; j >= r; --j) {
            size_t k = span - static_cast<size_t>(p) + static_cast<size_t>(j);
            double lo = s.knots[k], hi = s.knots[k + static_cast<size_t>(p - r) + 1];
            double a = hi > lo ? (u - lo) / (hi - lo) : 0;
            H& cur = d[static_cast<size_t>(j)];
            const H& prev = d[static_cast<size_t>(j - 1)];
            cur = {(1 - a) * prev.x + a * cur.x, (1 - a) * prev.y + a * cur.y, (1 - a) * prev.z + a * cur.z,
                   (1 - a) * prev.w + a * cur.w};
        }
    const H& h = d[static_cast<size_t>(p)];
    return h.w != 0 ? Point{h.x / h.w, h.y / h.w, h.z / h.w, 3} : Point{h.x, h.y, h.z, 3};
}

}  // namespace

std::vector<Point> spline_points(const SplineShape& s) {
    if (s.control.empty()) return s.fit;
    size_t n = s.control.size();
    if (s.degree < 1 || n < static_cast<size_t>(s.degree) + 1 || s.knots.size() != n + static_cast<size_t>(s.degree) + 1)
        return {};
    if (!s.weights.empty() && s.weights.size() != n) return {};
    size_t p = static_cast<size_t>(s.degree);
    std::vector<Point> out;
    // Each span of the domain [knots[p], knots[n]] in even steps, its end
    // being the next span's start; the domain's end closes the list.
    constexpr size_t kSteps = 16;
    for (size_t span = p; span < n; ++span) {
        double lo = s.knots[span], hi = s.knots[span + 1];
        if (hi <= lo) continue;
        for (size_t k = 0; k < kSteps; ++k) out.push_back(de_boor(s, lo + (hi - lo) * static_cast<double>(k) / kSteps, span));
    }
    size_t last = n - 1;
    while (last > p && s.knots[last + 1] <= s.knots[last]) --last;
    out.push_back(de_boor(s, s.knots[n], std::max(last, p)));
    return out;
}

}  // namespace cadhost::db
