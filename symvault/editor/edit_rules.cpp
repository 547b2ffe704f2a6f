// Library editor rules.
#include "editor/edit_rules.h"

#include "host/text.h"

namespace symvault {

std::string upper_copy(const std::string& s) { return upper(s); }

bool symbol_name_taken(const LibraryRecord& lib, const std::string& name, const SymbolRecord* self) {
    for (const GroupRecord& g : lib.groups)
        for (const SymbolRecord& s : g.symbols)
            if (&s != self && s.name == name) return true;
    return false;
}

std::string fill_template_line(const std::string& line, const std::string& library, const std::string& symbol) {
    static const std::string kLib = "%LIBNAME%", kSym = "%SYMNAME%";
    std::string out;
    for (size_t i = 0; i < line.size();) {
        std::string ahead = upper(line.substr(i, kLib.size()));
        if (ahead == kLib) out += library, i += kLib.size();
        else if (ahead == kSym) out += symbol, i += kSym.size();
        else out += line[i++];
    }
    return out;
}

SymbolRecord symbol_defaults(int type) {
    SymbolRecord s;
    s.type = type;
    s.para_pre = s.para_post = 0;
    s.scale_option.clear();
    s.ins_x = s.ins_y = s.ins_z = 0;
    s.ins_scale = 1.0;
    s.ins_rotation = 0;
    s.app_type = 3;
    return s;
}

void change_symbol_type(SymbolRecord& s, int type) {
    SymbolRecord fresh = symbol_defaults(type);
    fresh.name = s.name;
    fresh.description = s.description;
    fresh.layer = s.layer;
    s = fresh;
}

LibraryRecord new_library(const std::string& name, const std::string& group, int location, int base_type) {
    LibraryRecord lib;
    lib.name = bounded(name, kLibNameChars);
    lib.description = bounded(name, kLibDescChars);
    lib.location = location;
    lib.base_library_type = base_type;
    GroupRecord g;
    g.name = bounded(group.empty() ? "DEFAULT" : group, kGroupChars);
    lib.groups.push_back(g);
    return lib;
}

bool safe_file_part(const std::string& name) {
    if (name.empty() || name == "." || name.find("..") != std::string::npos) return false;
    return name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace symvault
