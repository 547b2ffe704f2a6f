// PLOT: asks what to plot (display, extents, limits, a named view or a
// window), offers the plot settings for change, reads or saves them as a
// settings file, then writes the drawing as a PDF and an SVG file named
// after it.
#include <filesystem>
#include <fstream>
#include <memory>

#include "ads.h"
#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "db/drawing.h"
#include "plot/job.h"

namespace cadhost::cmd {

namespace {

enum class AreaKind { Display, Extents, Limits, View, Window };

struct PlotArea {
    AreaKind kind = AreaKind::Display;
    plot::Area window;   // for View and Window
    std::string view;    // name of the view
};

// What PLOT keeps between its runs in one session.
struct PlotState {
    plot::PlotSettings settings{*plot::paper_named("A3"), 0, 0.25, ""};
    std::string settings_file;  // last read or saved
};

const char* const kSettingsExt = ".pcf";

std::optional<AreaKind> area_keyword(const std::string& answer) {
    std::string k = match_keyword(answer, {"Display", "Extents", "Limits", "View", "Window"});
    if (k.empty()) return std::nullopt;
    static const std::pair<const char*, AreaKind> kKinds[] = {{"Display", AreaKind::Display},
                                                              {"Extents", AreaKind::Extents},
                                                              {"Limits", AreaKind::Limits},
                                                              {"View", AreaKind::View},
                                                              {"Window", AreaKind::Window}};
    for (auto& [name, kind] : kKinds)
        if (k == name) return kind;
    return std::nullopt;
}

// The rest of an area choice: a view's name or a window's corners. False
// when cancelled or when the view does not exist (the choice is not made).
std::optional<bool> complete_area(CommandLine& cl, AreaKind kind, PlotArea& area) {
    if (kind == AreaKind::View) {
        auto name = cl.ask("View name: ", host::ReadMode::Line);
        if (!name) return std::nullopt;
        auto rec = cl.session().drawing().tblsearch("VIEW", *name);
        if (!rec) return cl.print("View \"" + *name + "\" not found.\n"), false;
        Point c{};
        if (const Group* g = find_group(*rec, 10); g && std::holds_alternative<Point>(g->value)) c = std::get<Point>(g->value);
        double h = group_real(*rec, 40), w = group_real(*rec, 41);
        area.window = {{c.x - w / 2, c.y - h / 2}, {c.x + w / 2, c.y + h / 2}};
        area.view = *name;
    } else if (kind == AreaKind::Window) {
        GetRequest req{GetKind::Point, "First corner: ", std::nullopt, false};
        auto a = cl.get_input(req, {});
        if (a.status != RTNORM) return std::nullopt;
        Point p1 = std::get<Point>(a.value);
        GetRequest req2{GetKind::Corner, "Other corner: ", p1, false};
        auto b = cl.get_input(req2, {});
        if (b.status != RTNORM) return std::nullopt;
        Point p2 = std::get<Point>(b.value);
        area.window = {{std::min(p1.x, p2.x), std::min(p1.y, p2.y)}, {std::max(p1.x, p2.x), std::max(p1.y, p2.y)}};
        if (area.window.hi.x == area.window.lo.x || area.window.hi.y == area.window.lo.y)
            return cl.print("The window has no area.\n"), false;
    }
    area.kind = kind;
    return true;
}

const char* area_name(AreaKind k) {
    static const char* const kNames[] = {"display", "extents", "limits", "view", "window"};
    return kNames[static_cast<int>(k)];
}

void list_settings(CommandLine& cl, const PlotState& st, const PlotArea& area) {
    const plot::PlotSettings& s = st.settings;
    char pen[32];
    snprintf(pen, sizeof pen, "%g mm", s.pen_mm);
    cl.print(std::string("Plot area is the ") + area_name(area.kind) + (area.view.empty() ? "" : " " + area.view) +
             ".\n  1  Paper size ...... " + plot::paper_text(s.paper) +
             "\n  2  Settings file ... " + (st.settings_file.empty() ? "none" : st.settings_file) +
             "\n  3  Scale ........... " + plot::scale_text(s.scale) + "\n  4  Pen width ....... " + pen +
             "\n  5  Output folder ... " + (s.folder.empty() ? "the drawing's folder" : s.folder) + "\n");
}

// Asks for a value until `parse` takes it; Enter keeps the current one.
template <typename T, typename Parse>
bool ask_value(CommandLine& cl, const std::string& prompt, T& value, Parse parse) {
    for (;;) {
        auto a = cl.ask(prompt, host::ReadMode::Line);
        if (!a) return false;
        if (a->empty()) return true;
        if (auto v = parse(*a)) {
            value = *v;
            return true;
        }
        cl.print("Invalid value.\n");
    }
}

std::string with_ext(std::string name) {
    if (!std::filesystem::path(name).has_extension()) name += kSettingsExt;
    return name;
}

bool read_settings(CommandLine& cl, PlotState& st) {
    auto name = cl.ask("Plot settings file to read: ", host::ReadMode::Line);
    if (!name) return false;
    if (name->empty()) return true;
    host::Session& s = cl.session();
    std::string n = with_ext(*name), path = s.host_path(n);
    if (!std::filesystem::is_regular_file(path)) path = s.find_file(n);
    auto text = path.empty() ? std::nullopt : host::read_file_text(path);
    if (!text) return cl.print("Can't find plot settings file " + n + "; settings unchanged.\n"), true;
    auto parsed = plot::parse_settings(*text, n, st.settings);
    if (!parsed) return cl.print(parsed.error().what() + "; settings unchanged.\n"), true;
    st.settings = *parsed;
    st.settings_file = n;
    return true;
}

bool save_settings(CommandLine& cl, PlotState& st) {
    host::Session& s = cl.session();
    std::string def = st.settings_file.empty()
                          ? with_ext(std::filesystem::path(s.drawing_path().empty() ? "Drawing" : s.drawing_path()).stem().string())
                          : st.settings_file;
    auto name = cl.ask("Save plot settings as <" + def + ">: ", host::ReadMode::Line);
    if (!name) return false;
    std::string n = with_ext(name->empty() ? def : *name);
    std::ofstream f(s.host_path(n), std::ios::binary);
    f << plot::settings_text(st.settings);
    if (!f.flush()) return cl.print("Can't write plot settings file " + n + ".\n"), true;
    st.settings_file = n;
    cl.print("Plot settings saved in " + n + ".\n");
    return true;
}

// Changes setting 1 to 5 (2 reads a settings file); false when cancelled.
bool change_setting(CommandLine& cl, PlotState& st, int which) {
    plot::PlotSettings& s = st.settings;
    switch (which) {
    case 1:
        return ask_value(cl, "Paper size -- A4/A3/A2/A1/A0/Letter/Legal/Tabloid or WIDTHxHEIGHT mm <" + s.paper.name + ">: ",
                         s.paper, plot::paper_named);
    case 2: return read_settings(cl, st);
    case 3:
        return ask_value(cl, "Plotted mm = drawing units, or Fit <" + plot::scale_text(s.scale) + ">: ", s.scale,
                         plot::scale_named);
    case 4: {
        char def[32];
        snprintf(def, sizeof def, "%g", s.pen_mm);
        return ask_value(cl, std::string("Pen width in mm <") + def + ">: ", s.pen_mm, [](const std::string& a) {
            char* end = nullptr;
            double v = std::strtod(a.c_str(), &end);
            return *end == '\0' && v > 0 && v <= 10 ? std::optional<double>(v) : std::nullopt;
        });
    }
    default:
        return ask_value(cl, "Output folder, or = for the drawing's own <" + (s.folder.empty() ? "=" : s.folder) + ">: ",
                         s.folder, [](const std::string& a) { return std::optional<std::string>(a == "=" ? "" : a); });
    }
}

// The settings menu; true to plot, false when cancelled.
bool settings_menu(CommandLine& cl, PlotState& st, PlotArea& area) {
    // The list is shown again only after something in it has changed.
    list_settings(cl, st, area);
    for (;;) {
        auto a = cl.ask("Change -- 1-5/File/Save/Yes or Display/Extents/Limits/View/Window <No, plot>: ");
        if (!a) return false;
        std::string k = match_keyword(*a, {"No", "Yes", "File", "Save"});
        bool done = true;
        if (a->empty() || *a == "0" || k == "No") return true;
        std::string before = plot::settings_text(st.settings) + st.settings_file;
        if (a->size() == 1 && (*a)[0] >= '1' && (*a)[0] <= '5') {
            done = change_setting(cl, st, (*a)[0] - '0');
        } else if (k == "Yes") {
            for (int i : {1, 3, 4, 5}) done = done && change_setting(cl, st, i);
        } else if (k == "File") {
            done = read_settings(cl, st);
        } else if (k == "Save") {
            done = save_settings(cl, st);
        } else if (auto kind = area_keyword(*a)) {
            done = complete_area(cl, *kind, area).has_value();
            if (done) cl.print(std::string("Plot area is the ") + area_name(area.kind) + ".\n");
        } else {
            cl.print("Invalid option keyword.\n");
        }
        if (!done) return false;
        if (plot::settings_text(st.settings) + st.settings_file != before) list_settings(cl, st, area);
    }
}

plot::Area display_area(host::Session& s) {
    Point c = std::get<Point>(*s.sysvars().get("VIEWCTR"));
    Point screen = std::get<Point>(*s.sysvars().get("SCREENSIZE"));
    double h = std::get<double>(*s.sysvars().get("VIEWSIZE"));
    double w = h * (screen.y > 0 ? screen.x / screen.y : 4.0 / 3.0);
    return {{c.x - w / 2, c.y - h / 2}, {c.x + w / 2, c.y + h / 2}};
}

CmdStatus plot_now(CommandLine& cl, const PlotState& st, const PlotArea& area) {
    host::Session& s = cl.session();
    plot::Scene scene = plot::build_scene(s.drawing());
    plot::Area a = area.window;
    switch (area.kind) {
    case AreaKind::Display: a = display_area(s); break;
    case AreaKind::Extents:
        if (auto e = plot::extents_area(scene)) {
            a = *e;
        } else {
            cl.print("Nothing is drawn; plotting the limits.\n");
            a = plot::drawing_limits(s.drawing());
        }
        break;
    case AreaKind::Limits: a = plot::drawing_limits(s.drawing()); break;
    default: break;
    }
    // The folder as typed or read from a settings file, which may name a drive.
    std::string folder = st.settings.folder.empty() ? "" : s.host_path(st.settings.folder);
    plot::PlotFiles files = plot::plot_file_names(s.drawing_path(), folder);
    std::error_code ec;
    auto dir = std::filesystem::path(files.pdf).parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    if (ec) return cl.print("Plot not written: can't make the folder " + dir.string() + ".\n"), CmdStatus::Failed;
    for (const std::string& n : scene.notes) cl.print("Not plotted: " + n + ".\n");
    std::string title = std::filesystem::path(files.pdf).stem().string();
    auto w = plot::write_plot(scene, a, plot::page_setup(st.settings, title), files.pdf, files.svg);
    if (!w) return cl.print("Plot not written: " + w.error().what() + "\n"), CmdStatus::Failed;
    cl.print("Plot written to " + files.pdf + " and " + files.svg + ".\n");
    return CmdStatus::Done;
}

CmdStatus cmd_plot(CommandLine& cl, PlotState& st) {
    PlotArea area;
    for (;;) {
        auto a = cl.ask("What to plot -- Display/Extents/Limits/View/Window <D>: ");
        if (!a) return CmdStatus::Cancelled;
        auto kind = a->empty() ? std::optional<AreaKind>(AreaKind::Display) : area_keyword(*a);
        if (!kind) {
            cl.print("Invalid option keyword.\n");
            continue;
        }
        auto done = complete_area(cl, *kind, area);
        if (!done) return CmdStatus::Cancelled;
        if (*done) break;
    }
    if (!settings_menu(cl, st, area)) return CmdStatus::Cancelled;
    return plot_now(cl, st, area);
}

}  // namespace

void add_plot_command(CommandLine& cl) {
    auto state = std::make_shared<PlotState>();
    cl.add({"PLOT", [state](CommandLine& c) { return cmd_plot(c, *state); }});
}

}  // namespace cadhost::cmd
