// The cairo renderer of plot scenes.
#include "plot/render.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace cadhost::plot {

namespace {

constexpr double kPtPerMm = 72.0 / 25.4;

// Outlines and advances exactly as the font has them: hinting would round
// advances to whole device units, and texts squeezed to fit would then come
// out longer than the room they were given.
void unhinted(cairo_t* cr) {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

// A context on a tiny image surface, for measuring text before a page exists.
class Fonts {
public:
    Fonts() : m_surface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)), m_cr(cairo_create(m_surface)) {
        unhinted(m_cr);
    }
    ~Fonts() {
        cairo_destroy(m_cr);
        cairo_surface_destroy(m_surface);
    }
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    // Height of a capital letter at font size 1.
    double cap(const std::string& font) {
        auto it = m_caps.find(font);
        if (it != m_caps.end()) return it->second;
        select(font);
        cairo_text_extents_t ext;
        cairo_text_extents(m_cr, "H", &ext);
        double c = ext.height > 0 ? ext.height : 0.73;
        return m_caps.emplace(font, c).first->second;
    }
    // Advance of a text at capital height 1.
    double width(const std::string& font, const std::string& text) {
        if (text.empty()) return 0;
        double c = cap(font);
        select(font);
        cairo_text_extents_t ext;
        cairo_text_extents(m_cr, text.c_str(), &ext);
        return ext.x_advance / c;
    }

private:
    void select(const std::string& font) {
        cairo_select_font_face(m_cr, font.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(m_cr, 1);
    }
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
    std::map<std::string, double> m_caps;
};

std::shared_ptr<Fonts> fonts() {
    static auto f = std::make_shared<Fonts>();
    return f;
}

void set_colour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

void add_path(cairo_t* cr, const Path& p, const Affine& m) {
    size_t k = 0;
    for (Path::Op op : p.ops) {
        switch (op) {
        case Path::Op::Move: {
            Vec2 q = m.apply(p.pts[k++]);
            cairo_move_to(cr, q.x, q.y);
            break;
        }
        case Path::Op::Line: {
            Vec2 q = m.apply(p.pts[k++]);
            cairo_line_to(cr, q.x, q.y);
            break;
        }
        case Path::Op::Curve: {
            Vec2 a = m.apply(p.pts[k]), b = m.apply(p.pts[k + 1]), c = m.apply(p.pts[k + 2]);
            k += 3;
            cairo_curve_to(cr, a.x, a.y, b.x, b.y, c.x, c.y);
            break;
        }
        case Path::Op::Close: cairo_close_path(cr); break;
        }
    }
}

// A linetype's dashes (positive), gaps (negative) and dots (0) as cairo's
// alternating on and off lengths, which must begin with a dash and be of
// even count; the offset keeps the linetype's own starting phase.
bool dash_pattern(const std::vector<double>& pattern, double scale, std::vector<double>& out, double& offset) {
    struct Piece {
        double len;
        bool on;
    };
    std::vector<Piece> pieces;
    double total = 0;
    for (double d : pattern) {
        Piece p{std::abs(d) * scale, d >= 0};
        total += p.len;
        if (!pieces.empty() && pieces.back().on == p.on) pieces.back().len += p.len;
        else pieces.push_back(p);
    }
    // A cycle shorter than a point would only blur into a solid line.
    if (pieces.size() < 2 || total < 1.0) return false;
    double phase = 0;
    if (pieces.front().on == pieces.back().on) {
        phase = pieces.back().len;
        pieces.front().len += pieces.back().len;
        pieces.pop_back();
    }
    if (!pieces.front().on) {
        phase = std::fmod(phase + total - pieces.front().len, total);
        std::rotate(pieces.begin(), pieces.begin() + 1, pieces.end());
    }
    if (pieces.size() < 2) return false;
    out.clear();
    for (const Piece& p : pieces) out.push_back(p.len);
    offset = phase;
    return true;
}

struct Page {
    cairo_t* cr;
    Affine m;        // drawing to page points
    double scale;    // points per drawing unit
    double pen;      // points
    std::shared_ptr<Fonts> fonts;
};

void draw_stroke(const Page& pg, const Stroke& s) {
    cairo_t* cr = pg.cr;
    double w = s.pen.width > 0 ? std::max(s.pen.width * pg.scale, pg.pen) : pg.pen;
    cairo_set_line_width(cr, w);
    bool wide = s.pen.width > 0;
    cairo_set_line_cap(cr, wide ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, wide ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
    std::vector<double> dashes;
    double offset = 0;
    if (dash_pattern(s.pen.dashes, pg.scale, dashes, offset))
        cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), offset);
    else
        cairo_set_dash(cr, nullptr, 0, 0);
    set_colour(cr, s.pen.colour);
    add_path(cr, s.path, pg.m);
    cairo_stroke(cr);
}

