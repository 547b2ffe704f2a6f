// Interactive object selection at the command line.
#include "cmd/selectobj.h"

#include <algorithm>
#include <charconv>

#include "ads.h"
#include "cmd/getinput.h"
#include "select/geometry.h"

namespace cadhost::cmd {

namespace {
bool parse_double(std::string_view s, double& out) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return false;
    if (s.front() == '+') s.remove_prefix(1);
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

void add_unique(std::vector<EntityRef>& set, const std::vector<EntityRef>& more) {
    for (EntityRef e : more)
        if (std::find(set.begin(), set.end(), e) == set.end()) set.push_back(e);
}
}  // namespace

std::optional<Point> parse_point(const std::string& text) {
    std::vector<std::string_view> parts;
    std::string_view s(text);
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i)
        if (i == s.size() || s[i] == ',') {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    Point p;
    if (!parse_double(parts[0], p.x) || !parse_double(parts[1], p.y)) return std::nullopt;
    if (parts.size() == 3 && !parse_double(parts[2], p.z)) return std::nullopt;
    p.dims = static_cast<uint8_t>(parts.size());
    return p;
}

std::optional<std::vector<EntityRef>> select_objects(CommandLine& cl) {
    host::Session& s = cl.session();
    std::vector<EntityRef> set;
    auto corner = [&](const char* prompt) -> std::optional<Point> {
        for (;;) {
            auto a = cl.ask(prompt);
            if (!a) return std::nullopt;
            if (auto p = parse_point(*a)) return p;
            cl.print("Invalid point.\n");
        }
    };
    for (;;) {
        auto ans = cl.ask_answer("Select objects: ");
        if (!ans) {
            if (cl.last_was_cancel()) return std::nullopt;
            cl.set_previous_selection(set);
            return set;
        }
        if (ans->kind == host::Answer::Kind::Objects) {
            // Entities handed over by an application.
            size_t before = set.size();
            add_unique(set, ans->objects);
            cl.print(std::to_string(set.size() - before) + " found\n");
            continue;
        }
        const std::string* a = &ans->text;
        std::string u = host::to_upper(*a);
        if (!u.empty() && u[0] == '_') u.erase(0, 1);
        if (u.empty()) {
            cl.set_previous_selection(set);
            return set;
        }
        std::vector<EntityRef> found;
        if (u == "ALL") {
            found = select::select_all(s.drawing(), nullptr);
        } else if (u == "L" || u == "LAST") {
            if (EntityRef e = s.drawing().last_entity()) found.push_back(e);
        } else if (u == "P" || u == "PREVIOUS") {
            found = cl.previous_selection();
        } else if (u == "W" || u == "C" || u == "WINDOW" || u == "CROSSING") {
            auto p1 = corner("First corner: ");
            if (!p1) return std::nullopt;
            auto p2 = corner("Other corner: ");
            if (!p2) return std::nullopt;
            auto mode = u[0] == 'W' ? select::WindowMode::Window : select::WindowMode::Crossing;
            found = select::select_window(s.drawing(), *p1, *p2, mode, nullptr);
        } else if (auto p = parse_point(*a)) {
            found = select::select_window(s.drawing(), *p, *p, select::WindowMode::Crossing, nullptr);
            if (found.size() > 1) found.resize(1);
        } else {
            cl.print("*Invalid selection*\nExpects a point or Window/Last/Previous/Crossing/ALL\n");
            continue;
        }
        size_t before = set.size();
        add_unique(set, found);
        cl.print(std::to_string(found.size()) + " found");
        if (set.size() - before < found.size())
            cl.print(" (" + std::to_string(found.size() - (set.size() - before)) + " duplicate)");
        cl.print("\n");
    }
}

namespace {
// Half the pick box in drawing units: three pixels of the current view.
double pick_half_size(host::Session& s) {
    auto size = s.sysvars().get("VIEWSIZE");
    auto screen = s.sysvars().get("SCREENSIZE");
    double h = size ? std::get<double>(*size) : 9.0;
    double px = screen ? std::get<Point>(*screen).y : 600.0;
    return 3.0 * h / (px > 0 ? px : 600.0);
}
}  // namespace

Pick pick_entity(CommandLine& cl, const std::string& prompt, const InitGet& init) {
    host::Session& s = cl.session();
    for (;;) {
        auto ans = cl.ask_answer(prompt);
        Pick p;
        if (!ans) return p.status = RTCAN, p;
        if (ans->kind == host::Answer::Kind::Objects) {
            if (ans->objects.empty()) return p.status = RTERROR, p;
            p.status = RTNORM;
            p.entity = ans->objects.front();
            return p;
        }
        if (ans->text.empty()) return p.status = init.bits & RSG_NONULL ? RTERROR : RTNONE, p;
        std::string kw = match_keyword(ans->text, init.keywords);
        if (!kw.empty()) return p.status = RTKWORD, p.keyword = kw, p;
        auto pt = parse_point(ans->text);
        if (!pt) {
            cl.print("Invalid point.\n");
            continue;
        }
        double h = pick_half_size(s);
        auto found = select::select_window(s.drawing(), Point{pt->x - h, pt->y - h, 0}, Point{pt->x + h, pt->y + h, 0},
                                           select::WindowMode::Crossing, nullptr);
        p.point = *pt;
        if (found.empty()) {
            cl.print("Nothing found\n");
            return p.status = RTERROR, p;
        }
        p.status = RTNORM;
        p.entity = found.back();
        return p;
    }
}

SelectionResult select_by_mode(host::Session& s, CommandLine* cl, std::string mode, const std::vector<Point>& points,
                               const select::Filter* filter) {
    SelectionResult r;
    mode = host::to_upper(mode);
    if (!mode.empty() && mode[0] == '_') mode.erase(0, 1);
    auto& d = s.drawing();
    auto keep = [&](EntityRef e) {
        auto g = d.entget(e);
        if (g && (!filter || filter->matches(*g))) r.entities.push_back(e);
    };
    r.ok = true;
    if (mode == "X") {
        r.entities = select::select_all(d, filter);
    } else if ((mode == "W" || mode == "C") && points.size() >= 2) {
        auto wm = mode == "W" ? select::WindowMode::Window : select::WindowMode::Crossing;
        r.entities = select::select_window(d, points[0], points[1], wm, filter);
    } else if (mode == "L") {
        if (EntityRef e = d.last_entity()) keep(e);
    } else if (mode == "P" && cl) {
        for (EntityRef e : cl->previous_selection()) keep(e);
    } else if (mode.empty() && points.size() == 1) {
        r.entities = select::select_window(d, points[0], points[0], select::WindowMode::Crossing, filter);
    } else if (mode.empty() && points.empty() && cl) {
        auto picked = select_objects(*cl);
        if (!picked) r.cancelled = true;
        else for (EntityRef e : *picked) keep(e);
    } else {
        r.ok = false;
    }
    return r;
}

}  // namespace cadhost::cmd
