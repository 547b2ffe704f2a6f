// Defaults of the project configuration and the list length rules.
#include "project/project_config.h"

namespace wcraft {

namespace {

struct WireRow {
    const char *name, *layer;
    int colnum;
    const char *colour, *size, *signal;
    int init, incr, pp_mode;
    const char* pp_val;
    int is_default;
};

const WireRow kDefaultWires[] = {
    {"CONTROL", "WCR_WIRE_CONTROL", 7, "WHITE", "2.5", "CONTROL", 1, 1, PP_PREFIX, "W", 1},
    {"PH1", "WCR_WIRE_PH1", 1, "RED", "", "Phase 1", 0, 1, PP_POSTFIX, "L1", 0},
    {"PH2", "WCR_WIRE_PH2", 2, "YELLOW", "", "Phase 2", 0, 1, PP_POSTFIX, "L2", 0},
    {"PH3", "WCR_WIRE_PH3", 5, "BLUE", "", "Phase 3", 0, 1, PP_POSTFIX, "L3", 0},
    {"PHN", "WCR_WIRE_PHN", 4, "CYAN", "", "NEUTRAL", 0, 1, PP_POSTFIX, "N", 0},
    {"12V", "WCR_WIRE_12V", 6, "MAGENTA", "2.5", "+12V", 1, 1, PP_PREFIX, "S", 0},
    {"5V", "WCR_WIRE_5V", 1, "RED", "2.5", "+5V", 1, 1, PP_PREFIX, "W", 0},
    {"0", "WCR_WIRE_0", 253, "GREY", "2.5", "0V", 0, 1, PP_PREFIX, "0v", 0},
};

struct ZoneRow {
    const char *name, *layer;
    int colnum, level;
    const char* parent;
};

const ZoneRow kDefaultZones[] = {
    {"CONTROL_SUITE", "WCR_ZONE_CONTROL_SUITE", 7, 0, "*"}, {"CUBICLE_1", "WCR_ZONE_CUBICLE_1", 6, 1, "CONTROL_SUITE"},
    {"CUBICLE_2", "WCR_ZONE_CUBICLE_2", 6, 1, "CONTROL_SUITE"}, {"RACK_1", "WCR_ZONE_RACK_1", 4, 2, "CUBICLE_1"},
    {"RACK_2", "WCR_ZONE_RACK_2", 4, 2, "CUBICLE_1"},           {"RACK_3", "WCR_ZONE_RACK_3", 4, 2, "CUBICLE_2"},
    {"RACK_4", "WCR_ZONE_RACK_4", 4, 2, "CUBICLE_2"},
};

void fill_wires(ProjectConfig& c) {
    for (WireDefn& w : c.wire_defs) {
        w = WireDefn{};
        w.w_name = "@";
        w.l_name = "@";
        w.colour = "@";
        w.size = "@";
        w.signal = "@";
        w.pp_val = "@";
    }
    int i = 0;
    for (const WireRow& r : kDefaultWires) {
        WireDefn& w = c.wire_defs[i++];
        w.w_name = r.name;
        w.l_name = r.layer;
        w.colnum = r.colnum;
        w.colour = r.colour;
        w.size = r.size;
        w.signal = r.signal;
        w.init = r.init;
        w.incr = r.incr;
        w.pp_mode = r.pp_mode;
        w.pp_val = r.pp_val;
        w.t_height = 2.5;
        w.x_off = 2.2;
        w.y_off = 1.5;
        w.nodepts = 1;
        w.is_default = r.is_default;
    }
    c.wire_defs[i].w_name = kListEnd;
}

void fill_zones(ProjectConfig& c) {
    for (ZoneDefn& z : c.zone_defs) {
        z = ZoneDefn{};
        z.z_name = "NONAME";
        z.l_name = "@";
        z.parent = "*";
    }
    int i = 0;
    for (const ZoneRow& r : kDefaultZones) {
        ZoneDefn& z = c.zone_defs[i++];
        z.z_name = r.name;
        z.l_name = r.layer;
        z.colnum = r.colnum;
        z.level = r.level;
        z.parent = r.parent;
    }
    c.zone_defs[i].z_name = kListEnd;
    const char* levels[] = {"SUITE", "CUBICLE", "SUB-RACK", "ZONE"};
    for (auto& l : c.zone_levels) l = "*UNDEFINED";
    for (int k = 0; k < 4; ++k) c.zone_levels[k] = levels[k];
}

void fill_files(ProjectConfig& c) {
    c.f_mode = FM_MASK;
    c.f_mask = "ELECT";
    for (auto& f : c.f_names) f = "NULLFILE";
    c.f_names[0] = "ELECT001";
    c.f_names[1] = "ELECT002";
    c.f_names[2] = "ELECT003";
    c.f_names[3] = "ELECT004";
    c.f_names[4] = kListEnd;
}

void fill_attributes(ProjectConfig& c) {
    c.grid_ref = "GRIDREF_HOR";
    c.title_block = "SHEETNO";
    c.sheetno = "SHT";
    c.sheetmax = "MAX";
    c.ref = "REF";
    c.bom = "REFNO";
    c.bomatt = "REFATT";
    c.tag = "TAG";
    c.cid = "CID";
    c.user = "USER";
    c.id = "ID";
    c.cv = "CV";
    c.zonename = "ZONE";
}

void fill_comps(CompDefn* defs, int slots, const char* const (*rows)[2]) {
    for (int i = 0; i < slots; ++i) {
        defs[i] = CompDefn{};
        defs[i].name = "NONAME";
        defs[i].pp_val = "@";
    }
    for (int i = 0; i < 4; ++i) {
        defs[i].name = rows[i][0];
        defs[i].pp_val = rows[i][1];
        defs[i].init = 1;
        defs[i].incr = 1;
    }
    defs[4].name = kListEnd;
}

void fill_relay_ids(ProjectConfig& c) {
    c.coil_id = "COIL";
    c.no_id = "NOC";
    c.nc_id = "NCC";
    c.co_id = "COC";
    c.tm_id = "TMC";
    c.no_prefix = "";
    c.nc_prefix = "%%O";
    c.tm_prefix = "^";
    c.no_postfix = "";
    c.nc_postfix = "%%O";
    c.tm_postfix = "^";
}

template <typename T, typename F>
int count_until_marker(const T* items, int slots, F name_of) {
    for (int i = 0; i < slots; ++i)
        if (is_list_end(name_of(items[i]))) return i;
    return slots;
}

}  // namespace

bool is_list_end(std::string_view name) { return name.substr(0, 4) == kListEnd; }

void fill_defaults(ProjectConfig& c) {
    c.p_name = "NONAME";
    c.p_dir = "";
    c.p_title = "No title";
    c.en = 0;
    c.v_x = c.v_y = c.h_x = c.h_y = 1.0;
    c.height = 2.5;
    c.ls = c.us = c.gs = c.wbs = c.wbg = c.ftg = 1;
    fill_wires(c);
    fill_zones(c);
    fill_files(c);
    fill_attributes(c);
    static const char* const comps[4][2] = {{"PUSH BUTTON", "PB"}, {"NC SWITCH", "NC"}, {"NO SWITCH", "NO"}, {"LAMP", "LP"}};
    static const char* const terms[4][2] = {{"TERMBLK1", "TB1"}, {"TERMBLK2", "TB2"}, {"TERMBLK3", "TB3"}, {"TERMBLK4", "TB4"}};
    fill_comps(c.comp_defs, kMaxCompDefs, comps);
    fill_comps(c.term_defs, kMaxTermDefs, terms);
    fill_relay_ids(c);
    c.wire_num = 1, c.sheet_rot = 0, c.wire_lis = 0, c.wire_sch = 0, c.wire_lnk = 1, c.part_lis = 0;
    c.analysis = 0, c.term_num = 1, c.relay_cr = 1, c.cont_num = 1, c.cont_blk = 0, c.comp_num = 1;
    c.sheet_no = 1, c.application_int = 0, c.audit = 0;
    for (auto* t : {&c.int1f, &c.int2f, &c.int3f, &c.int4f, &c.int5f}) *t = "";
    for (auto* t : {&c.int1x, &c.int2x, &c.int3x, &c.int4x, &c.int5x}) *t = "";
    c.config_changed = 0;
}

int wire_count(const ProjectConfig& c) {
    return count_until_marker(c.wire_defs, kMaxWires, [](const WireDefn& w) { return w.w_name.view(); });
}

int zone_count(const ProjectConfig& c) { return zone_count(c.zone_defs); }

int zone_count(const ZoneDefn* zones) {
    return count_until_marker(zones, kMaxZones, [](const ZoneDefn& z) { return z.z_name.view(); });
}

namespace {

void add_subtree(const ZoneDefn* zones, int count, int z, int depth, std::vector<ZoneOrderEntry>& order) {
    if (order.size() >= static_cast<size_t>(kMaxZones)) return;
    order.push_back({z, depth});
    for (int s = 0; s < count; ++s)
        if (zones[s].level == zones[z].level + 1 && zones[s].parent.view() == zones[z].z_name.view())
            add_subtree(zones, count, s, depth + 1, order);
}

}  // namespace

std::vector<ZoneOrderEntry> zone_tree_order(const ZoneDefn* zones) {
    std::vector<ZoneOrderEntry> order;
    const int count = zone_count(zones);
    for (int z = 0; z < count; ++z)
        if (zones[z].level == 0) add_subtree(zones, count, z, 0, order);
    return order;
}

int file_name_count(const ProjectConfig& c) {
    return count_until_marker(c.f_names, kMaxFileNames, [](const FixedText<9>& f) { return f.view(); });
}

int comp_count(const CompDefn* defs, int slots) {
    return count_until_marker(defs, slots, [](const CompDefn& d) { return d.name.view(); });
}

}  // namespace wcraft
