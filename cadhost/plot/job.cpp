// Plot settings, their file, output names and the plot of a drawing's extents.
#include "plot/job.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "db/drawing.h"
#include "plot/builder.h"

namespace cadhost::plot {

namespace {

std::string trim(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    return s.substr(i);
}

std::optional<double> positive(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !(v > 0) || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string number(double v) {
    char buf[32];
    snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

}  // namespace

std::optional<Paper> paper_named(const std::string& text) {
    static const Paper kPapers[] = {{"A4", 297, 210},    {"A3", 420, 297},    {"A2", 594, 420},
                                    {"A1", 841, 594},    {"A0", 1189, 841},   {"LETTER", 279.4, 215.9},
                                    {"LEGAL", 355.6, 215.9}, {"TABLOID", 431.8, 279.4}};
    std::string u = upper(trim(text));
    for (const Paper& p : kPapers)
        if (p.name == u) return p;
    auto x = u.find('X');
    if (x == std::string::npos) return std::nullopt;
    auto w = positive(trim(u.substr(0, x))), h = positive(trim(u.substr(x + 1)));
    if (!w || !h || *w > 10000 || *h > 10000) return std::nullopt;
    return Paper{number(*w) + "x" + number(*h), std::max(*w, *h), std::min(*w, *h)};
}

std::optional<double> scale_named(const std::string& text) {
    std::string u = upper(trim(text));
    if (u == "F" || u == "FIT") return 0.0;
    auto eq = u.find('=');
    if (eq == std::string::npos) return std::nullopt;
    auto mm = positive(trim(u.substr(0, eq))), units = positive(trim(u.substr(eq + 1)));
    if (!mm || !units) return std::nullopt;
    return *mm / *units;
}

std::string scale_text(double scale) {
    if (scale <= 0) return "Fit";
    return scale >= 1 ? number(scale) + "=1" : "1=" + number(1 / scale);
}

std::string paper_text(const Paper& p) {
    return p.name + " (" + number(p.long_mm) + " x " + number(p.short_mm) + " mm)";
}

std::string settings_text(const PlotSettings& s) {
    return "; cadhost plot settings\npaper=" + s.paper.name + "\nscale=" + scale_text(s.scale) +
           "\npen=" + number(s.pen_mm) + "\nfolder=" + s.folder + "\n";
}

Result<PlotSettings> parse_settings(const std::string& text, const std::string& file, PlotSettings s) {
    std::istringstream in(text);
    std::string line;
    for (long n = 1; std::getline(in, line); ++n) {
        line = trim(line);
        if (line.empty() || line[0] == ';') continue;
        auto eq = line.find('=');
        std::string key = eq == std::string::npos ? line : upper(trim(line.substr(0, eq)));
        std::string value = eq == std::string::npos ? "" : trim(line.substr(eq + 1));
        bool ok = eq != std::string::npos;
        if (ok && key == "PAPER") {
            auto p = paper_named(value);
            if ((ok = p.has_value())) s.paper = *p;
        } else if (ok && key == "SCALE") {
            auto v = scale_named(value);
            if ((ok = v.has_value())) s.scale = *v;
        } else if (ok && key == "PEN") {
            auto v = positive(value);
            if ((ok = v.has_value() && *v <= 10)) s.pen_mm = *v;
        } else if (ok && key == "FOLDER") {
            s.folder = value;
        } else {
            ok = false;
        }
        if (!ok) return Error("not a plot setting: \"" + line + "\"", file, n);
    }
    return s;
}

PlotFiles plot_file_names(const std::string& drawing_path, const std::string& folder) {
    namespace fs = std::filesystem;
    fs::path d = drawing_path.empty() ? fs::path("Drawing") : fs::path(drawing_path);
    fs::path dir = !folder.empty() ? fs::path(folder) : d.has_parent_path() ? d.parent_path() : fs::path(".");
    std::string stem = d.stem().string();
    return {(dir / (stem + ".pdf")).string(), (dir / (stem + ".svg")).string(), {}};
}

std::optional<Area> extents_area(const Scene& scene) {
    Box b = scene.extents(cairo_measure());
    if (b.empty()) return std::nullopt;
    return Area{b.lo, b.hi};
}

PageSetup page_setup(const PlotSettings& s, const std::string& title) {
    PageSetup p;
    p.long_mm = s.paper.long_mm, p.short_mm = s.paper.short_mm;
    p.scale = s.scale, p.pen_mm = s.pen_mm, p.title = title;
    return p;
}

Area drawing_limits(const db::Drawing& d) {
    auto get = [&](const char* name, Vec2 def) {
        auto v = d.header_var(name);
        const Point* p = v ? std::get_if<Point>(&v->value) : nullptr;
        return p ? Vec2{p->x, p->y} : def;
    };
    Area a{get("$LIMMIN", {0, 0}), get("$LIMMAX", {12, 9})};
    if (!(a.hi.x > a.lo.x && a.hi.y > a.lo.y)) a = Area{{0, 0}, {12, 9}};
    return a;
}

Result<PlotFiles> plot_extents(db::Drawing& d, const std::string& drawing_path, const PlotSettings& s) {
    Scene scene = build_scene(d);
    Area area = extents_area(scene).value_or(drawing_limits(d));
    PlotFiles files = plot_file_names(drawing_path, s.folder);
    std::string title = std::filesystem::path(drawing_path.empty() ? "Drawing" : drawing_path).stem().string();
    auto st = write_plot(scene, area, page_setup(s, title), files.pdf, files.svg);
    if (!st) return st.error();
    files.notes = scene.notes;
    return files;
}

}  // namespace cadhost::plot
