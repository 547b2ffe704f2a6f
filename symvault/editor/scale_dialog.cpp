// The scale options dialog: a library's scale options and their values.
#include <cstdlib>

#include "editor/edit_rules.h"
#include "editor/editor.h"
#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"

namespace symvault {

namespace {

// The dialog works on a copy of the library's options, which become the
// library's only when the dialog is accepted.
struct Scales {
    std::vector<ScaleOptionRecord> opts;
    ads_hdlg h = nullptr;
    int option = -1;  // selected option, -1 for none
    int value = -1;   // selected value of it
};
Scales* g_sc = nullptr;

const char* kOptionTiles[] = {"option", "xtitle", "ytitle", "ztitle"};
const char* kValueTiles[] = {"value", "xvalue", "yvalue", "zvalue"};

ScaleOptionRecord* option_of(Scales& s) {
    if (s.option < 0 || static_cast<size_t>(s.option) >= s.opts.size()) return nullptr;
    return &s.opts[static_cast<size_t>(s.option)];
}

void show_value(Scales& s, int i) {
    ScaleOptionRecord* o = option_of(s);
    if (!o || i < 0 || static_cast<size_t>(i) >= o->values.size()) {
        for (const char* k : kValueTiles) ads_set_tile(s.h, k, "");
        s.value = -1;
        return;
    }
    const ScaleValueRecord& v = o->values[static_cast<size_t>(i)];
    s.value = i;
    ads_set_tile(s.h, "values", std::to_string(i).c_str());
    ads_set_tile(s.h, "value", v.name.c_str());
    ads_set_tile(s.h, "xvalue", number_text(v.x).c_str());
    ads_set_tile(s.h, "yvalue", number_text(v.y).c_str());
    ads_set_tile(s.h, "zvalue", number_text(v.z).c_str());
}

void fill_values(Scales& s, int select) {
    ScaleOptionRecord* o = option_of(s);
    ads_start_list(s.h, "values", LIST_NEW, 0);
    if (o)
        for (const ScaleValueRecord& v : o->values) ads_add_list(v.name.c_str());
    ads_end_list();
    show_value(s, select);
}

void show_option(Scales& s, int i, bool refill) {
    if (refill) {
        ads_start_list(s.h, "options", LIST_NEW, 0);
        for (const ScaleOptionRecord& o : s.opts) ads_add_list(o.name.c_str());
        ads_end_list();
    }
    s.option = i >= 0 && static_cast<size_t>(i) < s.opts.size() ? i : -1;
    ScaleOptionRecord* o = option_of(s);
    if (o) ads_set_tile(s.h, "options", std::to_string(i).c_str());
    const std::string texts[] = {o ? o->name : "", o ? o->x_title : "", o ? o->y_title : "", o ? o->z_title : ""};
    for (int k = 0; k < 4; ++k) ads_set_tile(s.h, kOptionTiles[k], texts[k].c_str());
    ads_set_tile(s.h, "userscale", o && o->user ? "1" : "0");
    fill_values(s, 0);
}

void take_titles(Scales& s, ScaleOptionRecord& o) {
    o.x_title = tile_text(s.h, "xtitle", kOptionChars);
    o.y_title = tile_text(s.h, "ytitle", kOptionChars);
    o.z_title = tile_text(s.h, "ztitle", kOptionChars);
    o.user = tile_text(s.h, "userscale") == "1";
}

void on_addoption(ads_callback_packet*) {
    Scales& s = *g_sc;
    std::string name = tile_text(s.h, "option", kOptionChars);
    if (name.empty()) return alert_dialog("Option name is blank", "");
    if (clash(s.opts, name) >= 0) return alert_dialog("Duplicate scale category name", name);
    ScaleOptionRecord o;
    o.name = name;
    take_titles(s, o);
    size_t at = ordered_place(s.opts, name);
    s.opts.insert(s.opts.begin() + static_cast<long>(at), o);
    show_option(s, static_cast<int>(at), true);
}

void on_deloption(ads_callback_packet*) {
    Scales& s = *g_sc;
    if (!option_of(s)) return alert_dialog("Select option to delete", "then [Del]");
    s.opts.erase(s.opts.begin() + s.option);
    show_option(s, s.option - 1, true);
    // After the first option went, value actions apply to the new first one.
    if (s.option < 0 && !s.opts.empty()) s.option = 0;
}

void on_modoption(ads_callback_packet*) {
    Scales& s = *g_sc;
    std::string name = tile_text(s.h, "option", kOptionChars);
    if (name.empty()) return alert_dialog("Option name is blank", "");
    ScaleOptionRecord* o = option_of(s);
    if (!o) return alert_dialog("Select option to modify", "then [Mod]");
    if (clash(s.opts, name, s.option) >= 0) return alert_dialog("Option name already exists", name);
    o->name = name;
    take_titles(s, *o);
    show_option(s, s.option, true);
}

// The three factors of the value tiles; false after the zero alert.
bool read_factors(Scales& s, ScaleValueRecord& v) {
    const char* keys[] = {"xvalue", "yvalue", "zvalue"};
    const char* zero[] = {"Zero X scale", "Zero Y scale", "Zero Z scale"};
    double* f[] = {&v.x, &v.y, &v.z};
    for (int i = 0; i < 3; ++i) {
        // The factor as the file will keep it, so that a value too small for
        // its decimals is refused here rather than read back as zero.
        *f[i] = kept_number(std::atof(tile_text(s.h, keys[i], 20).c_str()));
        if (*f[i] == 0.0) return alert_dialog(zero[i], "Invalid!"), false;
    }
    return true;
}

void on_addvalue(ads_callback_packet*) {
    Scales& s = *g_sc;
    ScaleOptionRecord* o = option_of(s);
    if (!o) return alert_dialog("No scale option selected", "");
    ScaleValueRecord v;
    v.name = tile_text(s.h, "value", kOptionChars);
    if (v.name.empty()) return alert_dialog("Scale value is blank", "");
    if (clash(o->values, v.name) >= 0) return alert_dialog("Duplicate scale value", v.name);
    if (!read_factors(s, v)) return;
    size_t at = ordered_place(o->values, v.name);
    o->values.insert(o->values.begin() + static_cast<long>(at), v);
    fill_values(s, static_cast<int>(at));
}

void on_delvalue(ads_callback_packet*) {
    Scales& s = *g_sc;
    ScaleOptionRecord* o = option_of(s);
    if (!o) return alert_dialog("No scale option selected", "");
    if (s.value < 0 || static_cast<size_t>(s.value) >= o->values.size())
        return alert_dialog("Select value to delete", "then [Del]");
    o->values.erase(o->values.begin() + s.value);
    fill_values(s, std::max(0, s.value - 1));
}

void on_modvalue(ads_callback_packet*) {
    Scales& s = *g_sc;
    ScaleOptionRecord* o = option_of(s);
    if (!o) return alert_dialog("No scale option selected", "");
    ScaleValueRecord v;
    v.name = tile_text(s.h, "value", kOptionChars);
    if (v.name.empty()) return alert_dialog("Scale value is blank", "");
    if (!read_factors(s, v)) return;
    if (s.value < 0 || static_cast<size_t>(s.value) >= o->values.size())
        return alert_dialog("Select value to modify", "then [Mod]");
    if (clash(o->values, v.name, s.value) >= 0) return alert_dialog("Scale value already exists", v.name);
    o->values[static_cast<size_t>(s.value)] = v;
    take_titles(s, *o);
    fill_values(s, s.value);
}

}  // namespace

void scale_options_dialog(LibraryRecord& lib) {
    HelpContext help(13);
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlg9.dcl"), "sv_lib_scale_defn", d)) return;
    Scales s{lib.scale_options, d.hdlg, -1, -1};
    Scales* outer = g_sc;
    g_sc = &s;
    show_option(s, 0, true);
    ads_action_tile(s.h, "options", [](ads_callback_packet* p) {
        show_option(*g_sc, std::atoi(p->value ? p->value : "-1"), false);
    });
    ads_action_tile(s.h, "values", [](ads_callback_packet* p) {
        if (!option_of(*g_sc)) return alert_dialog("No scale option selected", "");
        show_value(*g_sc, std::atoi(p->value ? p->value : "-1"));
    });
    ads_action_tile(s.h, "addoption", on_addoption);
    ads_action_tile(s.h, "deloption", on_deloption);
    ads_action_tile(s.h, "modoption", on_modoption);
    ads_action_tile(s.h, "addvalue", on_addvalue);
    ads_action_tile(s.h, "delvalue", on_delvalue);
    ads_action_tile(s.h, "modvalue", on_modvalue);
    ads_action_tile(s.h, "help", [](ads_callback_packet*) { show_help(); });
    int status = run_dialog(d);
    close_dialog(d);
    g_sc = outer;
    if (status == DLGOK) lib.scale_options = std::move(s.opts);
}

}  // namespace symvault
