// SCRIPT, SHELL, TEXTSCR, GRAPHSCR and ZOOM.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ads.h"
#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "cmd/selectobj.h"

namespace cadhost::cmd {

namespace {

CmdStatus cmd_script(CommandLine& cl) {
    host::Session& s = cl.session();
    auto name = cl.ask("Script file: ", host::ReadMode::Line);
    if (!name) return CmdStatus::Cancelled;
    if (name->empty()) return CmdStatus::Done;
    std::string n = *name;
    if (!std::filesystem::path(n).has_extension()) n += ".scr";
    std::string path = s.host_path(n);
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        cl.print("Can't open file \"" + *name + "\".\n");
        return CmdStatus::Failed;
    }
    std::stringstream text;
    text << f.rdbuf();
    s.input().start_script(text.str(), path);
    return CmdStatus::Done;
}

CmdStatus cmd_shell(CommandLine& cl) {
    auto line = cl.ask("OS Command: ", host::ReadMode::Line);
    if (!line) return CmdStatus::Cancelled;
    if (line->empty()) return CmdStatus::Done;
    fflush(stdout);
    int rc = std::system(line->c_str());
    if (rc != 0) cl.print("Command returned status " + std::to_string(rc) + ".\n");
    return CmdStatus::Done;
}

CmdStatus cmd_noop(CommandLine&) { return CmdStatus::Done; }

// The view used by slides: centre and height, kept as VIEWCTR and VIEWSIZE.
void set_view(host::Session& s, Point c, double height) {
    if (height <= 0) return;
    c.dims = 3;
    s.sysvars().set_session_value("VIEWCTR", GroupValue(c));
    s.sysvars().set_session_value("VIEWSIZE", GroupValue(height));
}

CmdStatus cmd_zoom(CommandLine& cl) {
    host::Session& s = cl.session();
    auto a = cl.ask("All/Center/Extents/Window/<Scale(X)>: ");
    if (!a) return CmdStatus::Cancelled;
    std::string u = command_key(*a);
    auto corner = [&](const char* prompt) { return cl.ask(prompt); };
    if (u == "A" || u == "ALL" || u == "E" || u == "EXTENTS") {
        auto mn = s.sysvars().get("EXTMIN"), mx = s.sysvars().get("EXTMAX");
        Point lo = std::get<Point>(*mn), hi = std::get<Point>(*mx);
        if (lo.x > hi.x) lo = Point{0, 0, 0}, hi = Point{12, 9, 0};
        set_view(s, Point{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, 0}, std::max(hi.y - lo.y, (hi.x - lo.x) * 0.75));
    } else if (u == "W" || u == "WINDOW" || parse_point(*a)) {
        std::optional<std::string> c1 = parse_point(*a) ? a : corner("First corner: ");
        if (!c1) return CmdStatus::Cancelled;
        auto c2 = corner("Other corner: ");
        if (!c2) return CmdStatus::Cancelled;
        auto p1 = parse_point(*c1), p2 = parse_point(*c2);
        if (!p1 || !p2) return cl.print("Invalid point.\n"), CmdStatus::Rejected;
        set_view(s, Point{(p1->x + p2->x) / 2, (p1->y + p2->y) / 2, 0},
                 std::max(std::abs(p2->y - p1->y), std::abs(p2->x - p1->x) * 0.75));
    } else if (u == "C" || u == "CENTER") {
        auto c = corner("Center point: ");
        auto p = c ? parse_point(*c) : std::nullopt;
        if (!p) return CmdStatus::Rejected;
        auto h = cl.ask("Magnification or Height: ");
        if (!h) return CmdStatus::Cancelled;
        set_view(s, *p, std::atof(h->c_str()));
    } else if (!u.empty()) {
        double f = std::atof(u.c_str());
        auto size = s.sysvars().get("VIEWSIZE");
        auto ctr = s.sysvars().get("VIEWCTR");
        if (f > 0) set_view(s, std::get<Point>(*ctr), std::get<double>(*size) / f);
    }
    return CmdStatus::Done;
}

}  // namespace

void add_misc_commands(CommandLine& cl) {
    cl.add({"SCRIPT", cmd_script});
    cl.add({"SHELL", cmd_shell});
    cl.add({"TEXTSCR", cmd_noop, true});
    cl.add({"GRAPHSCR", cmd_noop, true});
    cl.add({"ZOOM", cmd_zoom, true});
}

}  // namespace cadhost::cmd
