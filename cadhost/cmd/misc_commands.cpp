// SCRIPT, SHELL, TEXTSCR, GRAPHSCR and ZOOM.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <sstream>

#include "ads.h"
#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "cmd/selectobj.h"
#include "fs/process.h"

namespace cadhost::cmd {

namespace {

CmdStatus cmd_script(CommandLine& cl) {
    host::Session& s = cl.session();
    auto name = cl.ask_file_name("Script file: ");
    if (!name) return CmdStatus::Cancelled;
    if (name->empty()) return CmdStatus::Done;
    std::string n = *name;
    if (!std::filesystem::path(n).has_extension()) n += ".scr";
    std::string path = s.host_path(n);
    auto text = host::read_file_text(path);
    if (!text) {
        cl.print("Can't open file \"" + *name + "\".\n");
        return CmdStatus::Failed;
    }
    s.input().start_script(std::move(*text), path);
    return CmdStatus::Done;
}

CmdStatus cmd_shell(CommandLine& cl) {
    auto line = cl.ask("OS Command: ", host::ReadMode::Line);
    if (!line) return CmdStatus::Cancelled;
    if (line->empty()) return CmdStatus::Done;
    fflush(stdout);
    // Drive paths in the line reach the system's shell as the files they name.
    auto rc = fs::run_shell(*line);
    if (!rc) cl.print(rc.error().message + "\n");
    else if (*rc != 0) cl.print("Command returned status " + std::to_string(*rc) + ".\n");
    return CmdStatus::Done;
}

CmdStatus cmd_noop(CommandLine&) { return CmdStatus::Done; }

struct LinetypeDef {
    std::string name, description;
    std::vector<double> pattern;
};

// Reads a linetype file: "*NAME,description" then "A,dash,gap,...".
// Text and shape elements in brackets are left out of the pattern.
std::vector<LinetypeDef> read_linetypes(const std::string& text) {
    std::vector<LinetypeDef> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '*') {
            auto comma = line.find(',');
            out.push_back({line.substr(1, comma == std::string::npos ? std::string::npos : comma - 1),
                           comma == std::string::npos ? "" : line.substr(comma + 1), {}});
            continue;
        }
        if (out.empty() || out.back().pattern.size()) continue;
        std::string body;
        int depth = 0;
        for (char c : line) {
            if (c == '[') ++depth;
            else if (c == ']') --depth;
            else if (depth == 0) body += c;
        }
        std::istringstream fields(body);
        std::string f;
        bool first = true;
        while (std::getline(fields, f, ',')) {
            if (first && (f == "A" || f == "a")) {
                first = false;
                continue;
            }
            first = false;
            if (f.find_first_not_of(" ") == std::string::npos) continue;
            out.back().pattern.push_back(std::atof(f.c_str()));
        }
    }
    return out;
}

CmdStatus linetype_load(CommandLine& cl) {
    host::Session& s = cl.session();
    auto names = cl.ask("Linetype(s) to load: ", host::ReadMode::Line);
    if (!names) return CmdStatus::Cancelled;
    auto file = cl.ask("File to search <cadhost.lin>: ", host::ReadMode::Line);
    if (!file) return CmdStatus::Cancelled;
    std::string f = file->empty() ? "cadhost.lin" : *file;
    if (!std::filesystem::path(f).has_extension()) f += ".lin";
    std::string path = s.host_path(f);
    if (!std::filesystem::exists(path)) path = s.find_file(f);
    auto text = path.empty() ? std::nullopt : host::read_file_text(path);
    if (!text) {
        cl.print("Can't open file " + f + "\n");
        return CmdStatus::Failed;
    }
    auto defs = read_linetypes(*text);
    bool all = *names == "*";
    std::istringstream wanted(*names);
    std::string w;
    std::vector<std::string> list;
    while (std::getline(wanted, w, ',')) list.push_back(host::to_upper(w));
    for (auto& d : defs) {
        std::string u = host::to_upper(d.name);
        if (!all && std::find(list.begin(), list.end(), u) == list.end()) continue;
        if (s.drawing().tblsearch("LTYPE", d.name)) {
            cl.print("Linetype " + d.name + " is already loaded.\n");
            continue;
        }
        auto st = s.drawing().add_linetype(d.name, d.description, d.pattern);
        cl.print(st ? "Linetype " + d.name + " loaded.\n" : st.error().message + "\n");
    }
    return CmdStatus::Done;
}

CmdStatus cmd_linetype(CommandLine& cl) {
    host::Session& s = cl.session();
    for (;;) {
        auto a = cl.ask("?/Create/Load/Set: ");
        if (!a) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Done;
        std::string u = command_key(*a);
        if (u.empty()) return CmdStatus::Done;
        if (u == "L" || u == "LOAD") {
            if (linetype_load(cl) == CmdStatus::Cancelled) return CmdStatus::Cancelled;
        } else if (u == "?") {
            for (auto r = s.drawing().tblnext("LTYPE", true); r; r = s.drawing().tblnext("LTYPE", false))
                cl.print(group_string(*r, 2) + "  " + group_string(*r, 3) + "\n");
        } else if (u == "S" || u == "SET") {
            auto n = cl.ask("New object linetype (or ?) <BYLAYER>: ", host::ReadMode::Line);
            if (!n) return CmdStatus::Cancelled;
            if (!n->empty()) (void)s.sysvars().set("CELTYPE", GroupValue(*n));
        } else {
            cl.print("Invalid option keyword.\n");
        }
    }
}

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
    cl.add({"LINETYPE", cmd_linetype});
    cl.add({"SHELL", cmd_shell});
    cl.add({"TEXTSCR", cmd_noop, true});
    cl.add({"GRAPHSCR", cmd_noop, true});
    cl.add({"ZOOM", cmd_zoom, true});
}

}  // namespace cadhost::cmd
