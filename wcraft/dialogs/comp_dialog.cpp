// One implementation serves both numbering definition dialogs; a table
// names what differs (file, dialog, list and name tiles, messages and the
// list of the configuration they edit). Each works on a copy of the 100
// slots that OK copies back.
#include "dialogs/comp_dialog.h"

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

static_assert(kMaxCompDefs == kMaxTermDefs, "both lists share one dialog");
constexpr int kSlots = kMaxCompDefs;
constexpr size_t kNumberChars = 5;
constexpr size_t kAffixChars = 4;

struct DefnKind {
    const char* dcl_file;
    const char* dialog;
    const char* list_key;
    const char* edit_key;
    const char* bad_name;
    const char* list_full;
    const char* select_to_delete;
    const char* select_to_modify;
    CompDefn (ProjectConfig::*defs)[kSlots];
};

const DefnKind kComponents{"wcraft4.dcl",
                           "comp_defn",
                           "c_names",
                           "c_edit",
                           dlgmsg::kBadComponent,
                           dlgmsg::kComponentMax,
                           dlgmsg::kSelectComponentToDelete,
                           dlgmsg::kSelectComponentToModify,
                           &ProjectConfig::comp_defs};
const DefnKind kTerminals{"wcraft5.dcl",
                          "term_defn",
                          "t_names",
                          "t_edit",
                          dlgmsg::kBadTerminal,
                          dlgmsg::kTerminalMax,
                          dlgmsg::kSelectTerminalToDelete,
                          dlgmsg::kSelectTerminalToModify,
                          &ProjectConfig::term_defs};

struct DefnWork {
    const DefnKind* kind;
    CompDefn defs[kSlots];
    int selected = -1;        // the current definition, -1 for none
    int pp_mode = PP_PREFIX;  // what the radio buttons say
};

DefnWork* g_defn = nullptr;  // the dialog's working copy while it runs

enum NameCase { NAME_UPPER, NAME_AS_TYPED };

std::vector<std::string> defn_names(const DefnWork& w) {
    std::vector<std::string> names;
    for (int i = 0, n = comp_count(w.defs, kSlots); i < n; ++i) names.push_back(w.defs[i].name.c_str());
    return names;
}

void show_pp_mode(ads_hdlg h, int mode) {
    g_defn->pp_mode = mode == PP_PREFIX || mode == PP_POSTFIX ? mode : PP_NONE;
    const char* radio = g_defn->pp_mode == PP_PREFIX ? "pref" : g_defn->pp_mode == PP_POSTFIX ? "post" : "none";
    ads_set_tile(h, radio, "1");
    ads_mode_tile(h, "pp_val", g_defn->pp_mode == PP_NONE ? MODE_DISABLE : MODE_ENABLE);
}

void show_defn(ads_hdlg h, const CompDefn& d) {
    ads_set_tile(h, g_defn->kind->edit_key, d.name.c_str());
    ads_set_tile(h, "cont_wire", d.cont_wire == 1 ? "1" : "0");
    show_pp_mode(h, d.pp_mode);
    ads_set_tile(h, "pp_val", d.pp_val.c_str());
    set_tile_int(h, "init", d.init);
    set_tile_int(h, "incr", d.incr);
}

// Reads and tests the edit area into `out`; the first failure is shown and
// ends the reading. A name longer than the field is refused, not cut.
bool read_defn(ads_hdlg h, NameCase name_case, CompDefn& out) {
    const DefnKind& k = *g_defn->kind;
    std::string name = tile_text(h, k.edit_key, TILE_STR_LIMIT);
    if (name_case == NAME_UPPER) name = upper(name);
    if (name.size() > decltype(out.name)::capacity || !is_valid_text(name.c_str())) {
        refuse(h, k.edit_key, k.bad_name);
        return false;
    }
    std::string init = tile_text(h, "init", kNumberChars);
    if (!is_valid_int(init.c_str())) {
        refuse(h, "init", dlgmsg::kBadInitial);
        return false;
    }
    std::string incr = tile_text(h, "incr", kNumberChars);
    if (!is_valid_int(incr.c_str())) {
        refuse(h, "incr", dlgmsg::kBadIncrement);
        return false;
    }
    out.name = name;
    out.pp_mode = g_defn->pp_mode;
    out.cont_wire = tile_on(h, "cont_wire") ? 1 : 0;
    out.pp_val = tile_text(h, "pp_val", kAffixChars);
    out.init = atoi(init.c_str());
    out.incr = atoi(incr.c_str());
    return true;
}

