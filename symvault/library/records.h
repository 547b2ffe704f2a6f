// The in-memory library: a library record owns its groups (each with its
// symbols) and its scale options (each with its values). Text fields hold
// at most the capacity named beside them; every setter of a field cuts.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace symvault {

// Field capacities, in characters.
inline constexpr size_t kLibNameChars = 32;
inline constexpr size_t kLibDescChars = 64;
inline constexpr size_t kAccessChars = 16;
inline constexpr size_t kEditorChars = 256;
inline constexpr size_t kBannerChars = 64;
inline constexpr size_t kGroupChars = 50;
inline constexpr size_t kSymNameChars = 16;
inline constexpr size_t kSymDescChars = 100;
inline constexpr size_t kLayerChars = 32;
inline constexpr size_t kOptionChars = 32;

enum SymbolType { SYM_BLOCK = 1, SYM_GROUP = 2, SYM_DRAWING = 3, SYM_SCRIPT = 4, SYM_PARAMETRIC = 5 };

struct SymbolRecord {
    std::string name;         // kSymNameChars
    std::string description;  // kSymDescChars
    std::string layer;        // kLayerChars; empty = current layer
    int type = SYM_BLOCK;
    // block and group symbols
    int para_pre = 0, para_post = 0;  // an AutoLISP routine runs before / after insertion
    std::string scale_option;         // kOptionChars; empty for none
    // drawing symbols
    double ins_x = 0, ins_y = 0, ins_z = 0, ins_scale = 1, ins_rotation = 0;
    // parametric symbols
    int app_type = 3;
};

struct GroupRecord {
    std::string name;  // kGroupChars
    std::vector<SymbolRecord> symbols;  // file order
};

struct ScaleValueRecord {
    std::string name;  // kOptionChars
    double x = 1.0, y = 1.0, z = 1.0;
};

struct ScaleOptionRecord {
    std::string name;                      // kOptionChars
    std::string x_title, y_title, z_title;  // kOptionChars each
    int user = 0;                           // the user may type a value of his own
    std::vector<ScaleValueRecord> values;   // file order
};

struct LibraryRecord {
    int version = 2;
    std::string name;         // file name without extension, kLibNameChars
    std::string description;  // kLibDescChars
    int show = 1;             // shown on the generated toolbar and menu
    std::string access;       // lock password in plain text, kAccessChars
    int dialog_type = 0;      // picker layout 0..7
    int slides = 1;           // 1: a slide file per symbol; 0: locked, slides in the slide library
    int base_library_type = SYM_BLOCK;
    int rotate = 0, scale = 0, xref = 0;                          // picker toggle defaults
    int rotate_current = 0, scale_current = 0, xref_current = 0;  // remembered while loaded
    int recall_current = 1;
    int block_break_lines = 0, group_dot_tags = 0, group_break_lines = 0;
    int lisp_master_file = 0, lisp_force_load = 0, lisp_master_function = 0, debug = 0;
    std::string parametric_editor = "EDIT";        // kEditorChars
    std::string banner = "SYMVAULT Library";       // kBannerChars
    int location = 0;         // 0 local library directory, 1 network
    std::string last_group;   // kGroupChars; group last shown in the picker
    std::vector<ScaleOptionRecord> scale_options;  // file order
    std::vector<GroupRecord> groups;               // sorted by name on reading
};

// The library list: loaded libraries in load order, each owned here.
using LibraryList = std::vector<std::unique_ptr<LibraryRecord>>;

// Group by name, any case; null when absent.
GroupRecord* find_group(LibraryRecord& lib, const std::string& name);
const ScaleOptionRecord* find_scale_option(const LibraryRecord& lib, const std::string& name);
// A new empty group at its place in byte order of names: after every group
// whose name compares less or equal.
GroupRecord& insert_group_sorted(LibraryRecord& lib, const std::string& name);
// Loaded library by name, any case; null when absent.
LibraryRecord* find_library(const LibraryList& list, const std::string& name);

}  // namespace symvault
