// MENU, MENULOAD, MENUUNLOAD, TOOLBAR, MENUS and MACRO: menu files are read
// for their macros and kept with the toolbars shown, so that a headless
// session can list them and run a menu item by name; SHADE and HIDE leave
// the view as it is.
#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "ads.h"
#include "cmd/commandline.h"

namespace cadhost::cmd {

namespace {

struct MenuItem {
    std::string id;     // "ID_..." name, upper case; may be empty
    std::string label;  // the text in brackets, or a button's first argument
    std::string macro;  // what follows the brackets
};

struct LoadedMenu {
    std::string group;  // upper case
    std::string path;   // host path of the file read
    std::vector<MenuItem> items;
};

// What this session has loaded: the base menu first, then the partial menus.
struct MenuState {
    const host::Session* session = nullptr;
    std::vector<LoadedMenu> menus;
    std::vector<std::string> toolbars;  // shown, upper case
};

MenuState& state_of(const host::Session& s) {
    static MenuState state;
    if (state.session != &s) state = MenuState{&s, {}, {}};
    return state;
}

// The label a menu line shows: "_Button(\"text\", ...)" gives its text;
// the marks of cascading ("->", "<-"), greying ("~") and the mnemonic "&"
// are not part of it.
std::string item_label(const std::string& bracket) {
    static const std::regex button(R"(^_?Button\(\s*\"([^\"]*)\")", std::regex::icase);
    std::smatch m;
    if (std::regex_search(bracket, m, button)) return m[1];
    size_t from = 0;
    while (bracket.compare(from, 2, "->") == 0 || bracket.compare(from, 2, "<-") == 0) from += 2;
    if (bracket.compare(from, 1, "~") == 0) ++from;
    std::string out;
    for (char c : bracket.substr(from))
        if (c != '&') out += c;
    return out;
}

// Reads the items of a menu file; sections that hold no macros are passed over.
LoadedMenu read_menu(const std::string& text, const std::string& path) {
    LoadedMenu m;
    m.path = path;
    m.group = host::to_upper(std::filesystem::path(path).stem().string());
    static const std::regex item(R"(^\s*(ID_[A-Za-z0-9_]+)?\s*\[([^\]]*)\](.*)$)");
    std::istringstream in(text);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("***", 0) == 0) {
            section = host::to_upper(line.substr(3));
            if (section.rfind("MENUGROUP=", 0) == 0) m.group = section.substr(10);
            continue;
        }
        if (section == "HELPSTRINGS" || section == "ACCELERATORS") continue;
        std::smatch r;
        if (!std::regex_match(line, r, item)) continue;
        m.items.push_back({host::to_upper(r[1]), item_label(r[2]), r[3]});
    }
    return m;
}

std::optional<LoadedMenu> load_menu_file(CommandLine& cl, const std::string& typed) {
    host::Session& s = cl.session();
    std::string name = typed;
    if (!std::filesystem::path(name).has_extension()) name += ".mnu";
    std::string path = s.host_path(name);
    if (!std::filesystem::exists(path)) path = s.find_file(name);
    auto text = path.empty() ? std::nullopt : host::read_file_text(path);
    if (!text) {
        cl.print("Can't open menu file " + typed + "\n");
        return std::nullopt;
    }
    return read_menu(*text, path);
}

