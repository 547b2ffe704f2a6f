// Reading and writing the library file's lines.
#include "library/library_format.h"

#include <cstdlib>
#include <cstring>

#include "host/text.h"

namespace symvault {

namespace {

const char* kMarker = "***SYMVAULT";
const char* kBeginLibrary = "***BEGIN_LIBRARY";
const char* kEndSymbols = "***END_SYMBOLS";
const char* kBeginScales = "***BEGIN_SCALE_OPTIONS";
const char* kEndScales = "***END_SCALE_OPTIONS";
const char* kEndLibrary = "***END_SYMVAULT_LIBRARY";

bool begins(const std::string& line, const char* key) { return line.rfind(key, 0) == 0; }

// The first n characters of the key, compared without regard to case.
bool begins_nocase(const std::string& line, const char* key, size_t n) {
    if (line.size() < n) return false;
    return same_name(line.substr(0, n), std::string(key, n));
}

// A field's value cut to its width. Lines are read without their trailing
// blanks, so blanks a cut leaves at the end would be gone once the record
// is written and read again; they go here, and a record reads back as it
// was written.
std::string field(const std::string& value, size_t width) {
    return trim_trailing_blanks(bounded(value, width));
}

std::string value_of(const std::string& line) {
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

int int_value(const std::string& line) { return std::atoi(value_of(line).c_str()); }
double real_value(const std::string& line) { return std::strtod(value_of(line).c_str(), nullptr); }

// Header YES/NO keys: the key in any case; without "=" the field is kept.
bool yes_no_key(const std::string& line, const char* key, int& field) {
    if (!begins_nocase(line, key, std::strlen(key))) return false;
    size_t eq = line.find('=');
    if (eq != std::string::npos) field = upper(line.substr(eq + 1, 3)) == "YES" ? 1 : 0;
    return true;
}

// Symbol and scale sections: "YES" exactly.
int exact_yes(const std::string& line) { return value_of(line) == "YES" ? 1 : 0; }

struct YesNoField {
    const char* key;
    int LibraryRecord::*field;
};

const YesNoField kHeaderFlags[] = {
    {"***ROTATE", &LibraryRecord::rotate},
    {"***SCALE", &LibraryRecord::scale},
    {"***XREF", &LibraryRecord::xref},
    {"***BLOCK_BREAK_LINES", &LibraryRecord::block_break_lines},
    {"***GROUP_DOT_TAGS", &LibraryRecord::group_dot_tags},
    {"***GROUP_BREAK_LINES", &LibraryRecord::group_break_lines},
    {"***LISP_MASTER_FILE", &LibraryRecord::lisp_master_file},
    {"***LISP_FORCE_LOAD", &LibraryRecord::lisp_force_load},
    {"***LISP_MASTER_FUNCTION", &LibraryRecord::lisp_master_function},
    {"***DEBUG", &LibraryRecord::debug},
};

// One header line; the keys are tried in the writer's order and the first
// that matches takes the line. Lines that match none are skipped.
void header_line(const std::string& line, LibraryRecord& lib) {
    if (begins_nocase(line, "***ACCESS=", 10)) {
        lib.access = decode_access(field(value_of(line), kAccessChars));
    } else if (begins_nocase(line, "***DIALOG_TYPE=", 15)) {
        int t = int_value(line);
        lib.dialog_type = t >= 0 && t <= 7 ? t : 0;
    } else if (yes_no_key(line, "***SLIDES", lib.slides)) {
    } else if (begins(line, "***BASE_LIBRARY_TYPE=")) {
        int t = int_value(line);
        lib.base_library_type = t >= 1 && t <= 5 ? t : SYM_BLOCK;
    } else {
        for (const YesNoField& f : kHeaderFlags)
            if (yes_no_key(line, f.key, lib.*f.field)) return;
        if (begins_nocase(line, "***PARAMETRIC_EDITOR=", 21)) lib.parametric_editor = field(value_of(line), kEditorChars);
        else if (begins_nocase(line, "***BANNER=", 10)) lib.banner = field(value_of(line), kBannerChars);
    }
}

// "*TYPE=" resets the part of the symbol that depends on its type.
void set_type(SymbolRecord& s, int type) {
    s.type = type >= 1 && type <= 5 ? type : SYM_BLOCK;
    switch (s.type) {
    case SYM_BLOCK:
    case SYM_GROUP: s.para_pre = s.para_post = 0, s.scale_option.clear(); break;
    case SYM_DRAWING: s.ins_x = s.ins_y = s.ins_z = s.ins_rotation = 0.0, s.ins_scale = 1.0; break;
    case SYM_PARAMETRIC: s.app_type = 3; break;
    default: break;
    }
}

// A key line for the last symbol; keys that do not fit its type are skipped.
void symbol_line(const std::string& line, SymbolRecord& s) {
    bool block = s.type == SYM_BLOCK || s.type == SYM_GROUP;
    if (begins(line, "*DESCRIPTION=")) s.description = field(value_of(line), kSymDescChars);
    else if (begins(line, "*LAYER=")) s.layer = field(value_of(line), kLayerChars);
    else if (begins(line, "*TYPE=")) set_type(s, int_value(line));
    else if (block && begins(line, "*SCALE_OPTION=")) s.scale_option = field(value_of(line), kOptionChars);
    else if (block && begins(line, "*DATA_PARA_PRE=")) s.para_pre = exact_yes(line);
    else if (block && begins(line, "*DATA_PARA_POST=")) s.para_post = exact_yes(line);
    else if (s.type == SYM_DRAWING) {
        if (begins(line, "*DATA_INS_X=")) s.ins_x = real_value(line);
        else if (begins(line, "*DATA_INS_Y=")) s.ins_y = real_value(line);
        else if (begins(line, "*DATA_INS_Z=")) s.ins_z = real_value(line);
        else if (begins(line, "*DATA_INS_SCL=")) s.ins_scale = real_value(line);
        else if (begins(line, "*DATA_INS_ROT=")) s.ins_rotation = real_value(line);
    } else if (s.type == SYM_PARAMETRIC && begins(line, "*DATA_APP_TYPE=")) {
        s.app_type = int_value(line);
    }
}

// Where the last symbol read is: keys after it apply to it, even after a
// group line, until the next "*SYMBOL=".
struct SymbolCursor {
    std::string group;
    size_t index = 0;
    bool set = false;
    SymbolRecord* resolve(LibraryRecord& lib) const {
        GroupRecord* g = set ? find_group(lib, group) : nullptr;
        return g && index < g->symbols.size() ? &g->symbols[index] : nullptr;
    }
};

int parse_header(const LineSource& next, LibraryRecord& lib) {
    for (;;) {
        auto line = next();
        if (!line) return ERR_EOF_SYMBOLS;
        if (same_name(*line, kBeginLibrary)) return 0;
        header_line(*line, lib);
    }
}

int parse_symbols(const LineSource& next, LibraryRecord& lib) {
    std::string open_group;  // name of the open group; empty when none is
    bool group_open = false;
    SymbolCursor last;
    for (;;) {
        auto line = next();
        if (!line) return ERR_EOF_SYMBOLS;
        if (same_name(*line, kEndSymbols)) break;
        if (line->empty()) continue;
        if (begins(*line, "**")) {
            std::string name = field(line->substr(2), kGroupChars);
            GroupRecord* g = find_group(lib, name);
            open_group = g ? g->name : insert_group_sorted(lib, name).name;
            group_open = true;
        } else if (!group_open) {
            return ERR_NO_GROUP;
        } else if (begins(*line, "*SYMBOL=")) {
            GroupRecord* g = find_group(lib, open_group);
            SymbolRecord s;
            s.name = field(value_of(*line), kSymNameChars);
            g->symbols.push_back(std::move(s));
            last = SymbolCursor{g->name, g->symbols.size() - 1, true};
        } else if (SymbolRecord* s = last.resolve(lib)) {
            symbol_line(*line, *s);
        }
    }
    auto marker = next();
    return marker && *marker == kBeginScales ? 0 : ERR_NO_SCALE_MARKER;
}

void scale_line(const std::string& line, ScaleOptionRecord& o) {
    ScaleValueRecord* v = o.values.empty() ? nullptr : &o.values.back();
    if (begins(line, "*X_TITLE=")) o.x_title = field(value_of(line), kOptionChars);
    else if (begins(line, "*Y_TITLE=")) o.y_title = field(value_of(line), kOptionChars);
    else if (begins(line, "*Z_TITLE=")) o.z_title = field(value_of(line), kOptionChars);
    else if (begins(line, "*USER=")) o.user = exact_yes(line);
    else if (begins(line, "*SCALE_VALUE=")) o.values.push_back(ScaleValueRecord{field(value_of(line), kOptionChars)});
    else if (v && begins(line, "*X_SCALE=")) v->x = real_value(line);
    else if (v && begins(line, "*Y_SCALE=")) v->y = real_value(line);
    else if (v && begins(line, "*Z_SCALE=")) v->z = real_value(line);
}

int parse_scales(const LineSource& next, LibraryRecord& lib) {
    for (;;) {
        auto line = next();
        if (!line) return ERR_EOF_SCALES;
        if (same_name(*line, kEndScales)) break;
        if (line->empty()) continue;
        if (begins(*line, "**")) {
            ScaleOptionRecord o;
            o.name = field(line->substr(2), kOptionChars);
            lib.scale_options.push_back(std::move(o));
        } else if (lib.scale_options.empty()) {
            return ERR_NO_OPTION;
        } else {
            scale_line(*line, lib.scale_options.back());
        }
    }
    auto marker = next();
    return marker && *marker == kEndLibrary ? 0 : ERR_NO_END_MARKER;
}

}  // namespace

FirstLine check_first_line(const std::optional<std::string>& line) {
    FirstLine f;
    if (!line || !begins(*line, kMarker)) return f;
    size_t eq = line->find('=');
    f.version_text = eq == std::string::npos ? "" : line->substr(eq + 1);
    f.version = eq == std::string::npos ? 0 : std::atoi(f.version_text.c_str());
    f.kind = f.version > 2 ? FirstLine::UNSUPPORTED : FirstLine::OK;
    return f;
}

std::string clean_line(const std::string& raw) { return line_text(raw); }

int parse_library(const LineSource& next, LibraryRecord& lib, bool* description_read) {
    if (description_read) *description_read = false;
    auto desc = next();
    if (!desc) return ERR_EOF_SYMBOLS;
    lib.description = field(*desc, kLibDescChars);
    if (description_read) *description_read = true;
    auto show = next();
    if (!show) return ERR_EOF_SYMBOLS;
    lib.show = begins_nocase(*show, "***SHOW_LIBRARY", 15) ? 1 : 0;
    if (int e = parse_header(next, lib)) return e;
    if (int e = parse_symbols(next, lib)) return e;
    if (int e = parse_scales(next, lib)) return e;
    lib.rotate_current = lib.rotate;
    lib.scale_current = lib.scale;
    lib.xref_current = lib.xref;
    return 0;
}

std::string encode_access(const std::string& plain) {
    std::string out = plain;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>((static_cast<unsigned char>(out[i]) + i + 1) & 0xFF);
    return out;
}

std::string decode_access(const std::string& stored) {
    std::string out = stored;
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>((static_cast<unsigned char>(out[i]) - (i + 1)) & 0xFF);
    return out;
}

}  // namespace symvault

namespace symvault {

namespace {

std::string yes_no(const char* key, int v) { return std::string(key) + (v ? "=YES" : "=NO"); }

void header_lines(const LibraryRecord& lib, std::vector<std::string>& out) {
    out.push_back("***ACCESS=" + encode_access(lib.access));
    out.push_back("***DIALOG_TYPE=" + std::to_string(lib.dialog_type));
    out.push_back(yes_no("***SLIDES", lib.slides));
    out.push_back("***BASE_LIBRARY_TYPE=" + std::to_string(lib.base_library_type));
    for (const YesNoField& f : kHeaderFlags) out.push_back(yes_no(f.key, lib.*f.field));
    out.push_back("***PARAMETRIC_EDITOR=" + lib.parametric_editor);
    out.push_back("***BANNER=" + lib.banner);
}

void symbol_lines(const SymbolRecord& s, std::vector<std::string>& out) {
    out.push_back("*SYMBOL=" + s.name);
    out.push_back("*DESCRIPTION=" + s.description);
    out.push_back("*LAYER=" + s.layer);
    out.push_back("*TYPE=" + std::to_string(s.type));
    switch (s.type) {
    case SYM_BLOCK:
    case SYM_GROUP:
        out.push_back("*SCALE_OPTION=" + s.scale_option);
        out.push_back(yes_no("*DATA_PARA_PRE", s.para_pre));
        out.push_back(yes_no("*DATA_PARA_POST", s.para_post));
        break;
    case SYM_DRAWING:
        out.push_back("*DATA_INS_X=" + number_text(s.ins_x));
        out.push_back("*DATA_INS_Y=" + number_text(s.ins_y));
        out.push_back("*DATA_INS_Z=" + number_text(s.ins_z));
        out.push_back("*DATA_INS_SCL=" + number_text(s.ins_scale));
        out.push_back("*DATA_INS_ROT=" + number_text(s.ins_rotation));
        break;
    case SYM_PARAMETRIC: out.push_back("*DATA_APP_TYPE=" + std::to_string(s.app_type)); break;
    default: break;
    }
}

void option_lines(const ScaleOptionRecord& o, std::vector<std::string>& out) {
    out.push_back("**" + o.name);
    out.push_back("*X_TITLE=" + o.x_title);
    out.push_back("*Y_TITLE=" + o.y_title);
    out.push_back("*Z_TITLE=" + o.z_title);
    out.push_back(yes_no("*USER", o.user));
    for (const ScaleValueRecord& v : o.values) {
        out.push_back("*SCALE_VALUE=" + v.name);
        out.push_back("*X_SCALE=" + number_text(v.x));
        out.push_back("*Y_SCALE=" + number_text(v.y));
        out.push_back("*Z_SCALE=" + number_text(v.z));
    }
}

}  // namespace

std::vector<std::string> library_lines(const LibraryRecord& lib) {
    std::vector<std::string> out;
    out.push_back(std::string(kMarker) + "=2");
    out.push_back(lib.description);
    out.push_back(lib.show ? "***SHOW_LIBRARY" : "***HIDE_LIBRARY");
    header_lines(lib, out);
    out.push_back(kBeginLibrary);
    for (const GroupRecord& g : lib.groups) {
        out.push_back("**" + g.name);
        for (const SymbolRecord& s : g.symbols) symbol_lines(s, out);
    }
    out.push_back(kEndSymbols);
    out.push_back(kBeginScales);
    for (const ScaleOptionRecord& o : lib.scale_options) option_lines(o, out);
    out.push_back(kEndScales);
    out.push_back(kEndLibrary);
    return out;
}

}  // namespace symvault
