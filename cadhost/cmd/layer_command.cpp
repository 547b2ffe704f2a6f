// LAYER: make, set, create, colour, linetype and state of layers.
#include <charconv>
#include <cstdio>
#include <sstream>

#include "cmd/commandline.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

std::vector<std::string> split_names(const std::string& s) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string n;
    while (std::getline(in, n, ','))
        if (!n.empty()) out.push_back(n);
    return out;
}

// Applies a change to a layer record; false when the layer does not exist.
bool modify_layer(host::Session& s, const std::string& name, const std::function<void(GroupList&)>& change) {
    auto& d = s.drawing();
    EntityRef rec = d.tblobjname("LAYER", name);
    if (!rec) return false;
    auto list = d.entget(rec);
    if (!list) return false;
    change(*list);
    return d.entmod(*list).ok();
}

void set_group(GroupList& l, Group g) {
    if (Group* f = find_group(l, g.code)) *f = std::move(g);
    else l.push_back(std::move(g));
}

int16_t color_number(const std::string& a) {
    static const char* names[] = {"", "RED", "YELLOW", "GREEN", "CYAN", "BLUE", "MAGENTA", "WHITE"};
    std::string u = host::to_upper(a);
    for (int i = 1; i <= 7; ++i)
        if (u == names[i]) return static_cast<int16_t>(i);
    int n = 0;
    auto r = std::from_chars(a.data(), a.data() + a.size(), n);
    if (r.ec == std::errc() && r.ptr == a.data() + a.size() && n >= 1 && n <= 255) return static_cast<int16_t>(n);
    return 0;
}

std::string color_text(long color) {
    static const char* names[] = {"", "red", "yellow", "green", "cyan", "blue", "magenta", "white"};
    long n = color < 0 ? -color : color;
    std::string t = std::to_string(n);
    if (n >= 1 && n <= 7) t += " (" + std::string(names[n]) + ")";
    return t;
}

// "LAYER ?": each layer with its state, colour and linetype; the current
// layer is marked.
void list_layers(CommandLine& cl) {
    host::Session& s = cl.session();
    std::string current = host::to_upper(s.current_layer());
    char line[200];
    snprintf(line, sizeof line, "\n  %-31s %-18s %-14s %s\n", "Layer name", "State", "Color", "Linetype");
    cl.print(line);
    for (auto r = s.drawing().tblnext("LAYER", true); r; r = s.drawing().tblnext("LAYER", false)) {
        std::string name = group_string(*r, 2);
        long color = group_int(*r, 62, 7);
        long flags = group_int(*r, 70, 0);
        std::string state = std::string(color < 0 ? "Off" : "On") + ((flags & 1) ? " Frozen" : "") +
                            ((flags & 4) ? " Locked" : "");
        snprintf(line, sizeof line, "%s %-31s %-18s %-14s %s\n", host::to_upper(name) == current ? "*" : " ",
                 name.c_str(), state.c_str(), color_text(color).c_str(), group_string(*r, 6, "CONTINUOUS").c_str());
        cl.print(line);
    }
    cl.print("Current layer: " + s.current_layer() + "\n");
}

CmdStatus each_layer(CommandLine& cl, const std::string& prompt, const std::function<void(GroupList&)>& change) {
    host::Session& s = cl.session();
    auto names = cl.ask(prompt + " <" + s.current_layer() + ">: ", host::ReadMode::Line);
    if (!names) return CmdStatus::Cancelled;
    std::vector<std::string> list = names->empty() ? std::vector<std::string>{s.current_layer()} : split_names(*names);
    for (auto& n : list)
        if (!modify_layer(s, n, change)) cl.print("Cannot find layer " + n + ".\n");
    return CmdStatus::Done;
}

CmdStatus option_make(CommandLine& cl, bool must_exist) {
    host::Session& s = cl.session();
    auto name = cl.ask("New current layer <" + s.current_layer() + ">: ", host::ReadMode::Line);
    if (!name) return CmdStatus::Cancelled;
    if (name->empty()) return CmdStatus::Done;
    if (must_exist && !s.drawing().tblobjname("LAYER", *name)) {
        cl.print("Cannot find layer " + *name + ".\n");
        return CmdStatus::Done;
    }
    if (!s.drawing().ensure_layer(*name)) {
        cl.print("Invalid layer name.\n");
        return CmdStatus::Done;
    }
    auto rec = s.drawing().tblsearch("LAYER", *name);
    (void)s.sysvars().set("CLAYER", GroupValue(rec ? group_string(*rec, 2) : *name));
    return CmdStatus::Done;
}

