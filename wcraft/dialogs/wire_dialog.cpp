// The wire definitions dialog works on a copy of the 100 wire slots and
// the index of the record on the screen; OK copies the slots back. The
// selection dialog only reads a list of slots.
#include "dialogs/wire_dialog.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/dialog_tools.h"
#include "dialogs/messages.h"
#include "host/message_dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/validators.h"

namespace wcraft {

namespace {

// Edit limits of the record's tiles.
constexpr size_t kNumberChars = 5;  // init, incr, colnum
constexpr size_t kRealChars = 7;    // t_height, x_off, y_off

struct WireWork {
    WireDefn wires[kMaxWires];
    int current = 0;          // the record on the screen
    int pp_mode = PP_PREFIX;  // what its radio buttons say
};

WireWork* g_wire = nullptr;  // the dialog's working copy while it runs

enum StoreMode { STORE_FIELDS, VALIDATE_ONLY };
enum ConfigButton { CONFIG_ENABLED, CONFIG_DISABLED };

int count_wires(const WireDefn* wires) {
    for (int i = 0; i < kMaxWires; ++i)
        if (is_list_end(wires[i].w_name.view())) return i;
    return kMaxWires;
}

bool has_next(const WireWork& w) {
    return w.current + 1 < kMaxWires && !is_list_end(w.wires[w.current + 1].w_name.view());
}

int pick_wire(const WireDefn* wires, ConfigButton button);

void show_pp_mode(ads_hdlg h, int mode) {
    g_wire->pp_mode = mode == PP_PREFIX || mode == PP_POSTFIX ? mode : PP_NONE;
    const char* radio = g_wire->pp_mode == PP_PREFIX ? "pref" : g_wire->pp_mode == PP_POSTFIX ? "post" : "none";
    ads_set_tile(h, radio, "1");
    ads_mode_tile(h, "pp_val", g_wire->pp_mode == PP_NONE ? MODE_DISABLE : MODE_ENABLE);
}

void show_record(ads_hdlg h) {
    const WireDefn& r = g_wire->wires[g_wire->current];
    ads_set_tile(h, "w_name", r.w_name.c_str());
    ads_set_tile(h, "l_name", r.l_name.c_str());
    set_tile_int(h, "colnum", r.colnum);
    ads_set_tile(h, "colour", r.colour.c_str());
    ads_set_tile(h, "size", r.size.c_str());
    ads_set_tile(h, "signal", r.signal.c_str());
    ads_set_tile(h, "nodepts", r.nodepts == 1 ? "1" : "0");
    set_tile_int(h, "init", r.init);
    set_tile_int(h, "incr", r.incr);
    ads_set_tile(h, "pp_val", r.pp_val.c_str());
    show_pp_mode(h, r.pp_mode);
    set_tile_real(h, "t_height", r.t_height);
    set_tile_real(h, "x_off", r.x_off);
    set_tile_real(h, "y_off", r.y_off);
    ads_set_tile(h, "default", r.is_default == 1 ? "1" : "0");
    ads_mode_tile(h, "prev", g_wire->current > 0 ? MODE_ENABLE : MODE_DISABLE);
    ads_mode_tile(h, "next", has_next(*g_wire) ? MODE_ENABLE : MODE_DISABLE);
}

// Whether a record other than `skip` (-1: any record) has this name.
bool name_taken(const WireWork& w, std::string_view name, int skip) {
    for (int i = 0, n = count_wires(w.wires); i < n; ++i)
        if (i != skip && same_ignoring_case(w.wires[i].w_name.view(), name)) return true;
    return false;
}

// One tile's test; on failure the message and focus go to the tile.
struct FieldCheck {
    ads_hdlg h;
    bool ok = true;
    bool pass(bool valid, const char* key, const char* text) {
        if (!valid) {
            refuse(h, key, text);
            ok = false;
        }
        return valid;
    }
    bool integer(const char* key, const char* text, int& into, bool zero_allowed = true) {
        std::string t = tile_text(h, key, kNumberChars);
        bool valid = is_valid_int(t.c_str()) && (zero_allowed || atoi(t.c_str()) != 0);
        if (pass(valid, key, text)) into = atoi(t.c_str());
        return valid;
    }
    bool real(const char* key, const char* text, double& into) {
        std::string t = tile_text(h, key, kRealChars);
        bool valid = is_valid_real(t.c_str()) != 0;
        if (pass(valid, key, text)) into = atof(t.c_str());
        return valid;
    }
};

void check_colour(FieldCheck& c, WireDefn& r) {
    int colnum = 0;
    if (read_colour(c.h, "colnum", kNumberChars, colnum)) r.colnum = colnum;
    else c.ok = false;
}

// Reads the tiles in their order into a copy of the shown record; every
// field that passes is kept, every failure shows its message. In
// STORE_FIELDS mode the copy goes into the record even when a field failed.
bool store_record(ads_hdlg h, StoreMode mode) {
    WireWork& w = *g_wire;
    WireDefn r = w.wires[w.current];
    FieldCheck c{h};
    FixedText<20> name;
    name = tile_text(h, "w_name", 20);
    str_upper(name.buf);
    bool fresh = is_valid_ident(name.c_str()) && !name_taken(w, name.view(), mode == VALIDATE_ONLY ? -1 : w.current);
    if (c.pass(fresh, "w_name", dlgmsg::kBadWireName)) r.w_name = name.view();
    std::string layer = tile_text(h, "l_name", 32);
    if (c.pass(is_valid_ident(layer.c_str()) != 0, "l_name", dlgmsg::kBadLayerName)) r.l_name = layer;
    check_colour(c, r);
    r.colour = tile_text(h, "colour", 10);
    r.size = tile_text(h, "size", 10);
    r.signal = tile_text(h, "signal", 10);
    r.nodepts = tile_on(h, "nodepts") ? 1 : 0;
    c.integer("init", dlgmsg::kBadWireInit, r.init);
    c.integer("incr", dlgmsg::kBadWireIncr, r.incr, false);
    r.pp_val = tile_text(h, "pp_val", 5);
    r.pp_mode = w.pp_mode;
    c.real("t_height", dlgmsg::kBadHeight, r.t_height);
    c.real("x_off", dlgmsg::kBadXOffset, r.x_off);
    c.real("y_off", dlgmsg::kBadYOffset, r.y_off);
    if (mode == STORE_FIELDS) {
        // A record stored over the list-end marker (an empty list) keeps
        // the list ended behind it.
        bool was_end = is_list_end(w.wires[w.current].w_name.view());
        w.wires[w.current] = r;
        if (was_end && !is_list_end(r.w_name.view()) && w.current + 1 < kMaxWires)
            w.wires[w.current + 1].w_name = kListEnd;
    }
    return c.ok;
}

}  // namespace

namespace {

void on_w_name(ads_callback_packet* p) {
    clear_error(p->dialog);
    std::string layer = dlgmsg::kWireLayerPrefix + upper(packet_text(p, 20));
    ads_set_tile(p->dialog, "l_name", layer.c_str());
}

// The default can be moved to another record but never switched off.
void on_default(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    WireDefn& shown = g_wire->wires[g_wire->current];
    if (packet_text(p, 1) == "1") {
        for (WireDefn& w : g_wire->wires) w.is_default = 0;
        shown.is_default = 1;
    } else if (shown.is_default == 1) {
        ads_set_tile(h, "default", "1");
        set_error(h, dlgmsg::kDefaultOnlySet);
    }
}

void set_pp_mode(ads_callback_packet* p, int mode) {
    clear_error(p->dialog);
    show_pp_mode(p->dialog, mode);
}

void on_prev(ads_callback_packet* p) {
    clear_error(p->dialog);
    if (g_wire->current == 0 || !store_record(p->dialog, STORE_FIELDS)) return;
    --g_wire->current;
    show_record(p->dialog);
}

void on_next(ads_callback_packet* p) {
    clear_error(p->dialog);
    if (!has_next(*g_wire) || !store_record(p->dialog, STORE_FIELDS)) return;
    ++g_wire->current;
    show_record(p->dialog);
}

void on_pick(ads_callback_packet* p) {
    clear_error(p->dialog);
    if (!store_record(p->dialog, STORE_FIELDS)) return;
    int i = pick_wire(g_wire->wires, CONFIG_DISABLED);
    if (i < 0 || i >= count_wires(g_wire->wires)) return;
    g_wire->current = i;
    show_record(p->dialog);
}

// Appends the values on the screen as a new record at the list end; the
// record shown before keeps what was stored for it.
void on_add(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    if (!store_record(h, VALIDATE_ONLY)) return;
    WireWork& w = *g_wire;
    if (w.current >= kMaxWires - 2) {
        set_error(h, dlgmsg::kWireAddAtMax);
        return;
    }
    int slot = w.current;
    while (slot < kMaxWires && !is_list_end(w.wires[slot].w_name.view())) ++slot;
    if (slot >= kMaxWires) {
        set_error(h, dlgmsg::kWireMax);
        return;
    }
    w.current = slot;
    store_record(h, STORE_FIELDS);
    w.wires[slot].is_default = 0;
    if (slot + 1 < kMaxWires) w.wires[slot + 1].w_name = kListEnd;
    show_record(h);
    set_error(h, dlgmsg::kWireAdded);
}

void on_del(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    WireWork& w = *g_wire;
    int n = count_wires(w.wires);
    if (n <= 1) {
        set_error(h, dlgmsg::kDeleteDefault);
        return;
    }
    bool was_default = w.wires[w.current].is_default == 1;
    // Shift up to and including the list-end slot; a full list gets one.
    int last = n < kMaxWires ? n : kMaxWires - 1;
    for (int i = w.current; i < last; ++i) w.wires[i] = w.wires[i + 1];
    if (n == kMaxWires) w.wires[kMaxWires - 1].w_name = kListEnd;
    if (was_default) {
        for (WireDefn& r : w.wires) r.is_default = 0;
        w.wires[0].is_default = 1;
    }
    if (w.current >= n - 1) w.current = n - 2;
    show_record(h);
}

void on_accept(ads_callback_packet* p) {
    clear_error(p->dialog);
    if (!store_record(p->dialog, STORE_FIELDS)) return;
    config().config_changed = 1;
    ads_done_dialog(p->dialog, DLGOK);
}

void bind_wire_tiles(ads_hdlg h) {
    ads_action_tile(h, "w_name", on_w_name);
    ads_action_tile(h, "default", on_default);
    ads_action_tile(h, "pref", [](ads_callback_packet* p) { set_pp_mode(p, PP_PREFIX); });
    ads_action_tile(h, "post", [](ads_callback_packet* p) { set_pp_mode(p, PP_POSTFIX); });
    ads_action_tile(h, "none", [](ads_callback_packet* p) { set_pp_mode(p, PP_NONE); });
    ads_action_tile(h, "prev", on_prev);
    ads_action_tile(h, "next", on_next);
    ads_action_tile(h, "pick", on_pick);
    ads_action_tile(h, "add", on_add);
    ads_action_tile(h, "del", on_del);
    ads_action_tile(h, "info", wcr_info);
    ads_action_tile(h, "accept", on_accept);
}

void send_wire_layer_colours(const ProjectConfig& c) {
    std::vector<LayerColour> layers;
    for (int i = 0, n = count_wires(c.wire_defs); i < n; ++i)
        layers.push_back({c.wire_defs[i].l_name.c_str(), c.wire_defs[i].colnum});
    send_layer_colours(layers);
}

}  // namespace

int wire_dialog() {
    auto work = std::make_unique<WireWork>();
    for (int i = 0; i < kMaxWires; ++i) work->wires[i] = config().wire_defs[i];
    OpenDialog d;
    if (!open_dialog("wcraft2.dcl", "wire_defn", d)) return 1;
    WireWork* outer = g_wire;
    g_wire = work.get();
    bind_wire_tiles(d.hdlg);
    show_record(d.hdlg);
    ads_mode_tile(d.hdlg, "pick", from_config() == 1 ? MODE_ENABLE : MODE_DISABLE);
    int status = run_dialog(d);
    g_wire = outer;
    close_dialog(d);
    if (status != DLGOK) {
        ads_printf("%s", msg::kDialogCancel);
        return 1;
    }
    for (int i = 0; i < kMaxWires; ++i) config().wire_defs[i] = work->wires[i];
    ads_printf("%s", msg::kDialogOk);
    if (from_config() == 1) send_wire_layer_colours(config());
    return 1;
}

// The selection dialog.
namespace {

struct WireSelect {
    const WireDefn* wires;  // the working copy of the dialog above, or the configuration's
    int chosen = -1;
};

WireSelect* g_select = nullptr;

std::vector<std::string> wire_names(const WireDefn* wires) {
    std::vector<std::string> names;
    for (int i = 0, n = count_wires(wires); i < n; ++i) names.push_back(wires[i].w_name.c_str());
    return names;
}

void show_choice(ads_hdlg h, int i) {
    const WireDefn* r = i >= 0 ? &g_select->wires[i] : nullptr;
    ads_set_tile(h, "l_name", r ? r->l_name.c_str() : "");
    ads_set_tile(h, "colour", r ? r->colour.c_str() : "");
    ads_set_tile(h, "size", r ? r->size.c_str() : "");
    ads_set_tile(h, "signal", r ? r->signal.c_str() : "");
}

void on_wire_names(ads_callback_packet* p) {
    clear_error(p->dialog);
    int i = picked_row(p, count_wires(g_select->wires));
    g_select->chosen = i;
    show_choice(p->dialog, i);
    if (i >= 0 && p->reason == CBR_DOUBLE_CLICK) ads_done_dialog(p->dialog, DLGOK);
}

// Edits the configuration's wire types, then lists them afresh.
void on_config(ads_callback_packet* p) {
    clear_error(p->dialog);
    wire_dialog();
    g_select->chosen = -1;
    show_list(p->dialog, "wire_names", wire_names(g_select->wires), -1);
    show_choice(p->dialog, -1);
}

int pick_wire(const WireDefn* wires, ConfigButton button) {
    from_config() = 0;
    OpenDialog d;
    if (!open_dialog("wcraft10.dcl", "wire_sel_defn", d)) return -1;
    WireSelect sel{wires};
    WireSelect* outer = g_select;
    g_select = &sel;
    ads_action_tile(d.hdlg, "wire_names", on_wire_names);
    ads_action_tile(d.hdlg, "config", on_config);
    ads_action_tile(d.hdlg, "info", wcr_info);
    show_list(d.hdlg, "wire_names", wire_names(wires), -1);
    ads_set_tile(d.hdlg, "p_title", config().p_title.c_str());
    ads_mode_tile(d.hdlg, "config", button == CONFIG_ENABLED ? MODE_ENABLE : MODE_DISABLE);
    int status = run_dialog(d);
    g_select = outer;
    close_dialog(d);
    return status == DLGOK ? sel.chosen : -1;
}

}  // namespace

int wire_select_dialog() { return pick_wire(config().wire_defs, CONFIG_ENABLED); }

}  // namespace wcraft
