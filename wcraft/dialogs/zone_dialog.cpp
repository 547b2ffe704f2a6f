// The zone definitions dialog shows the zones of one level under one
// parent. Going down or up closes it and opens it again at the new level
// over the same working copy; OK ends the loop and copies the zones back.
#include "dialogs/zone_dialog.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "dialogs/dialog_tools.h"
#include "dialogs/messages.h"
#include "host/message_dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/validators.h"

namespace wcraft {

namespace {

constexpr size_t kColourChars = 5;
constexpr size_t kZoneNameChars = 20;
constexpr const char* kTopParent = "*";

// How the zone definitions dialog was closed, besides OK and cancel.
enum ZoneStatus { ZONE_DOWN = 3, ZONE_UP = 4 };

struct ZoneWork {
    ZoneDefn zones[kMaxZones];
    int level = 0;
    FixedText<20> parents[kZoneLevels];  // the parent of each level down to the current one
    std::vector<std::string> rows;       // names on the list, for the current level and parent
    int selected = -1;                   // picked row, -1 for none
};

ZoneWork* g_zone = nullptr;  // the dialog's working copy while it runs

int find_zone(const ZoneWork& w, std::string_view name) {
    for (int i = 0, n = zone_count(w.zones); i < n; ++i)
        if (same_ignoring_case(w.zones[i].z_name.view(), name)) return i;
    return -1;
}

void list_level(ZoneWork& w) {
    w.rows.clear();
    std::string_view parent = w.parents[w.level].view();
    for (int i = 0, n = zone_count(w.zones); i < n; ++i)
        if (w.zones[i].level == w.level && w.zones[i].parent.view() == parent)
            w.rows.push_back(w.zones[i].z_name.c_str());
}

// The zone the picked row stands for; shows `missing` when there is none.
int selected_zone(ads_hdlg h, const char* missing) {
    int i = g_zone->selected >= 0 && g_zone->selected < static_cast<int>(g_zone->rows.size())
                ? find_zone(*g_zone, g_zone->rows[g_zone->selected])
                : -1;
    if (i < 0) set_error(h, missing);
    return i;
}

// The edited name in upper case, valid and unlike every zone's name but
// that of `skip` (-1: every zone). Empty when refused.
std::string edited_zone_name(ads_hdlg h, int skip) {
    FixedText<kZoneNameChars> name;
    name = tile_text(h, "z_edit", kZoneNameChars);
    str_upper(name.buf);
    if (!is_valid_ident(name.c_str())) {
        refuse(h, "z_edit", dlgmsg::kBadZoneName);
        return "";
    }
    for (int i = 0, n = zone_count(g_zone->zones); i < n; ++i)
        if (i != skip && same_ignoring_case(g_zone->zones[i].z_name.view(), name.view())) {
            refuse(h, "z_edit", dlgmsg::kDuplicateZone);
            return "";
        }
    return name.c_str();
}

void name_zone(ZoneDefn& z, const std::string& name, int colnum) {
    z.z_name = name;
    z.l_name = dlgmsg::kZoneLayerPrefix + name;
    z.colnum = colnum;
}

void refresh(ads_hdlg h) {
    list_level(*g_zone);
    if (g_zone->selected >= static_cast<int>(g_zone->rows.size())) g_zone->selected = -1;
    show_list(h, "z_names", g_zone->rows, g_zone->selected);
}

}  // namespace

namespace {

void on_z_names(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    g_zone->selected = picked_row(p, static_cast<int>(g_zone->rows.size()));
    if (g_zone->selected < 0) return;
    int i = find_zone(*g_zone, g_zone->rows[g_zone->selected]);
    if (i < 0) return;
    ads_set_tile(h, "z_edit", g_zone->zones[i].z_name.c_str());
    ads_set_tile(h, "l_name", g_zone->zones[i].l_name.c_str());
    set_tile_int(h, "colnum", g_zone->zones[i].colnum);
}

void on_z_edit(ads_callback_packet* p) {
    clear_error(p->dialog);
    std::string layer = dlgmsg::kZoneLayerPrefix + upper(packet_text(p, kZoneNameChars));
    ads_set_tile(p->dialog, "l_name", layer.c_str());
}

// A new zone at the current level under the current parent, at the list end.
void on_add(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    std::string name = edited_zone_name(h, -1);
    if (name.empty()) return;
    int n = zone_count(g_zone->zones);
    if (n >= kMaxZones - 1) {
        set_error(h, dlgmsg::kZoneMax);
        return;
    }
    int colnum = 0;
    if (!read_colour(h, "colnum", kColourChars, colnum)) return;
    ZoneDefn& z = g_zone->zones[n];
    name_zone(z, name, colnum);
    z.level = g_zone->level;
    z.parent = g_zone->parents[g_zone->level].view();
    g_zone->zones[n + 1].z_name = kListEnd;
    refresh(h);
    ads_set_tile(h, "z_edit", "");
}

void on_del(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int i = selected_zone(h, dlgmsg::kSelectZoneToDelete);
    if (i < 0) return;
    ZoneDefn* zones = g_zone->zones;
    int n = zone_count(zones);
    for (int j = 0; j < n; ++j)
        if (same_ignoring_case(zones[j].parent.view(), zones[i].z_name.view())) {
            set_error(h, dlgmsg::kSubZonesFirst);
            return;
        }
    int last = n < kMaxZones ? n : kMaxZones - 1;
    for (int j = i; j < last; ++j) zones[j] = zones[j + 1];
    if (n == kMaxZones) zones[kMaxZones - 1].z_name = kListEnd;
    g_zone->selected = -1;
    refresh(h);
}

void on_mod(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int i = selected_zone(h, dlgmsg::kSelectZoneToModify);
    if (i < 0) return;
    std::string name = edited_zone_name(h, i);
    if (name.empty()) return;
    int colnum = 0;
    if (!read_colour(h, "colnum", kColourChars, colnum)) return;
    name_zone(g_zone->zones[i], name, colnum);
    refresh(h);
}

// A colour out of range or not a number is passed over without a word.
void on_setcolour(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int i = selected_zone(h, dlgmsg::kSelectZone);
    if (i < 0) return;
    std::string t = tile_text(h, "colnum", kColourChars);
    int v = is_valid_int(t.c_str()) ? atoi(t.c_str()) : 0;
    if (v >= 1 && v <= 255) g_zone->zones[i].colnum = v;
}

void on_next(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int i = selected_zone(h, dlgmsg::kSelectZone);
    if (i < 0) return;
    if (g_zone->level >= kZoneLevels - 1) {
        set_error(h, dlgmsg::kMaxZoneLevel);
        return;
    }
    ++g_zone->level;
    g_zone->parents[g_zone->level] = g_zone->zones[i].z_name.view();
    ads_done_dialog(h, ZONE_DOWN);
}

void on_prev(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    if (g_zone->level == 0) {
        set_error(h, dlgmsg::kTopZoneLevel);
        return;
    }
    --g_zone->level;
    ads_done_dialog(h, ZONE_UP);
}

void on_accept(ads_callback_packet* p) {
    clear_error(p->dialog);
    config().config_changed = 1;
    ads_done_dialog(p->dialog, DLGOK);
}

}  // namespace

namespace {

void bind_zone_tiles(ads_hdlg h) {
    ads_action_tile(h, "z_names", on_z_names);
    ads_action_tile(h, "z_edit", on_z_edit);
    ads_action_tile(h, "add", on_add);
    ads_action_tile(h, "del", on_del);
    ads_action_tile(h, "mod", on_mod);
    ads_action_tile(h, "setcolour", on_setcolour);
    ads_action_tile(h, "next", on_next);
    ads_action_tile(h, "prev", on_prev);
    ads_action_tile(h, "info", wcr_info);
    ads_action_tile(h, "accept", on_accept);
}

void fill_zone_tiles(ads_hdlg h, ZoneWork& w) {
    const ProjectConfig& c = config();
    w.selected = -1;
    list_level(w);
    show_list(h, "z_names", w.rows, -1);
    ads_set_tile(h, "colnum", "7");
    ads_set_tile(h, "c_level", c.zone_levels[w.level].c_str());
    ads_set_tile(h, "p_level", w.level > 0 ? c.zone_levels[w.level - 1].c_str() : "");
    ads_set_tile(h, "p_zone", w.level > 0 ? w.parents[w.level].c_str() : dlgmsg::kTopLevel);
    ads_set_tile(h, "p_title", c.p_title.c_str());
    ads_mode_tile(h, "next", w.level < kZoneLevels - 1 ? MODE_ENABLE : MODE_DISABLE);
    ads_mode_tile(h, "prev", w.level > 0 ? MODE_ENABLE : MODE_DISABLE);
}

// Opens the dialog once at the working copy's level; its closing status.
int run_zone_level(ZoneWork& w) {
    OpenDialog d;
    if (!open_dialog("wcraft3.dcl", "zone_defn", d)) return DLGCANCEL;
    bind_zone_tiles(d.hdlg);
    fill_zone_tiles(d.hdlg, w);
    int status = run_dialog(d);
    close_dialog(d);
    return status;
}

void send_zone_layer_colours(const ProjectConfig& c) {
    std::vector<LayerColour> layers;
    for (int i = 0, n = zone_count(c.zone_defs); i < n; ++i)
        layers.push_back({c.zone_defs[i].l_name.c_str(), c.zone_defs[i].colnum});
    send_layer_colours(layers);
}

}  // namespace

int zone_dialog() {
    auto work = std::make_unique<ZoneWork>();
    for (int i = 0; i < kMaxZones; ++i) work->zones[i] = config().zone_defs[i];
    work->parents[0] = kTopParent;
    ZoneWork* outer = g_zone;
    g_zone = work.get();
    int status;
    do status = run_zone_level(*work);
    while (status == ZONE_DOWN || status == ZONE_UP);
    g_zone = outer;
    if (status != DLGOK) {
        ads_printf("%s", msg::kDialogCancel);
        return 1;
    }
    for (int i = 0; i < kMaxZones; ++i) config().zone_defs[i] = work->zones[i];
    ads_printf("%s", msg::kDialogOk);
    if (from_config() == 1) send_zone_layer_colours(config());
    return 1;
}

// The selection dialog.
namespace {

struct ZoneSelect {
    std::vector<ZoneOrderEntry> order;  // one entry per list row
    int chosen = -1;                    // zone index
};

ZoneSelect* g_select = nullptr;

void show_tree(ads_hdlg h) {
    g_select->order = zone_tree_order(config().zone_defs);
    std::vector<std::string> rows;
    for (const ZoneOrderEntry& e : g_select->order)
        rows.push_back(std::string(3 * static_cast<size_t>(e.depth), ' ') + config().zone_defs[e.index].z_name.c_str());
    show_list(h, "z_names", rows, -1);
}

void show_zone(ads_hdlg h, int index) {
    const ProjectConfig& c = config();
    const ZoneDefn* z = index >= 0 ? &c.zone_defs[index] : nullptr;
    bool named_level = z && z->level >= 0 && z->level < kZoneLevels;
    ads_set_tile(h, "c_level", named_level ? c.zone_levels[z->level].c_str() : "");
    ads_set_tile(h, "z_edit", z ? z->z_name.c_str() : "");
    ads_set_tile(h, "colnum", z ? int_text(z->colnum).c_str() : "");
}

void on_tree(ads_callback_packet* p) {
    clear_error(p->dialog);
    int row = picked_row(p, static_cast<int>(g_select->order.size()));
    g_select->chosen = row >= 0 ? g_select->order[static_cast<size_t>(row)].index : -1;
    show_zone(p->dialog, g_select->chosen);
    if (row >= 0 && p->reason == CBR_DOUBLE_CLICK) ads_done_dialog(p->dialog, DLGOK);
}

void on_config(ads_callback_packet* p) {
    clear_error(p->dialog);
    zone_dialog();
    g_select->chosen = -1;
    show_tree(p->dialog);
    show_zone(p->dialog, -1);
}

}  // namespace

int zone_select_dialog() {
    from_config() = 0;
    OpenDialog d;
    if (!open_dialog("wcraft11.dcl", "zone_sel_defn", d)) return -1;
    ZoneSelect sel;
    ZoneSelect* outer = g_select;
    g_select = &sel;
    ads_action_tile(d.hdlg, "z_names", on_tree);
    ads_action_tile(d.hdlg, "config", on_config);
    ads_action_tile(d.hdlg, "info", wcr_info);
    show_tree(d.hdlg);
    ads_set_tile(d.hdlg, "p_title", config().p_title.c_str());
    int status = run_dialog(d);
    g_select = outer;
    close_dialog(d);
    return status == DLGOK ? sel.chosen : -1;
}

}  // namespace wcraft
