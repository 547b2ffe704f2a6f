// The symbol definition dialog and the drawing work it leaves for: a block
// written from the drawing, a slide, a script or a parametric file opened
// in the library's editor. The work goes to two scratch files that become
// the symbol's own only when the user accepts.
#include <cstdio>
#include <cstdlib>
#include <set>

#include "editor/edit_rules.h"
#include "editor/editor.h"
#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/file_ops.h"
#include "library/paths.h"

namespace symvault {

namespace {

// Statuses that close the dialog for work in the drawing.
enum Work { WORK_BLOCK = 10, WORK_GROUP, WORK_DRAWING, WORK_SLIDE, WORK_SCRIPT, WORK_PARA, WORK_TYPE };

const char* kDialogs[] = {"sv_edit_block", "sv_edit_group", "sv_edit_drawing", "sv_edit_script", "sv_edit_para"};
const char* kTypeKeys[] = {"block", "group", "drawing", "script", "parametric"};

struct Definition {
    EditState* st = nullptr;
    SymbolRecord work;    // the working copy
    std::string dir;      // the library's own directory
    ads_hdlg h = nullptr;
    int new_type = 0;     // the type radio chosen
};
Definition* g_def = nullptr;

std::string scratch(const Definition& d, const char* ext) { return d.dir + "$$TEMP$$." + ext; }

void remove_scratch(const Definition& d) {
    rt_remove(scratch(d, kDrawingExt).c_str());
    rt_remove(scratch(d, "SLD").c_str());
}

void show_tiles(Definition& d) {
    const SymbolRecord& w = d.work;
    ads_hdlg h = d.h;
    ads_set_tile(h, "name", w.name.c_str());
    ads_set_tile(h, "description", w.description.c_str());
    ads_set_tile(h, "layer", w.layer.c_str());
    ads_set_tile(h, kTypeKeys[w.type - 1], "1");
    if (w.type == SYM_BLOCK || w.type == SYM_GROUP) {
        ads_set_tile(h, "prepara", w.para_pre ? "1" : "0");
        ads_set_tile(h, "postpara", w.para_post ? "1" : "0");
        ads_set_tile(h, "scale_option", w.scale_option.c_str());
        ads_mode_tile(h, "editpara", w.para_pre || w.para_post ? MODE_ENABLE : MODE_DISABLE);
    } else if (w.type == SYM_DRAWING) {
        const double v[] = {w.ins_x, w.ins_y, w.ins_z, w.ins_scale, w.ins_rotation};
        const char* keys[] = {"x", "y", "z", "scl", "rot"};
        for (int i = 0; i < 5; ++i) ads_set_tile(h, keys[i], number_text(v[i]).c_str());
    } else if (w.type == SYM_PARAMETRIC) {
        ads_set_tile(h, w.app_type == 1 ? "ads" : w.app_type == 2 ? "arx" : "lsp", "1");
        ads_mode_tile(h, "editpara", w.app_type == 3 ? MODE_ENABLE : MODE_DISABLE);
    }
    short iw = 0, ih = 0;
    if (ads_dimensions_tile(h, "slide", &iw, &ih) == RTNORM && ads_start_image(h, "slide") == RTNORM) {
        ads_fill_image(0, 0, iw, ih, 0);
        const LibraryRecord& lib = *d.st->lib;
        std::string slide = lib.slides ? scratch(d, "SLD") : d.dir + lib.name + "(" + w.name + ")";
        if (!lib.slides || file_exists(scratch(d, "SLD"))) ads_slide_image(0, 0, iw, ih, slide.c_str());
        ads_end_image();
    }
    ads_mode_tile(h, "name", MODE_SETFOCUS);
}

// The tiles every type shares, into the working copy.
void collect_common(Definition& d) {
    d.work.name = bounded(upper(tile_text(d.h, "name")), kSymNameChars);
    d.work.description = tile_text(d.h, "description", kSymDescChars);
    d.work.layer = bounded(upper(tile_text(d.h, "layer")), kLayerChars);
}

bool focus_alert(const char* line1, const std::string& line2, const char* key) {
    alert_dialog(line1, line2);
    ads_mode_tile(g_def->h, key, MODE_SETFOCUS);
    return false;
}

bool read_drawing_data(Definition& d) {
    const char* keys[] = {"x", "y", "z", "scl", "rot"};
    const char* bad[] = {"invalid X value!", "invalid Y value!", "invalid Z value!", "invalid Scale value!",
                         "invalid Rotation value!"};
    double v[5];
    for (int i = 0; i < 5; ++i) {
        std::string t = tile_text(d.h, keys[i], 49);
        if (!check_number(t)) return focus_alert("Insertion parameters", bad[i], keys[i]);
        // As the file will keep it: a scale too small for its decimals is zero.
        v[i] = kept_number(std::atof(t.c_str()));
    }
    if (v[3] == 0.0) return focus_alert("Insertion parameters", "zero Scale invalid!", "scl");
    d.work.ins_x = v[0], d.work.ins_y = v[1], d.work.ins_z = v[2], d.work.ins_scale = v[3], d.work.ins_rotation = v[4];
    return true;
}

bool validate(Definition& d) {
    collect_common(d);
    std::string name = d.work.name;
    if (check_name(name, settings().max_name_length) != NAME_OK) return focus_alert("Invalid name!", name, "name");
    if (!d.work.layer.empty() && !check_layer_name(d.work.layer))
        return focus_alert("Invalid layer name!", d.work.layer, "layer");
    GroupRecord* g = find_group(*d.st->lib, d.st->group);
    const SymbolRecord* self = d.st->action == ACT_EDIT && g ? &g->symbols[static_cast<size_t>(d.st->selected)] : nullptr;
    if (symbol_name_taken(*d.st->lib, name, self)) return focus_alert("Symbol name already exists!", name, "name");
    if (d.work.description.empty()) d.work.description = name;
    SymbolRecord& w = d.work;
    if (w.type == SYM_BLOCK || w.type == SYM_GROUP) {
        w.scale_option = tile_text(d.h, "scale_option", kOptionChars);
        w.para_pre = tile_text(d.h, "prepara") == "1";
        w.para_post = tile_text(d.h, "postpara") == "1";
    } else if (w.type == SYM_DRAWING && !read_drawing_data(d)) {
        return false;
    } else if (w.type == SYM_PARAMETRIC) {
        w.app_type = tile_text(d.h, "ads") == "1" ? 1 : tile_text(d.h, "arx") == "1" ? 2 : 3;
    }
    return true;
}

// The type's own tiles, into the working copy, before the dialog closes
// for drawing work: they are shown again from it when the dialog comes
// back. A number that is not valid keeps the value it had; accepting the
// dialog checks the tiles again.
void collect_type_data(Definition& d) {
    SymbolRecord& w = d.work;
    if (w.type == SYM_BLOCK || w.type == SYM_GROUP) {
        w.scale_option = tile_text(d.h, "scale_option", kOptionChars);
        w.para_pre = tile_text(d.h, "prepara") == "1";
        w.para_post = tile_text(d.h, "postpara") == "1";
    } else if (w.type == SYM_DRAWING) {
        const char* keys[] = {"x", "y", "z", "scl", "rot"};
        double* v[] = {&w.ins_x, &w.ins_y, &w.ins_z, &w.ins_scale, &w.ins_rotation};
        for (int i = 0; i < 5; ++i) {
            std::string t = tile_text(d.h, keys[i], 49);
            if (!check_number(t)) continue;
            double x = kept_number(std::atof(t.c_str()));
            if (i != 3 || x != 0.0) *v[i] = x;
        }
    } else if (w.type == SYM_PARAMETRIC) {
        w.app_type = tile_text(d.h, "ads") == "1" ? 1 : tile_text(d.h, "arx") == "1" ? 2 : 3;
    }
}

void leave(int work) {
    collect_common(*g_def);
    if (work != WORK_TYPE) collect_type_data(*g_def);
    ads_done_dialog(g_def->h, work);
}

void on_named_work(ads_callback_packet*) {
    Definition& d = *g_def;
    std::string name = upper(tile_text(d.h, "name"));
    bool script = d.work.type == SYM_SCRIPT;
    if (check_name(name, settings().max_name_length) != NAME_OK) {
        focus_alert("A valid name must be specified", script ? "for script symbols" : "for parametric symbols", "name");
        return;
    }
    leave(script ? WORK_SCRIPT : WORK_PARA);
}

// --- layer list and scale option choice

std::string* g_pick = nullptr;
std::vector<std::string>* g_rows = nullptr;

void pick_row(ads_callback_packet* p) {
    int row = std::atoi(p->value ? p->value : "-1");
    if (row >= 0 && static_cast<size_t>(row) < g_rows->size()) *g_pick = (*g_rows)[static_cast<size_t>(row)];
    ads_done_dialog(p->dialog, DLGOK);
}

bool list_dialog(const char* dialog, const char* list, std::vector<std::string> rows, std::string& out,
                 bool with_scale_buttons) {
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlgl.dcl"), dialog, d)) return false;
    std::string picked = "\x01";
    g_pick = &picked;
    g_rows = &rows;
    ads_start_list(d.hdlg, list, LIST_NEW, 0);
    for (const std::string& r : rows) ads_add_list(r.c_str());
    ads_end_list();
    ads_action_tile(d.hdlg, list, pick_row);
    if (with_scale_buttons) {
        ads_action_tile(d.hdlg, "none", [](ads_callback_packet* p) {
            *g_pick = "";
            ads_done_dialog(p->dialog, DLGOK);
        });
        ads_action_tile(d.hdlg, "select", [](ads_callback_packet*) { alert_dialog("No scale option selected", ""); });
        ads_action_tile(d.hdlg, "edit", [](ads_callback_packet* p) {
            scale_options_dialog(*g_def->st->lib);
            g_rows->clear();
            for (const ScaleOptionRecord& o : g_def->st->lib->scale_options) g_rows->push_back(o.name);
            ads_start_list(p->dialog, "scale_options", LIST_NEW, 0);
            for (const std::string& r : *g_rows) ads_add_list(r.c_str());
            ads_end_list();
        });
    }
    run_dialog(d);
    close_dialog(d);
    g_pick = nullptr;
    if (picked == "\x01") return false;
    out = picked;
    return true;
}

void on_slayer(ads_callback_packet*) {
    std::set<std::string> names;
    for (struct resbuf* r = ads_tblnext("LAYER", 1); r; r = ads_tblnext("LAYER", 0)) {
        for (struct resbuf* g = r; g; g = g->rbnext)
            if (g->restype == 2 && g->resval.rstring) names.insert(g->resval.rstring);
        ads_relrb(r);
    }
    for (const GroupRecord& g : g_def->st->lib->groups)
        for (const SymbolRecord& s : g.symbols)
            if (!s.layer.empty()) names.insert(s.layer);
    std::string chosen;
    if (list_dialog("sv_layers", "l_layers", {names.begin(), names.end()}, chosen, false))
        ads_set_tile(g_def->h, "layer", bounded(chosen, kLayerChars).c_str());
}

void on_scale_choice(ads_callback_packet*) {
    std::vector<std::string> rows;
    for (const ScaleOptionRecord& o : g_def->st->lib->scale_options) rows.push_back(o.name);
    std::string chosen;
    if (list_dialog("sv_scale_options", "scale_options", rows, chosen, true))
        ads_set_tile(g_def->h, "scale_option", chosen.c_str());
}

void bind(Definition& d) {
    ads_hdlg h = d.h;
    ads_action_tile(h, "name", [](ads_callback_packet* p) {
        ads_set_tile(p->dialog, "name", bounded(upper(p->value ? p->value : ""), kSymNameChars).c_str());
    });
    ads_action_tile(h, "layer", [](ads_callback_packet* p) {
        ads_set_tile(p->dialog, "layer", bounded(upper(p->value ? p->value : ""), kLayerChars).c_str());
    });
    auto para_mode = [](ads_callback_packet* p) {
        bool on = tile_text(p->dialog, "prepara") == "1" || tile_text(p->dialog, "postpara") == "1";
        ads_mode_tile(p->dialog, "editpara", on ? MODE_ENABLE : MODE_DISABLE);
    };
    ads_action_tile(h, "prepara", para_mode);
    ads_action_tile(h, "postpara", para_mode);
    ads_action_tile(h, "ads", [](ads_callback_packet* p) { ads_mode_tile(p->dialog, "editpara", MODE_DISABLE); });
    ads_action_tile(h, "arx", [](ads_callback_packet* p) { ads_mode_tile(p->dialog, "editpara", MODE_DISABLE); });
    ads_action_tile(h, "lsp", [](ads_callback_packet* p) { ads_mode_tile(p->dialog, "editpara", MODE_ENABLE); });
    ads_action_tile(h, "slayer", on_slayer);
    ads_action_tile(h, "select_scale_option", on_scale_choice);
    ads_action_tile(h, "selectblock", [](ads_callback_packet*) { leave(WORK_BLOCK); });
    ads_action_tile(h, "selectgroup", [](ads_callback_packet*) { leave(WORK_GROUP); });
    ads_action_tile(h, "selectdrawing", [](ads_callback_packet*) { leave(WORK_DRAWING); });
    ads_action_tile(h, "createslide", [](ads_callback_packet*) { leave(WORK_SLIDE); });
    ads_action_tile(h, "slide", [](ads_callback_packet* p) {
        if (p->reason == CBR_DOUBLE_CLICK) leave(WORK_SLIDE);
    });
    ads_action_tile(h, "editscript", on_named_work);
    // For block and group symbols "editpara" opens the routine file; it
    // needs the name as parametric symbols do.
    ads_action_tile(h, "editpara", on_named_work);
    for (int i = 0; i < 5; ++i)
        ads_action_tile(h, kTypeKeys[i], [](ads_callback_packet* p) {
            char key[32] = {};
            ads_get_attr_string(p->tile, "key", key, sizeof key);
            for (int t = 0; t < 5; ++t)
                if (std::string(key) == kTypeKeys[t] && t + 1 != g_def->work.type) {
                    g_def->new_type = t + 1;
                    leave(WORK_TYPE);
                }
        });
    ads_action_tile(h, "accept", [](ads_callback_packet* p) {
        if (validate(*g_def)) ads_done_dialog(p->dialog, DLGOK);
    });
    ads_action_tile(h, "help", [](ads_callback_packet*) { show_help(); });
}

int run_once(Definition& d) {
    HelpContext help(2);
    OpenDialog od;
    const char* file = picker_layout(d.st->lib->dialog_type).symbol_dcl;
    if (!open_dialog(support_path(file), kDialogs[d.work.type - 1], od)) return -1;
    d.h = od.hdlg;
    show_tiles(d);
    bind(d);
    int status = run_dialog(od);
    close_dialog(od);
    return status;
}

}  // namespace

// Drawing work, in symbol_work.cpp.
void do_symbol_work(int work, const LibraryRecord& lib, SymbolRecord& w, const std::string& dir);

int define_symbol(EditState& st, int action) {
    Definition d;
    d.st = &st;
    d.dir = library_dir(st.lib->name, st.lib->location);
    remove_scratch(d);
    GroupRecord* g = find_group(*st.lib, st.group);
    if (action == ACT_EDIT && g && st.selected >= 0 && static_cast<size_t>(st.selected) < g->symbols.size()) {
        d.work = g->symbols[static_cast<size_t>(st.selected)];
        copy_binary(d.dir + d.work.name + "." + kDrawingExt, scratch(d, kDrawingExt));
        copy_binary(d.dir + d.work.name + ".SLD", scratch(d, "SLD"));
    } else {
        if (action == ACT_EDIT) action = ACT_ADD;
        int base = st.lib->base_library_type;
        d.work = symbol_defaults(base >= SYM_BLOCK && base <= SYM_PARAMETRIC ? base : SYM_BLOCK);
    }
    st.action = action;
    Definition* outer = g_def;
    g_def = &d;
    int status;
    while ((status = run_once(d)) >= WORK_BLOCK) {
        if (status == WORK_TYPE) change_symbol_type(d.work, d.new_type);
        else do_symbol_work(status, *st.lib, d.work, d.dir);
    }
    g_def = outer;
    if (status < 0) return remove_scratch(d), 0;
    if (status == DLGOK) {
        for (const char* ext : {kDrawingExt, "SLD"}) {
            if (!file_exists(scratch(d, ext))) continue;
            std::string own = d.dir + d.work.name + "." + ext;
            keep_original(st, own);
            copy_binary(scratch(d, ext), own);
        }
        if (!g) {
            if (st.lib->groups.empty()) st.lib->groups.push_back(GroupRecord{"DEFAULT", {}});
            g = &st.lib->groups.front();
            st.group = g->name;
        }
        if (action == ACT_ADD) {
            g->symbols.push_back(d.work);
            int tiles = picker_layout(st.lib->dialog_type).tiles;
            st.page = static_cast<int>((g->symbols.size() - 1) / static_cast<size_t>(tiles));
        } else if (action == ACT_INSERT) {
            g->symbols.insert(g->symbols.begin() + std::max(0, st.selected), d.work);
        } else {
            g->symbols[static_cast<size_t>(st.selected)] = d.work;
        }
    }
    remove_scratch(d);
    return 1;
}

}  // namespace symvault
