// Menu texts for the libraries.
#include "menus/menu_text.h"

#include "host/text.h"

namespace symvault {

namespace {

std::vector<AvailableLibrary> shown(const std::vector<AvailableLibrary>& libs) {
    std::vector<AvailableLibrary> out;
    for (const AvailableLibrary& l : libs)
        if (l.show == 1) out.push_back(l);
    return out;
}

std::string padded_id(const std::string& name) {
    std::string id = "ID_SV_" + name;
    if (name.size() < 20) id += std::string(20 - name.size(), ' ');
    return id;
}

bool is_section_start(const std::string& line) {
    return begins_with(line, "***POP9") || begins_with(line, "***ICON") || begins_with(line, "***IMAGE") ||
           begins_with(line, "***TOOLBARS");
}

// The template up to and including "   [->LIBRARIES", the library entries,
// then the rest of the template.
void write_section(std::vector<std::string>& out, const std::vector<std::string>& tpl,
                   const std::vector<AvailableLibrary>& libs) {
    size_t i = 0;
    for (; i < tpl.size(); ++i) {
        out.push_back(tpl[i]);
        if (begins_with(tpl[i], "   [->LIBRARIES")) {
            ++i;
            break;
        }
    }
    for (const std::string& l : pulldown_lines(libs)) out.push_back(l);
    for (; i < tpl.size(); ++i) out.push_back(tpl[i]);
}

}  // namespace

std::string clean_label(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == '(' || c == '[') c = '<';
        else if (c == ')' || c == ']') c = '>';
        else if (c == '&') c = '/';
        else if (c == ',') c = ' ';
    }
    return out;
}

bool begins_with(const std::string& line, const std::string& marker) {
    return line.size() >= marker.size() && upper(line.substr(0, marker.size())) == upper(marker);
}

std::string bitmap_name(const std::string& library, char size) { return bounded(library, 7) + size + ".BMP"; }

std::string toolbar_line(const AvailableLibrary& lib) {
    return padded_id(lib.name) + "[_Button(\"" + lib.description + "\", " + bitmap_name(lib.name, 'S') + ", " +
           bitmap_name(lib.name, 'L') + ")]^C^CSVLIBRARY " + lib.name;
}

std::string help_string_line(const AvailableLibrary& lib) { return padded_id(lib.name) + "[" + lib.description + "]"; }

std::vector<std::string> pulldown_lines(const std::vector<AvailableLibrary>& libs) {
    std::vector<std::string> out;
    for (const AvailableLibrary& l : shown(libs))
        out.push_back("      [" + l.description + "]^C^CSVLIBRARY;" + l.name + ";");
    out.push_back("      [--]");
    out.push_back("      [<-Update library entries...]^C^CSV_UPDATE_MENU;");
    return out;
}

std::vector<std::string> toolbar_menu(const std::vector<std::string>& tpl, const std::vector<AvailableLibrary>& libs) {
    std::vector<std::string> out;
    size_t i = 0;
    auto copy_to = [&](const char* marker) {
        for (; i < tpl.size(); ++i) {
            if (begins_with(tpl[i], marker)) {
                ++i;
                return;
            }
            out.push_back(tpl[i]);
        }
    };
    std::vector<AvailableLibrary> on = shown(libs);
    copy_to("//BEGIN_TOOLBAR");
    for (const AvailableLibrary& l : on) out.push_back(toolbar_line(l));
    copy_to("//BEGIN_HELPSTRING");
    for (const AvailableLibrary& l : on) out.push_back(help_string_line(l));
    for (; i < tpl.size(); ++i) out.push_back(tpl[i]);
    return out;
}

MenuUpdate update_menu(const std::vector<std::string>& menu, const std::vector<std::string>& tpl,
                       const std::vector<AvailableLibrary>& libs) {
    MenuUpdate r;
    size_t i = 0;
    while (i < menu.size() && !is_section_start(menu[i])) r.lines.push_back(menu[i++]);
    if (i == menu.size()) return MenuUpdate{5107, {}};
    if (!begins_with(menu[i], "***POP9")) {
        r.lines.push_back("***POP9");
        r.lines.push_back("[&Applications]");
        write_section(r.lines, tpl, libs);
    } else {
        r.lines.push_back(menu[i++]);  // ***POP9
        if (i < menu.size()) r.lines.push_back(menu[i++]);  // its title
        if (i < menu.size() && !r.lines.back().empty() && r.lines.back()[0] == '*') r.lines.push_back(menu[i++]);
        if (i < menu.size() && begins_with(menu[i], "[->SYMVAULT]")) {
            // The section written before goes, up to its last item.
            while (i < menu.size() && !begins_with(menu[i], "   [<-ABOUT]")) ++i;
            if (i < menu.size()) ++i;
        }
        write_section(r.lines, tpl, libs);
    }
    for (; i < menu.size(); ++i) r.lines.push_back(menu[i]);
    return r;
}

LtMenu lt_menu(const LibraryRecord& lib, bool scaling) {
    LtMenu m;
    const std::string& ln = lib.name;
    m.menu = "***MENUGROUP=SV_" + ln + "\n***POP10\n[" + ln + "]\n";
    for (size_t g = 0; g < lib.groups.size(); ++g)
        m.menu += "[" + clean_label(lib.groups[g].name) + "]^C^C$I=SV_" + ln + ".G" + std::to_string(g + 1) +
                  " $I=*;\n";
    m.menu += "\n\n***IMAGE\n";
    m.sheet = "Symvault Symbol Library Data Sheet\nLibrary Name : " + ln + "\nDescription  : " + lib.description +
              "\n\n";
    for (size_t g = 0; g < lib.groups.size(); ++g) {
        const GroupRecord& grp = lib.groups[g];
        m.menu += "**G" + std::to_string(g + 1) + "\n[" + clean_label(grp.name) + "]\n";
        m.sheet += "[" + grp.name + "]\n";
        for (const SymbolRecord& s : grp.symbols) {
            if (s.type < SYM_BLOCK || s.type > SYM_DRAWING) continue;
            bool exploded = s.type != SYM_BLOCK;
            std::string answers = scaling ? "" : exploded ? "\\;" : "\\;;";
            m.menu += "[" + ln + "(" + s.name + "," + clean_label(s.description) + ")]^C^CINSERT;" +
                      (exploded ? "*" : "") + ln + "/" + s.name + ";" + answers + "\n";
            m.sheet += s.description + "\n";
        }
        m.menu += "\n\n";
        m.sheet += "\n\n";
    }
    return m;
}

}  // namespace symvault