CmdStatus cmd_menu(CommandLine& cl) {
    auto a = cl.ask("Menu file name: ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    if (a->empty()) return CmdStatus::Done;
    auto m = load_menu_file(cl, *a);
    if (!m) return CmdStatus::Failed;
    MenuState& st = state_of(cl.session());
    std::string base = (std::filesystem::path(m->path).parent_path() / std::filesystem::path(m->path).stem()).string();
    // The base menu replaces the previous one; partial menus stay.
    if (!st.menus.empty() && st.menus.front().group == "*BASE*") st.menus.erase(st.menus.begin());
    m->group = "*BASE*";
    st.menus.insert(st.menus.begin(), std::move(*m));
    cl.session().sysvars().set_session_value("MENUNAME", GroupValue(base));
    cl.print("Menu loaded: " + st.menus.front().path + "\n");
    return CmdStatus::Done;
}

CmdStatus cmd_menuload(CommandLine& cl) {
    auto a = cl.ask("Menu file to load: ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    if (a->empty()) return CmdStatus::Done;
    auto m = load_menu_file(cl, *a);
    if (!m) return CmdStatus::Failed;
    MenuState& st = state_of(cl.session());
    for (const LoadedMenu& l : st.menus)
        if (l.group == m->group) {
            cl.print("Menu group " + m->group + " is already loaded.\n");
            return CmdStatus::Failed;
        }
    cl.print("Menu group " + m->group + " loaded from " + m->path + "\n");
    st.menus.push_back(std::move(*m));
    return CmdStatus::Done;
}

CmdStatus cmd_menuunload(CommandLine& cl) {
    auto a = cl.ask("Menu group to unload: ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    MenuState& st = state_of(cl.session());
    std::string g = host::to_upper(*a);
    auto at = std::find_if(st.menus.begin(), st.menus.end(), [&](const LoadedMenu& l) { return l.group == g; });
    if (at == st.menus.end() || g == "*BASE*") {
        cl.print("Menu group " + g + " is not loaded.\n");
        return CmdStatus::Failed;
    }
    st.menus.erase(at);
    st.toolbars.erase(std::remove(st.toolbars.begin(), st.toolbars.end(), g), st.toolbars.end());
    return CmdStatus::Done;
}

CmdStatus cmd_toolbar(CommandLine& cl) {
    auto a = cl.ask("Toolbar name (or ALL): ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    auto how = cl.ask("Show/Hide/Left/Right/Top/Bottom/Float: <Show>: ");
    if (!how) return CmdStatus::Cancelled;
    std::string name = host::to_upper(*a), h = command_key(*how);
    MenuState& st = state_of(cl.session());
    auto at = std::find(st.toolbars.begin(), st.toolbars.end(), name);
    if (h == "H" || h == "HIDE") {
        if (at != st.toolbars.end()) st.toolbars.erase(at);
    } else if (at == st.toolbars.end()) {
        st.toolbars.push_back(name);
    }
    return CmdStatus::Done;
}

CmdStatus cmd_menus(CommandLine& cl) {
    MenuState& st = state_of(cl.session());
    if (st.menus.empty()) cl.print("No menus loaded.\n");
    for (const LoadedMenu& m : st.menus)
        cl.print("Menu group " + m.group + ": " + m.path + " (" + std::to_string(m.items.size()) + " items)\n");
    for (const std::string& t : st.toolbars) cl.print("Toolbar shown: " + t + "\n");
    return CmdStatus::Done;
}

// A macro as command-line answers: "^C" cancels are dropped, ";" is Enter,
// and each "\\" is a pause, where the user gives one answer before the
// macro goes on.
struct MacroAnswers {
    std::string text;
    std::vector<size_t> pauses;  // offsets into text
};

MacroAnswers macro_script(const std::string& macro) {
    MacroAnswers out;
    for (size_t i = 0; i < macro.size(); ++i) {
        if (macro.compare(i, 2, "^C") == 0 || macro.compare(i, 2, "^c") == 0) {
            ++i;
            continue;
        }
        char c = macro[i];
        if (c == '\\') {
            out.pauses.push_back(out.text.size());
            continue;
        }
        out.text += c == ';' ? '\n' : c;
    }
    // The last answer ends as if Enter followed, unless the macro ends waiting for the user.
    bool ends_paused = !out.pauses.empty() && out.pauses.back() == out.text.size();
    if (!out.text.empty() && out.text.back() != '\n' && !ends_paused) out.text += '\n';
    return out;
}

const MenuItem* find_item(const MenuState& st, const std::string& name) {
    std::string u = host::to_upper(name);
    for (const LoadedMenu& m : st.menus)
        for (const MenuItem& i : m.items)
            if (i.id == u || (!i.macro.empty() && host::to_upper(i.label) == u)) return &i;
    return nullptr;
}

CmdStatus cmd_macro(CommandLine& cl) {
    auto a = cl.ask("Menu item (ID or label): ", host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    if (a->empty()) return CmdStatus::Done;
    const MenuItem* item = find_item(state_of(cl.session()), *a);
    if (!item) {
        cl.print("No menu item " + *a + " in the loaded menus.\n");
        return CmdStatus::Failed;
    }
    MacroAnswers m = macro_script(item->macro);
    cl.session().input().start_macro(std::move(m.text), std::move(m.pauses), "menu item " + *a);
    return CmdStatus::Done;
}

// There is no screen to shade or hide: the view stays as it is.
CmdStatus cmd_view_only(CommandLine&) { return CmdStatus::Done; }

}  // namespace

void add_menu_commands(CommandLine& cl) {
    cl.add({"MENU", cmd_menu});
    cl.add({"MENULOAD", cmd_menuload});
    cl.add({"MENUUNLOAD", cmd_menuunload});
    cl.add({"TOOLBAR", cmd_toolbar});
    cl.add({"MENUS", cmd_menus});
    cl.add({"MACRO", cmd_macro});
    cl.add({"SHADE", cmd_view_only});
    cl.add({"HIDE", cmd_view_only});
}

}  // namespace cadhost::cmd
