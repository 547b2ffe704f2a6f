// The selection dialogs for builds that lack the configuration dialogs: the
// list, the information tiles of the highlighted row, OK and double-click.
// The "config" button is disabled, since the definitions dialogs it opens
// are not part of such a build.
#include <cstdlib>
#include <string>
#include <vector>

#include "draw/select_dialogs.h"
#include "host/dialog_support.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

// What one selection dialog shows: its rows and the tiles of a row.
struct Selection {
    const char* list_key;
    std::vector<std::string> rows;
    void (*show_row)(ads_hdlg h, int row);
    int highlighted = -1;
    int chosen = -1;
};

Selection* g_sel = nullptr;  // the selection dialog while it runs

void on_list(ads_callback_packet* p) {
    int row = p->value ? atoi(p->value) : -1;
    if (row < 0 || row >= static_cast<int>(g_sel->rows.size())) return;
    g_sel->highlighted = row;
    g_sel->show_row(p->dialog, row);
    if (p->reason == CBR_DOUBLE_CLICK) {
        g_sel->chosen = row;
        ads_done_dialog(p->dialog, DLGOK);
    }
}

void on_accept(ads_callback_packet* p) {
    g_sel->chosen = g_sel->highlighted;
    ads_done_dialog(p->dialog, DLGOK);
}

int run_selection(const char* dcl_file, const char* dialog, Selection& sel) {
    OpenDialog d;
    if (!open_dialog(dcl_file, dialog, d)) return -1;
    g_sel = &sel;
    ads_set_tile(d.hdlg, "p_title", config().p_title.c_str());
    ads_start_list(d.hdlg, sel.list_key, LIST_NEW, 0);
    for (const std::string& r : sel.rows) ads_add_list(r.c_str());
    ads_end_list();
    ads_mode_tile(d.hdlg, "config", MODE_DISABLE);
    ads_action_tile(d.hdlg, sel.list_key, on_list);
    ads_action_tile(d.hdlg, "accept", on_accept);
    int status = DLGCANCEL;
    ads_start_dialog(d.hdlg, &status);
    close_dialog(d);
    g_sel = nullptr;
    return status == DLGOK ? sel.chosen : -1;
}

void show_wire(ads_hdlg h, int row) {
    const WireDefn& w = config().wire_defs[row];
    ads_set_tile(h, "l_name", w.l_name.c_str());
    ads_set_tile(h, "colour", w.colour.c_str());
    ads_set_tile(h, "size", w.size.c_str());
    ads_set_tile(h, "signal", w.signal.c_str());
}

void show_zone(ads_hdlg h, int row) {
    const ZoneDefn& z = config().zone_defs[row];
    int level = z.level >= 0 && z.level < kZoneLevels ? z.level : 0;
    ads_set_tile(h, "c_level", config().zone_levels[level].c_str());
    ads_set_tile(h, "z_edit", z.z_name.c_str());
    ads_set_tile(h, "colnum", std::to_string(z.colnum).c_str());
}

}  // namespace

int wire_select_dialog() {
    Selection sel{"wire_names", {}, show_wire};
    for (int i = 0, n = wire_count(config()); i < n; ++i) sel.rows.emplace_back(config().wire_defs[i].w_name.c_str());
    return run_selection("wcraft10.dcl", "wire_sel_defn", sel);
}

int zone_select_dialog() {
    Selection sel{"z_names", {}, show_zone};
    for (int i = 0, n = zone_count(config()); i < n; ++i) sel.rows.emplace_back(config().zone_defs[i].z_name.c_str());
    return run_selection("wcraft11.dcl", "zone_sel_defn", sel);
}

}  // namespace wcraft
