// The symbol insertion request and its scale values dialog.
#include "picker/uselib.h"

#include <cstdlib>

#include "host/dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/paths.h"
#include "library/registry.h"
#include "picker/picker.h"

namespace symvault {

namespace {

enum ScaleStatus { SCALE_CANCEL = 0, SCALE_DONE = 1, SCALE_PICK = 3 };
const char* kAxisKeys[3] = {"x", "y", "z"};
const char* kPickKeys[3] = {"pickx", "picky", "pickz"};

struct ScaleDialog {
    const ScaleOptionRecord* option = nullptr;
    ads_hdlg h = nullptr;
    int row = 0;         // selected value, -1 to skip scaling
    double xyz[3] = {1.0, 1.0, 1.0};
    int pick_axis = 0;   // the axis a pick button asked for
};

ScaleDialog* g_scale = nullptr;

void show_values(const ScaleDialog& s) {
    for (int i = 0; i < 3; ++i) ads_set_tile(s.h, kAxisKeys[i], number_text(s.xyz[i]).c_str());
}

void on_value_row(ads_callback_packet* cb) {
    ScaleDialog& s = *g_scale;
    int row = std::atoi(cb->value ? cb->value : "");
    if (row < 0 || static_cast<size_t>(row) >= s.option->values.size()) return;
    const ScaleValueRecord& v = s.option->values[static_cast<size_t>(row)];
    s.row = row;
    s.xyz[0] = v.x, s.xyz[1] = v.y, s.xyz[2] = v.z;
    show_values(s);
    if (cb->reason == CBR_DOUBLE_CLICK) ads_done_dialog(cb->dialog, SCALE_DONE);
}

void on_scale_accept(ads_callback_packet* cb) {
    ScaleDialog& s = *g_scale;
    double typed[3];
    for (int i = 0; i < 3; ++i) {
        typed[i] = std::strtod(tile_text(s.h, kAxisKeys[i], 20).c_str(), nullptr);
        if (typed[i] == 0.0) {
            alert_dialog(msg::kZeroScale[i], "");
            ads_mode_tile(s.h, kAxisKeys[i], MODE_SETFOCUS);
            return;
        }
    }
    for (int i = 0; i < 3; ++i) s.xyz[i] = typed[i];
    ads_done_dialog(cb->dialog, SCALE_DONE);
}

void on_skip(ads_callback_packet* cb) {
    g_scale->row = -1;
    ads_done_dialog(cb->dialog, SCALE_DONE);
}

void on_pick(ads_callback_packet* cb) {
    char key[16] = {};
    ads_get_attr_string(cb->tile, "key", key, sizeof key);
    g_scale->pick_axis = key[4] == 'y' ? 1 : key[4] == 'z' ? 2 : 0;
    ads_done_dialog(cb->dialog, SCALE_PICK);
}

// One showing of "sv_scale_values"; its status, SCALE_CANCEL when it
// could not be opened.
int run_scale_dialog(ScaleDialog& s) {
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlgl.dcl"), "sv_scale_values", d)) return SCALE_CANCEL;
    s.h = d.hdlg;
    ads_start_list(s.h, "scale_values", LIST_NEW, 0);
    for (const ScaleValueRecord& v : s.option->values) ads_add_list(v.name.c_str());
    ads_end_list();
    if (s.row >= 0) ads_set_tile(s.h, "scale_values", std::to_string(s.row).c_str());
    ads_set_tile(s.h, "option", s.option->name.c_str());
    ads_set_tile(s.h, "xtitle", s.option->x_title.c_str());
    ads_set_tile(s.h, "ytitle", s.option->y_title.c_str());
    ads_set_tile(s.h, "ztitle", s.option->z_title.c_str());
    show_values(s);
    if (!s.option->user) {
        for (const char* key : {"skip", "pickx", "picky", "pickz", "x", "y", "z"}) ads_mode_tile(s.h, key, MODE_DISABLE);
    }
    ScaleDialog* outer = g_scale;
    g_scale = &s;
    ads_action_tile(s.h, "scale_values", on_value_row);
    ads_action_tile(s.h, "accept", on_scale_accept);
    ads_action_tile(s.h, "skip", on_skip);
    for (const char* key : kPickKeys) ads_action_tile(s.h, key, on_pick);
    int status = run_dialog(d);
    g_scale = outer;
    close_dialog(d);
    return status;
}

// A distance typed or shown on the command line for one axis.
void pick_distance(ScaleDialog& s) {
    const std::string* titles[3] = {&s.option->x_title, &s.option->y_title, &s.option->z_title};
    char prompt[128];
    snprintf(prompt, sizeof prompt, msg::kEnterDistance, titles[s.pick_axis]->c_str());
    ads_real d = 0;
    if (ads_getdist(nullptr, prompt, &d) == RTNORM) s.xyz[s.pick_axis] = d;
    ads_printf("\n");
}

bool string_arg(const struct resbuf* rb) { return rb && rb->restype == RTSTR && rb->resval.rstring; }

}  // namespace

ScaleChoice choose_scale(const LibraryRecord& lib, const std::string& option_name) {
    ScaleChoice c;
    const ScaleOptionRecord* option = find_scale_option(lib, option_name);
    if (scale_without_dialog(option, c)) return c;
    ScaleDialog s;
    s.option = option;
    s.xyz[0] = c.x, s.xyz[1] = c.y, s.xyz[2] = c.z;
    int status;
    while ((status = run_scale_dialog(s)) == SCALE_PICK) pick_distance(s);
    if (status != SCALE_DONE) {
        c.outcome = ScaleChoice::CANCELLED;
        return c;
    }
    c.outcome = s.row == -1 ? ScaleChoice::SKIPPED : ScaleChoice::CHOSEN;
    c.x = s.xyz[0], c.y = s.xyz[1], c.z = s.xyz[2];
    return c;
}

Reply sv_uselib(const struct resbuf* args) {
    if (!args) return ads_printf("%s", msg::kUselibBadCall), Reply::nil();
    if (!string_arg(args)) return ads_printf("%s", msg::kUselibBadArgument), Reply::nil();
    std::string name = upper(bounded(args->resval.rstring, kLibNameChars));
    std::string group;
    int page = 0;
    if (const struct resbuf* g = args->rbnext; string_arg(g)) {
        group = bounded(g->resval.rstring, kGroupChars);
        if (g->rbnext && g->rbnext->restype == RTSHORT) page = g->rbnext->resval.rint;
    }
    LibraryRecord* lib = library_for_use(name);
    if (!lib) {
        if (error_code()) report_error();
        return Reply::nil();
    }
    PickResult pick;
    if (!open_picker(*lib, group, page, pick) || error_code() || !pick.symbol) {
        if (error_code()) report_error();
        return Reply::nil();
    }
    lib->last_group = pick.group;
    Choice c{lib, pick.symbol, library_dir(name, lib->location), pick.group, pick.page, pick.toggles, {}};
    const SymbolRecord& s = *pick.symbol;
    if ((s.type == SYM_BLOCK || s.type == SYM_GROUP) && !s.scale_option.empty()) {
        c.scale = choose_scale(*lib, s.scale_option);
        if (c.scale.outcome == ScaleChoice::CANCELLED) return Reply::nil();
    }
    return Reply::list(insertion_pairs(c));
}

}  // namespace symvault