bool has_selection(ads_hdlg h, const char* missing) {
    if (g_defn->selected >= 0 && g_defn->selected < comp_count(g_defn->defs, kSlots)) return true;
    set_error(h, missing);
    return false;
}

}  // namespace

namespace {

void on_names(ads_callback_packet* p) {
    clear_error(p->dialog);
    int i = picked_row(p, comp_count(g_defn->defs, kSlots));
    g_defn->selected = i;
    if (i >= 0) show_defn(p->dialog, g_defn->defs[i]);
}

void set_pp_mode(ads_callback_packet* p, int mode) {
    clear_error(p->dialog);
    show_pp_mode(p->dialog, mode);
}

// Appends a definition; names may repeat.
void on_add(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    CompDefn d;
    if (!read_defn(h, NAME_UPPER, d)) return;
    int n = comp_count(g_defn->defs, kSlots);
    if (n >= kSlots - 1) {
        set_error(h, g_defn->kind->list_full);
        return;
    }
    g_defn->defs[n] = d;
    g_defn->defs[n + 1].name = kListEnd;
    g_defn->selected = n;
    show_list(h, g_defn->kind->list_key, defn_names(*g_defn), n);
    ads_set_tile(h, g_defn->kind->edit_key, "");
}

void on_del(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    if (!has_selection(h, g_defn->kind->select_to_delete)) return;
    CompDefn* defs = g_defn->defs;
    int n = comp_count(defs, kSlots), sel = g_defn->selected;
    int last = n < kSlots ? n : kSlots - 1;
    for (int i = sel; i < last; ++i) defs[i] = defs[i + 1];
    if (n == kSlots) defs[kSlots - 1].name = kListEnd;
    if (sel >= n - 1) g_defn->selected = n - 2;
    show_list(h, g_defn->kind->list_key, defn_names(*g_defn), g_defn->selected);
    // The edit area follows the line now selected, so that a modify
    // cannot write the deleted definition's values over its neighbour.
    if (g_defn->selected >= 0) show_defn(h, defs[g_defn->selected]);
}

void on_mod(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    if (!has_selection(h, g_defn->kind->select_to_modify)) return;
    CompDefn d;
    if (!read_defn(h, NAME_AS_TYPED, d)) return;
    g_defn->defs[g_defn->selected] = d;
    show_list(h, g_defn->kind->list_key, defn_names(*g_defn), g_defn->selected);
}

void on_accept(ads_callback_packet* p) {
    clear_error(p->dialog);
    config().config_changed = 1;
    ads_done_dialog(p->dialog, DLGOK);
}

void bind_and_fill(ads_hdlg h, const DefnKind& k) {
    ads_action_tile(h, k.list_key, on_names);
    ads_action_tile(h, "pref", [](ads_callback_packet* p) { set_pp_mode(p, PP_PREFIX); });
    ads_action_tile(h, "post", [](ads_callback_packet* p) { set_pp_mode(p, PP_POSTFIX); });
    ads_action_tile(h, "none", [](ads_callback_packet* p) { set_pp_mode(p, PP_NONE); });
    ads_action_tile(h, "add", on_add);
    ads_action_tile(h, "del", on_del);
    ads_action_tile(h, "mod", on_mod);
    ads_action_tile(h, "info", wcr_info);
    ads_action_tile(h, "accept", on_accept);
    show_list(h, k.list_key, defn_names(*g_defn), -1);
    CompDefn blank;
    blank.name = "";
    blank.pp_val = "";
    blank.init = blank.incr = 1;
    show_defn(h, blank);
}

int run_defn_dialog(const DefnKind& k) {
    auto work = std::make_unique<DefnWork>();
    work->kind = &k;
    CompDefn* live = config().*k.defs;
    for (int i = 0; i < kSlots; ++i) work->defs[i] = live[i];
    OpenDialog d;
    if (!open_dialog(k.dcl_file, k.dialog, d)) return 1;
    DefnWork* outer = g_defn;
    g_defn = work.get();
    bind_and_fill(d.hdlg, k);
    int status = run_dialog(d);
    g_defn = outer;
    close_dialog(d);
    if (status != DLGOK) {
        ads_printf("%s", msg::kDialogCancel);
        return 1;
    }
    for (int i = 0; i < kSlots; ++i) live[i] = work->defs[i];
    ads_printf("%s", msg::kDialogOk);
    return 1;
}

}  // namespace

int comp_dialog() { return run_defn_dialog(kComponents); }
int term_dialog() { return run_defn_dialog(kTerminals); }

}  // namespace wcraft
