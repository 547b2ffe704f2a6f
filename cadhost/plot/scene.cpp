// Geometry of the plot scene: affine maps, paths with arcs as curves, the
// layout of text lines and the extents of a scene.
#include "plot/scene.h"

#include <algorithm>
#include <cmath>

namespace cadhost::plot {

Affine Affine::operator*(const Affine& m) const {
    return {a * m.a + c * m.b, b * m.a + d * m.b, a * m.c + c * m.d, b * m.c + d * m.d,
            a * m.e + c * m.f + e, b * m.e + d * m.f + f};
}

double Affine::scale() const { return std::sqrt(std::abs(a * d - b * c)); }

Affine Affine::rotate(double r) {
    double cs = std::cos(r), sn = std::sin(r);
    return {cs, sn, -sn, cs, 0, 0};
}

void Path::arc(Vec2 c, double r, double a0, double sweep) {
    auto at = [&](double a) { return Vec2{c.x + r * std::cos(a), c.y + r * std::sin(a)}; };
    if (empty()) move_to(at(a0));
    else line_to(at(a0));
    // Pieces of at most a quarter turn keep the curve within 0.03% of the radius.
    int n = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (M_PI / 2) - 1e-9)));
    double step = sweep / n, k = 4.0 / 3.0 * std::tan(step / 4);
    for (int i = 0; i < n; ++i) {
        double s = a0 + i * step, t = s + step;
        Vec2 p0 = at(s), p3 = at(t);
        Vec2 c1{p0.x - k * r * std::sin(s), p0.y + k * r * std::cos(s)};
        Vec2 c2{p3.x + k * r * std::sin(t), p3.y - k * r * std::cos(t)};
        curve_to(c1, c2, p3);
    }
}

void Path::transform(const Affine& m) {
    for (Vec2& p : pts) p = m.apply(p);
}

void Box::add(Vec2 p) {
    lo.x = std::min(lo.x, p.x), lo.y = std::min(lo.y, p.y);
    hi.x = std::max(hi.x, p.x), hi.y = std::max(hi.y, p.y);
}

namespace {

double line_width(const Text& t, const TextLine& line, const TextMeasure& measure) {
    std::string all;
    for (const TextRun& r : line) all += r.text;
    return measure(t.font, all) * t.height * t.width_factor;
}

void append(TextLine& line, const std::string& text, const TextRun& style) {
    if (line.empty() || line.back().underline != style.underline || line.back().overline != style.overline)
        line.push_back({"", style.underline, style.overline});
    line.back().text += text;
}

// Breaks a line at blanks so that no piece is wider than the text's wrap
// width; a single word wider than that stays whole.
std::vector<TextLine> wrap(const Text& t, const TextLine& line, const TextMeasure& measure) {
    std::vector<TextLine> out(1);
    for (const TextRun& run : line) {
        size_t start = 0;
        for (bool first_word = true;; first_word = false) {
            size_t blank = run.text.find(' ', start);
            std::string word = run.text.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
            TextLine trial = out.back();
            append(trial, first_word ? word : " " + word, run);
            if (!first_word && line_width(t, out.back(), measure) > 0 && line_width(t, trial, measure) > t.wrap_width) {
                out.emplace_back();
                append(out.back(), word, run);
            } else {
                out.back() = std::move(trial);
            }
            if (blank == std::string::npos) break;
            start = blank + 1;
        }
    }
    return out;
}

}  // namespace

std::vector<PlacedLine> layout_text(const Text& t, const TextMeasure& measure) {
    std::vector<TextLine> lines;
    for (const TextLine& l : t.lines) {
        if (t.wrap_width > 0) {
            for (TextLine& w : wrap(t, l, measure)) lines.push_back(std::move(w));
        } else {
            lines.push_back(l);
        }
    }
    double h = t.height, sp = t.line_spacing > 0 ? t.line_spacing : h * 5.0 / 3.0;
    double below = (lines.empty() ? 0 : lines.size() - 1) * sp;  // first baseline above the last
    double first = 0;
    switch (t.valign) {
    case VAlign::Baseline: first = 0; break;
    case VAlign::Bottom: first = below + kDescent * h; break;
    case VAlign::Middle: first = below / 2 - h / 2; break;
    case VAlign::Top: first = -h; break;
    }
    std::vector<PlacedLine> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        PlacedLine p;
        p.width = line_width(t, lines[i], measure);
        p.baseline = first - static_cast<double>(i) * sp;
        if (t.fit_width > 0 && p.width > 0) {
            p.sx = t.fit_width / p.width;
        } else if (t.aligned_width > 0 && p.width > 0) {
            p.sx = p.sy = t.aligned_width / p.width;
        } else {
            p.x = t.halign == HAlign::Left ? 0 : t.halign == HAlign::Center ? -p.width / 2 : -p.width;
        }
        p.runs = std::move(lines[i]);
        out.push_back(std::move(p));
    }
    return out;
}

Box Scene::extents(const TextMeasure& measure) const {
    Box box;
    for (const Item& item : items) {
        if (auto* s = std::get_if<Stroke>(&item)) {
            for (Vec2 p : s->path.pts) box.add(p);
        } else if (auto* f = std::get_if<Fill>(&item)) {
            for (Vec2 p : f->path.pts) box.add(p);
        } else if (auto* d = std::get_if<Dot>(&item)) {
            box.add(d->at);
        } else if (auto* t = std::get_if<Text>(&item)) {
            Affine frame = t->place * Affine::scaling(t->mirror_x ? -1 : 1, t->mirror_y ? -1 : 1);
            for (const PlacedLine& l : layout_text(*t, measure)) {
                if (l.width <= 0) continue;
                double x1 = l.x + l.width * l.sx, y0 = l.baseline - kDescent * t->height * l.sy,
                       y1 = l.baseline + t->height * l.sy;
                for (Vec2 c : {Vec2{l.x, y0}, Vec2{x1, y0}, Vec2{l.x, y1}, Vec2{x1, y1}}) box.add(frame.apply(c));
            }
        }
    }
    return box;
}

}  // namespace cadhost::plot
