// The project configuration record: identity, wire types, zones, drawing
// selection, attribute names, numbering definitions, relay identification,
// post-processor flags and application interfaces, with its defaults.
#pragma once

#include <vector>

#include "project/fixed_text.h"

namespace wcraft {

// How a prefix or postfix text is attached to a generated number.
enum PpMode : int { PP_NONE = 0, PP_PREFIX = 1, PP_POSTFIX = 2 };
// How the project's drawings are chosen.
enum FileMode : int { FM_FILENAME = 0, FM_MASK = 1, FM_DIRECTORY = 2 };

inline constexpr const char* kListEnd = "*ND*";
inline constexpr int kMaxWires = 100;
inline constexpr int kMaxZones = 250;
inline constexpr int kZoneLevels = 10;
inline constexpr int kMaxFileNames = 500;
inline constexpr int kMaxCompDefs = 100;
inline constexpr int kMaxTermDefs = 100;

struct WireDefn {
    FixedText<20> w_name;  // wire type name, unique in the list
    FixedText<32> l_name;  // layer the wires are drawn on
    int colnum = 7;        // layer colour 1..255
    FixedText<10> colour;
    FixedText<10> size;
    FixedText<10> signal;
    int init = 0;  // first wire number
    int incr = 0;  // step between numbers
    int pp_mode = PP_PREFIX;
    FixedText<5> pp_val;
    double t_height = 0.0;
    double x_off = 0.0;
    double y_off = 0.0;
    int nodepts = 1;
    int is_default = 0;  // the default wire type (exactly one has it)
};

struct ZoneDefn {
    FixedText<20> z_name;
    FixedText<32> l_name;
    int colnum = 7;
    int level = 0;           // depth in the zone tree, 0..9
    FixedText<20> parent;    // "*" for a top-level zone
};

struct CompDefn {
    FixedText<15> name;
    int pp_mode = PP_PREFIX;
    FixedText<5> pp_val;
    int cont_wire = 0;  // carry one wire number through the connection points
    int init = 0;
    int incr = 0;
};

struct ProjectConfig {
    // identity
    FixedText<8> p_name;
    FixedText<60> p_dir;
    FixedText<58> p_title;
    // global wire-number settings
    int en = 0;
    double v_x = 1.0, v_y = 1.0, h_x = 1.0, h_y = 1.0;
    double height = 2.5;
    int ls = 1, us = 1, gs = 1, wbs = 1, wbg = 1, ftg = 1;
    WireDefn wire_defs[kMaxWires];
    ZoneDefn zone_defs[kMaxZones];
    FixedText<14> zone_levels[kZoneLevels];
    // drawing selection
    int f_mode = FM_MASK;
    FixedText<8> f_mask;
    FixedText<9> f_names[kMaxFileNames];
    // attribute names
    FixedText<19> grid_ref, title_block, sheetno, sheetmax, ref, bom, bomatt, tag, cid, user, id, cv, zonename;
    CompDefn comp_defs[kMaxCompDefs];
    CompDefn term_defs[kMaxTermDefs];
    // relay identification
    FixedText<15> coil_id, no_id, nc_id, co_id, tm_id;
    FixedText<4> no_prefix, nc_prefix, tm_prefix, no_postfix, nc_postfix, tm_postfix;
    // post-processor control flags
    int wire_num = 1, sheet_rot = 0, wire_lis = 0, wire_sch = 0, wire_lnk = 1, part_lis = 0, analysis = 0,
        term_num = 1, relay_cr = 1, cont_num = 1, cont_blk = 0, comp_num = 1, sheet_no = 1, application_int = 0,
        audit = 0;
    // application interfaces: AutoLISP file and function names
    FixedText<8> int1f, int2f, int3f, int4f, int5f;
    FixedText<14> int1x, int2x, int3x, int4x, int5x;
    // run time only: a dialog accepted a change since the last load or save
    int config_changed = 0;
};

// Fills the record with the defaults (does not print).
void fill_defaults(ProjectConfig& c);

// A table ends at the first name beginning with the list-end marker.
bool is_list_end(std::string_view name);
// Number of used slots: up to the list-end marker or the array end.
int wire_count(const ProjectConfig& c);
int zone_count(const ProjectConfig& c);
int file_name_count(const ProjectConfig& c);
int comp_count(const CompDefn* defs, int slots);
// The same for a zone table of kMaxZones slots (the configuration's or a
// dialog's working copy).
int zone_count(const ZoneDefn* zones);

// One zone in tree order: its slot in the zone table and its depth below
// its top-level zone.
struct ZoneOrderEntry {
    int index;
    int depth;
};
// The zone tree walked in pre-order: every level-0 zone in table order,
// each followed at once by its sub-zones (one level deeper, `parent` equal
// to its name exactly) and theirs. A zone whose parent names no zone of the
// level above is never reached. At most kMaxZones entries, so a name used
// twice cannot make the walk run on.
std::vector<ZoneOrderEntry> zone_tree_order(const ZoneDefn* zones);

}  // namespace wcraft