CmdStatus option_color(CommandLine& cl) {
    auto c = cl.ask("Color: ");
    if (!c) return CmdStatus::Cancelled;
    int16_t n = color_number(*c);
    if (!n) {
        cl.print("Invalid color.\n");
        return CmdStatus::Done;
    }
    return each_layer(cl, "Layer name(s) for color " + std::to_string(n), [n](GroupList& l) {
        long cur = group_int(l, 62, 7);
        set_group(l, make_short(62, cur < 0 ? -n : n));  // an off layer stays off
    });
}

CmdStatus option_ltype(CommandLine& cl) {
    host::Session& s = cl.session();
    auto lt = cl.ask("Linetype (or ?) <CONTINUOUS>: ", host::ReadMode::Line);
    if (!lt) return CmdStatus::Cancelled;
    std::string name = lt->empty() ? "CONTINUOUS" : *lt;
    auto rec = s.drawing().tblsearch("LTYPE", name);
    if (!rec) {
        cl.print("Linetype " + name + " not found.  Use the LINETYPE command to load it.\n");
        return CmdStatus::Done;
    }
    std::string real = group_string(*rec, 2, name);
    return each_layer(cl, "Layer name(s) for linetype " + real,
                      [real](GroupList& l) { set_group(l, make_group(6, real)); });
}

CmdStatus option_state(CommandLine& cl, const std::string& u) {
    std::string what = u == "ON" ? "turn On" : u == "OFF" ? "turn Off" : u[0] == 'F' ? "Freeze" : u[0] == 'T' ? "Thaw"
                     : u.rfind("LO", 0) == 0 ? "Lock" : "Unlock";
    return each_layer(cl, "Layer name(s) to " + what, [u](GroupList& l) {
        long color = group_int(l, 62, 7);
        long flags = group_int(l, 70, 0);
        if (u == "ON") color = color < 0 ? -color : color;
        else if (u == "OFF") color = color > 0 ? -color : color;
        else if (u[0] == 'F') flags |= 1;
        else if (u[0] == 'T') flags &= ~1;
        else if (u.rfind("LO", 0) == 0) flags |= 4;
        else flags &= ~4;
        set_group(l, make_short(62, static_cast<int>(color)));
        set_group(l, make_short(70, static_cast<int>(flags)));
    });
}

CmdStatus cmd_layer(CommandLine& cl) {
    host::Session& s = cl.session();
    for (;;) {
        auto a = cl.ask("?/Make/Set/New/ON/OFF/Color/Ltype/Freeze/Thaw/LOck/Unlock: ");
        if (!a) return cl.last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Done;
        std::string u = command_key(*a);
        CmdStatus st = CmdStatus::Done;
        if (u.empty()) return CmdStatus::Done;
        if (u == "?") {
            list_layers(cl);
        } else if (u == "M" || u == "MAKE") {
            st = option_make(cl, false);
        } else if (u == "S" || u == "SET") {
            st = option_make(cl, true);
        } else if (u == "N" || u == "NEW") {
            auto names = cl.ask("New layer name(s): ", host::ReadMode::Line);
            if (!names) return CmdStatus::Cancelled;
            for (auto& n : split_names(*names))
                if (!s.drawing().ensure_layer(n)) cl.print("Invalid layer name: " + n + "\n");
        } else if (u == "C" || u == "COLOR" || u == "CO") {
            st = option_color(cl);
        } else if (u == "L" || u == "LT" || u == "LTYPE") {
            st = option_ltype(cl);
        } else if (u == "ON" || u == "OFF" || u == "F" || u == "FREEZE" || u == "T" || u == "THAW" || u == "LO" ||
                   u == "LOCK" || u == "U" || u == "UNLOCK") {
            st = option_state(cl, u);
        } else {
            cl.print("Invalid option keyword.\n");
        }
        if (st == CmdStatus::Cancelled) return st;
    }
}

}  // namespace

void add_layer_command(CommandLine& cl) { cl.add({"LAYER", cmd_layer, true}); }

}  // namespace cadhost::cmd
