// The picker dialog "sv_symvault".
#include "picker/picker.h"

#include <cstdlib>

#include "host/dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/paths.h"

namespace symvault {

namespace {

const char* kToggleKeys[] = {"explode", "scale", "rotate", "xref", "multi", "recall"};

struct Picker {
    LibraryRecord* lib = nullptr;
    const PickerLayout* layout = nullptr;
    ads_hdlg h = nullptr;
    std::string group;
    int page = 0;
    PageSpan span;
    GroupRecord* shown = nullptr;  // the group of the page shown
    int selected = -1;             // tile position of the chosen symbol, -1 for none
    PickerToggles toggles;
};

Picker* g_picker = nullptr;

std::string tile_key(int position) { return "symbol" + std::to_string(position + 1); }

void show_toggles(const Picker& p) {
    const int values[] = {p.toggles.explode, p.toggles.scale, p.toggles.rotate,
                          p.toggles.xref,    p.toggles.multi, p.toggles.recall};
    for (int i = 0; i < 6; ++i) ads_set_tile(p.h, kToggleKeys[i], values[i] ? "1" : "0");
}

std::string slide_of(const LibraryRecord& lib, const SymbolRecord& s) {
    std::string dir = library_dir(lib.name, lib.location);
    return lib.slides ? dir + s.name : dir + lib.name + "(" + s.name + ")";
}

void draw_tile(const Picker& p, int position, const SymbolRecord* s) {
    std::string key = tile_key(position);
    short w = 0, h = 0;
    if (ads_dimensions_tile(p.h, key.c_str(), &w, &h) != RTNORM) return;
    if (ads_start_image(p.h, key.c_str()) != RTNORM) return;
    ads_fill_image(0, 0, w, h, 0);
    if (s) ads_slide_image(0, 0, w, h, slide_of(*p.lib, *s).c_str());
    ads_end_image();
}

// No symbol is chosen: the highlighted tile, if any, goes back to normal.
void clear_selection(Picker& p) {
    if (p.selected >= 0) ads_mode_tile(p.h, tile_key(p.selected).c_str(), MODE_FLIP);
    p.selected = -1;
}

bool fill_page(Picker& p, FillKind kind) {
    error_code() = 0;
    clear_selection(p);
    p.shown = find_group(*p.lib, p.group);
    if (!p.shown) {
        error_code() = kind == OPENING_FILL ? ERR_GROUP_OPEN : ERR_GROUP_LATER;
        report_error();
        return false;
    }
    p.span = page_span(p.shown->symbols.size(), p.page, p.layout->tiles, kind);
    if (p.span.error) {
        error_code() = p.span.error;
        report_error();
        return false;
    }
    ads_start_list(p.h, "names", LIST_NEW, 0);
    for (size_t i = 0; i < p.span.count; ++i) ads_add_list(p.shown->symbols[p.span.start + i].description.c_str());
    ads_end_list();
    for (int i = 0; i < p.layout->tiles; ++i) {
        size_t at = static_cast<size_t>(i);
        draw_tile(p, i, at < p.span.count ? &p.shown->symbols[p.span.start + at] : nullptr);
    }
    ads_mode_tile(p.h, "next", p.span.more ? MODE_ENABLE : MODE_DISABLE);
    ads_mode_tile(p.h, "prev", p.page >= 1 ? MODE_ENABLE : MODE_DISABLE);
    ads_set_tile(p.h, "fulldescription", "");
    return true;
}

const SymbolRecord* symbol_at(const Picker& p, int position) {
    if (!p.shown || position < 0 || static_cast<size_t>(position) >= p.span.count) return nullptr;
    return &p.shown->symbols[p.span.start + static_cast<size_t>(position)];
}

void enable_toggles(const Picker& p, int type) {
    ToggleModes m = toggle_modes(type);
    const int on[] = {m.explode, m.scale, m.rotate, m.xref, m.multi};
    for (int i = 0; i < 5; ++i) ads_mode_tile(p.h, kToggleKeys[i], on[i] ? MODE_ENABLE : MODE_DISABLE);
}

void accept(ads_callback_packet* cb, bool keep_position) {
    if (!keep_position) {
        ads_done_dialog(cb->dialog, DLGOK);
        return;
    }
    int x = 0, y = 0;
    if (ads_done_positioned_dialog(cb->dialog, DLGOK, &x, &y) == RTNORM) sv().picker_x = x, sv().picker_y = y;
}

void choose(Picker& p, int position, ads_callback_packet* cb) {
    const SymbolRecord* s = symbol_at(p, position);
    if (!s) return;
    ads_set_tile(p.h, "fulldescription", ("[" + s->name + "] " + s->description).c_str());
    if (p.selected >= 0) ads_mode_tile(p.h, tile_key(p.selected).c_str(), MODE_FLIP);
    ads_mode_tile(p.h, tile_key(position).c_str(), MODE_FLIP);
    p.selected = position;
    ads_set_tile(p.h, "names", std::to_string(position).c_str());
    enable_toggles(p, s->type);
    if (cb->reason == CBR_DOUBLE_CLICK) accept(cb, true);
}

void on_symbol(ads_callback_packet* cb) {
    char key[32] = {};
    if (ads_get_attr_string(cb->tile, "key", key, sizeof key) != RTNORM) return;
    choose(*g_picker, std::atoi(key + 6) - 1, cb);
}

void on_names(ads_callback_packet* cb) {
    Picker& p = *g_picker;
    int row = std::atoi(cb->value ? cb->value : "");
    if (!symbol_at(p, row)) {
        ads_set_tile(p.h, "fulldescription", "");
        return;
    }
    choose(p, row, cb);
}

void on_group(ads_callback_packet* cb) {
    Picker& p = *g_picker;
    int row = std::atoi(cb->value ? cb->value : "");
    if (row < 0 || static_cast<size_t>(row) >= p.lib->groups.size()) {
        error_code() = ERR_GROUP_LATER;
        report_error();
        return;
    }
    p.group = p.lib->groups[static_cast<size_t>(row)].name;
    p.page = 0;
    fill_page(p, LATER_FILL);
}

void on_prev(ads_callback_packet*) {
    Picker& p = *g_picker;
    if (p.page < 1) return;
    --p.page;
    fill_page(p, LATER_FILL);
}

void on_next(ads_callback_packet*) {
    Picker& p = *g_picker;
    if (!p.span.more) return;
    ++p.page;
    fill_page(p, LATER_FILL);
}

void on_toggle(ads_callback_packet* cb) {
    Picker& p = *g_picker;
    char key[32] = {};
    if (ads_get_attr_string(cb->tile, "key", key, sizeof key) != RTNORM) return;
    set_toggle(p.toggles, key, std::atoi(cb->value ? cb->value : "0"));
    show_toggles(p);
}

void on_accept(ads_callback_packet* cb) { accept(cb, false); }
void on_help(ads_callback_packet*) { show_help(); }

void bind_actions(const Picker& p) {
    for (int i = 0; i < p.layout->tiles; ++i) ads_action_tile(p.h, tile_key(i).c_str(), on_symbol);
    for (const char* key : kToggleKeys) ads_action_tile(p.h, key, on_toggle);
    ads_action_tile(p.h, "names", on_names);
    ads_action_tile(p.h, "group", on_group);
    ads_action_tile(p.h, "prev", on_prev);
    ads_action_tile(p.h, "next", on_next);
    ads_action_tile(p.h, "accept", on_accept);
    ads_action_tile(p.h, "help", on_help);
}

// The group the picker opens on, and the popup list of all groups.
void choose_opening_group(Picker& p, const std::string& asked) {
    p.group = asked;
    if (p.group.empty()) p.group = p.lib->last_group;
    if (p.group.empty() && !p.lib->groups.empty()) p.group = p.lib->groups.front().name;
    ads_start_list(p.h, "group", LIST_NEW, 0);
    int row = -1;
    for (size_t i = 0; i < p.lib->groups.size(); ++i) {
        ads_add_list(p.lib->groups[i].name.c_str());
        if (same_name(p.lib->groups[i].name, p.group)) row = static_cast<int>(i);
    }
    ads_end_list();
    if (row >= 0) ads_set_tile(p.h, "group", std::to_string(row).c_str());
}

}  // namespace

int open_picker(LibraryRecord& lib, const std::string& group, int page, PickResult& out) {
    Picker p;
    p.lib = &lib;
    p.layout = &picker_layout(lib.dialog_type);
    OpenDialog d;
    if (!open_dialog(support_path(p.layout->picker_dcl), "sv_symvault", d, sv().picker_x, sv().picker_y)) return 0;
    p.h = d.hdlg;
    ads_set_tile(p.h, "libname", lib.name.c_str());
    ads_set_tile(p.h, "libdescription", lib.description.c_str());
    ads_set_tile(p.h, "banner", lib.banner.c_str());
    choose_opening_group(p, group);
    p.page = page;
    p.toggles.rotate = lib.rotate_current;
    p.toggles.scale = lib.scale_current;
    p.toggles.xref = lib.xref_current;
    p.toggles.recall = lib.recall_current;
    show_toggles(p);
    if (!fill_page(p, OPENING_FILL)) {
        close_dialog(d);
        return 0;
    }
    HelpContext help(8);
    ads_set_tile(p.h, "fulldescription", msg::kPickerBanner);
    Picker* outer = g_picker;
    g_picker = &p;
    bind_actions(p);
    int status = run_dialog(d);
    g_picker = outer;
    close_dialog(d);
    out.group = p.group;
    out.page = p.page;
    out.toggles = p.toggles;
    out.symbol = status == DLGOK ? symbol_at(p, p.selected) : nullptr;
    if (status != DLGOK) return 0;
    lib.rotate_current = p.toggles.rotate;
    lib.xref_current = p.toggles.xref;
    lib.scale_current = p.toggles.scale;
    lib.recall_current = p.toggles.recall;
    return out.symbol ? 1 : 0;
}

}  // namespace symvault