void draw_text(const Page& pg, const Text& t) {
    cairo_t* cr = pg.cr;
    Fonts& f = *pg.fonts;
    auto measure = [&](const std::string& font, const std::string& s) { return f.width(font, s); };
    Affine frame = pg.m * t.place * Affine::scaling(t.mirror_x ? -1 : 1, t.mirror_y ? -1 : 1);
    double k = t.height / f.cap(t.font);  // font size in the text's frame
    cairo_select_font_face(cr, t.font.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    set_colour(cr, t.colour);
    for (const PlacedLine& line : layout_text(t, measure)) {
        // Glyph space (y down) into the text's frame (y up), slanted and stretched.
        Affine glyph{line.sx * k * t.width_factor, 0, -line.sx * k * std::tan(t.oblique), -line.sy * k, 0, 0};
        Affine fm = frame * glyph;
        cairo_matrix_t cm;
        cairo_matrix_init(&cm, fm.a, fm.b, fm.c, fm.d, 0, 0);
        if (std::abs(fm.a * fm.d - fm.b * fm.c) < 1e-12) continue;  // degenerate: nothing visible
        cairo_set_font_matrix(cr, &cm);
        double u = line.x;
        for (const TextRun& run : line.runs) {
            double w = f.width(t.font, run.text) * t.height * t.width_factor * line.sx;
            Vec2 at = frame.apply({u, line.baseline});
            cairo_move_to(cr, at.x, at.y);
            cairo_show_text(cr, run.text.c_str());
            for (bool over : {false, true}) {
                if (!(over ? run.overline : run.underline)) continue;
                double v = line.baseline + (over ? 1.2 : -0.2) * t.height * line.sy;
                Vec2 a = frame.apply({u, v}), b = frame.apply({u + w, v});
                cairo_new_path(cr);
                cairo_set_line_width(cr, pg.pen);
                cairo_set_dash(cr, nullptr, 0, 0);
                cairo_move_to(cr, a.x, a.y);
                cairo_line_to(cr, b.x, b.y);
                cairo_stroke(cr);
            }
            u += w;
        }
    }
}

void draw_scene(cairo_t* cr, const Scene& scene, const Area& area, const PageSetup& setup, Vec2 page_mm) {
    double pw = page_mm.x * kPtPerMm, ph = page_mm.y * kPtPerMm;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    double aw = area.hi.x - area.lo.x, ah = area.hi.y - area.lo.y;
    double s = setup.scale * kPtPerMm;
    if (s <= 0) {
        double room_w = pw - 2 * setup.margin_mm * kPtPerMm, room_h = ph - 2 * setup.margin_mm * kPtPerMm;
        s = std::min(aw > 0 ? room_w / aw : 1e300, ah > 0 ? room_h / ah : 1e300);
        if (s >= 1e300) s = 1;
    }
    double cx = (area.lo.x + area.hi.x) / 2, cy = (area.lo.y + area.hi.y) / 2;
    Page pg{cr, Affine{s, 0, 0, -s, pw / 2 - cx * s, ph / 2 + cy * s}, s, setup.pen_mm * kPtPerMm, fonts()};
    // Clip to the plot area, with room for the pen at its edges.
    Vec2 lo = pg.m.apply(area.lo), hi = pg.m.apply(area.hi);
    double pad = 2 * pg.pen + 1;
    cairo_rectangle(cr, std::min(lo.x, hi.x) - pad, std::min(lo.y, hi.y) - pad, std::abs(hi.x - lo.x) + 2 * pad,
                    std::abs(hi.y - lo.y) + 2 * pad);
    cairo_clip(cr);
    for (const Item& item : scene.items) {
        if (auto* st = std::get_if<Stroke>(&item)) {
            draw_stroke(pg, *st);
        } else if (auto* fl = std::get_if<Fill>(&item)) {
            set_colour(cr, fl->colour);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
            add_path(cr, fl->path, pg.m);
            cairo_fill(cr);
        } else if (auto* d = std::get_if<Dot>(&item)) {
            Vec2 q = pg.m.apply(d->at);
            set_colour(cr, d->colour);
            cairo_new_path(cr);
            cairo_arc(cr, q.x, q.y, pg.pen, 0, 2 * M_PI);
            cairo_fill(cr);
        } else if (auto* t = std::get_if<Text>(&item)) {
            draw_text(pg, *t);
        }
    }
    cairo_show_page(cr);
}

enum class Format { Pdf, Svg };

Status write_one(Format fmt, const Scene& scene, const Area& area, const PageSetup& setup, const std::string& path) {
    Vec2 mm = page_size(area, setup);
    std::string tmp = path + ".tmp" + std::to_string(getpid());
    cairo_surface_t* surface = fmt == Format::Pdf
                                   ? cairo_pdf_surface_create(tmp.c_str(), mm.x * kPtPerMm, mm.y * kPtPerMm)
                                   : cairo_svg_surface_create(tmp.c_str(), mm.x * kPtPerMm, mm.y * kPtPerMm);
    if (fmt == Format::Pdf && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, setup.title.c_str());
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "cadhost PLOT");
    }
    cairo_t* cr = cairo_create(surface);
    unhinted(cr);
    draw_scene(cr, scene, area, setup, mm);
    cairo_status_t st = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (st == CAIRO_STATUS_SUCCESS) st = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (st != CAIRO_STATUS_SUCCESS) {
        std::remove(tmp.c_str());
        return Error(std::string("cannot write the plot file: ") + cairo_status_to_string(st), path);
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return Error("cannot write the plot file", path);
    }
    return ok_status();
}

}  // namespace

TextMeasure cairo_measure() {
    auto f = fonts();
    return [f](const std::string& font, const std::string& text) { return f->width(font, text); };
}

Vec2 page_size(const Area& area, const PageSetup& setup) {
    bool landscape = area.hi.x - area.lo.x >= area.hi.y - area.lo.y;
    return landscape ? Vec2{setup.long_mm, setup.short_mm} : Vec2{setup.short_mm, setup.long_mm};
}

Status write_plot(const Scene& scene, const Area& area, const PageSetup& setup, const std::string& pdf_path,
                  const std::string& svg_path) {
    auto st = write_one(Format::Pdf, scene, area, setup, pdf_path);
    if (!st) return st;
    return write_one(Format::Svg, scene, area, setup, svg_path);
}

}  // namespace cadhost::plot
