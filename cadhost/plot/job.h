// A plot job: the settings a plot is made with (paper, scale, pen, output
// folder), their settings file, the names of the files a plot writes, and
// the whole job from drawing to files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "plot/render.h"
#include "plot/scene.h"

namespace cadhost::db {
class Drawing;
}

namespace cadhost::plot {

struct Paper {
    std::string name;  // "A3", or "WxH" for a size in millimetres
    double long_mm = 420, short_mm = 297;
};
// A paper by name: A4 to A0, LETTER, LEGAL, TABLOID, or "WIDTHxHEIGHT" in
// millimetres (case ignored); nothing for anything else.
std::optional<Paper> paper_named(const std::string& text);

struct PlotSettings {
    Paper paper;
    double scale = 0;     // paper millimetres per drawing unit; 0: fit
    double pen_mm = 0.25;
    std::string folder;   // output folder; empty: the drawing's own folder
};
// A scale as typed: "Fit" or "MM=UNITS" (millimetres on paper for drawing
// units, "1=2" is half size); nothing for anything else. Fit gives 0.
std::optional<double> scale_named(const std::string& text);
std::string scale_text(double scale);
std::string paper_text(const Paper& p);  // "A3 (420 x 297 mm)"

// The settings file: "key=value" lines (paper, scale, pen, folder), ";" comments.
std::string settings_text(const PlotSettings& s);
// Reads settings over `base`; the error names the file and line of a bad line.
Result<PlotSettings> parse_settings(const std::string& text, const std::string& file, PlotSettings base);

struct PlotFiles {
    std::string pdf, svg;
    std::vector<std::string> notes;  // what the scene could not draw
};
// The files plotting a drawing writes: its name with ".pdf" and ".svg", in
// `folder`, or beside the drawing when that is empty ("Drawing" in the
// current folder for an unnamed drawing).
PlotFiles plot_file_names(const std::string& drawing_path, const std::string& folder);

// The extents of a scene as a plot area; nothing when the scene is empty.
std::optional<Area> extents_area(const Scene& scene);

PageSetup page_setup(const PlotSettings& s, const std::string& title);

// Plots the extents of a whole drawing (its limits when nothing is drawn)
// into the files plot_file_names gives; the files written come back.
Result<PlotFiles> plot_extents(db::Drawing& d, const std::string& drawing_path, const PlotSettings& s);

// The limits of a drawing ($LIMMIN, $LIMMAX), or 0,0 to 12,9 without them.
Area drawing_limits(const db::Drawing& d);

}  // namespace cadhost::plot
