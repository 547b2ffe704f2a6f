// The library edit dialog with its group name and library options dialogs,
// and the edit loop that leaves it for symbol work and comes back.
#include <cstdlib>

#include "editor/edit_rules.h"
#include "editor/editor.h"
#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/file_ops.h"
#include "library/library_file.h"
#include "library/paths.h"

namespace symvault {

namespace {

struct Edit {
    EditState* st = nullptr;
    const PickerLayout* layout = nullptr;
    ads_hdlg h = nullptr;
    PageSpan span;
};
Edit* g_edit = nullptr;

GroupRecord* current_group(EditState& st) { return find_group(*st.lib, st.group); }

std::string slide_of(const LibraryRecord& lib, const SymbolRecord& s) {
    std::string dir = library_dir(lib.name, lib.location);
    return lib.slides ? dir + s.name : dir + lib.name + "(" + s.name + ")";
}

void fill_groups(Edit& e) {
    ads_start_list(e.h, "group", LIST_NEW, 0);
    int row = -1;
    for (size_t i = 0; i < e.st->lib->groups.size(); ++i) {
        ads_add_list(e.st->lib->groups[i].name.c_str());
        if (e.st->lib->groups[i].name == e.st->group) row = static_cast<int>(i);
    }
    ads_end_list();
    if (row >= 0) ads_set_tile(e.h, "group", std::to_string(row).c_str());
}

void fill_page(Edit& e) {
    EditState& st = *e.st;
    st.selected = -1;
    GroupRecord* g = current_group(st);
    size_t n = g ? g->symbols.size() : 0;
    e.span = page_span(n, st.page, e.layout->tiles, LATER_FILL);
    if (e.span.error) st.page = 0, e.span = page_span(n, 0, e.layout->tiles, LATER_FILL);
    ads_start_list(e.h, "names", LIST_NEW, 0);
    for (size_t i = 0; i < e.span.count; ++i) ads_add_list(g->symbols[e.span.start + i].description.c_str());
    ads_end_list();
    for (int i = 0; i < e.layout->tiles; ++i) {
        std::string key = "symbol" + std::to_string(i + 1);
        short w = 0, hgt = 0;
        if (ads_dimensions_tile(e.h, key.c_str(), &w, &hgt) != RTNORM || ads_start_image(e.h, key.c_str()) != RTNORM)
            continue;
        ads_fill_image(0, 0, w, hgt, 0);
        size_t at = static_cast<size_t>(i);
        if (at < e.span.count) ads_slide_image(0, 0, w, hgt, slide_of(*st.lib, g->symbols[e.span.start + at]).c_str());
        ads_end_image();
    }
    ads_mode_tile(e.h, "next", e.span.more ? MODE_ENABLE : MODE_DISABLE);
    ads_mode_tile(e.h, "prev", st.page >= 1 ? MODE_ENABLE : MODE_DISABLE);
    ads_set_tile(e.h, "fulldescription", "");
}

void choose(Edit& e, int position, int reason) {
    GroupRecord* g = current_group(*e.st);
    if (!g || position < 0 || static_cast<size_t>(position) >= e.span.count) return;
    e.st->selected = static_cast<int>(e.span.start) + position;
    const SymbolRecord& s = g->symbols[static_cast<size_t>(e.st->selected)];
    ads_set_tile(e.h, "fulldescription", ("[" + s.name + "] " + s.description).c_str());
    ads_set_tile(e.h, "names", std::to_string(position).c_str());
    if (reason == CBR_DOUBLE_CLICK) {
        e.st->action = ACT_EDIT;
        ads_done_dialog(e.h, EDIT_REOPEN);
    }
}

void on_symbol(ads_callback_packet* p) {
    char key[32] = {};
    if (ads_get_attr_string(p->tile, "key", key, sizeof key) != RTNORM) return;
    choose(*g_edit, std::atoi(key + 6) - 1, p->reason);
}

bool need_selection(Edit& e, const char* then) {
    if (e.st->selected >= 0) return true;
    message_dialog("Select a symbol first", then);
    return false;
}

void leave_with(Edit& e, int action) {
    e.st->action = action;
    ads_done_dialog(e.h, EDIT_REOPEN);
}

void on_del(ads_callback_packet*) {
    Edit& e = *g_edit;
    if (!need_selection(e, "then [Del]")) return;
    GroupRecord* g = current_group(*e.st);
    if (!g || static_cast<size_t>(e.st->selected) >= g->symbols.size()) return void(error_code() = 5011);
    g->symbols.erase(g->symbols.begin() + e.st->selected);
    fill_page(e);
}

// --- group name dialog

std::string* g_group_name = nullptr;

bool group_name_dialog(const char* title, const std::string& start, std::string& out) {
    HelpContext help(10);
    OpenDialog d;
    if (!open_dialog_quietly(support_path("sv_dlg4.dcl"), "sv_edit_symvault_group", d))
        return alert_dialog("Unable to initialize dialogue box ", "sv_edit_symvault_group"), false;
    std::string value = start;
    g_group_name = &value;
    ads_set_tile(d.hdlg, "grouptext", title);
    ads_set_tile(d.hdlg, "groupname", start.c_str());
    ads_mode_tile(d.hdlg, "groupname", MODE_SETFOCUS);
    ads_action_tile(d.hdlg, "groupname", [](ads_callback_packet* p) {
        *g_group_name = bounded(p->value ? p->value : "", kGroupChars);
    });
    int status = run_dialog(d);
    close_dialog(d);
    g_group_name = nullptr;
    if (status != DLGOK || value.empty()) return false;
    out = value;
    return true;
}

bool group_taken(const LibraryRecord& lib, const std::string& name, const GroupRecord* except) {
    for (const GroupRecord& g : lib.groups)
        if (&g != except && g.name == name) return true;
    return false;
}

void on_newgroup(ads_callback_packet*) {
    Edit& e = *g_edit;
    std::string name;
    if (!group_name_dialog("New group name", "", name)) return;
    if (group_taken(*e.st->lib, name, nullptr)) return alert_dialog("Group name already exists!", name);
    GroupRecord g;
    g.name = name;
    e.st->lib->groups.push_back(g);
    e.st->group = name;
    e.st->page = 0;
    fill_groups(e);
    fill_page(e);
}

void on_delgroup(ads_callback_packet*) {
    Edit& e = *g_edit;
    LibraryRecord& lib = *e.st->lib;
    int row = std::atoi(tile_text(e.h, "group").c_str());
    if (row < 0 || static_cast<size_t>(row) >= lib.groups.size()) return void(error_code() = 5004);
    if (lib.groups.size() == 1) return alert_dialog("Base Group can not be deleted", "");
    if (yesno_dialog("Delete group and related symbol", lib.groups[static_cast<size_t>(row)].name, "Proceed?") !=
        ANSWER_YES)
        return;
    lib.groups.erase(lib.groups.begin() + row);
    e.st->group = lib.groups.front().name;
    e.st->page = 0;
    fill_groups(e);
    fill_page(e);
}

void on_modgroup(ads_callback_packet*) {
    Edit& e = *g_edit;
    GroupRecord* g = current_group(*e.st);
    if (!g) return void(error_code() = 5004);
    std::string name;
    if (!group_name_dialog("Modify group name", g->name, name)) return;
    if (group_taken(*e.st->lib, name, g)) return alert_dialog("Group name already exists!", name);
    g->name = name;
    e.st->group = name;
    fill_groups(e);
}

// --- library options

LibraryRecord* g_options = nullptr;
const char* kFlagKeys[] = {"rotate", "scale", "xref", "blines", "gtags", "glines", "force", "debug"};
const char* kTypeKeys[] = {"block", "group", "drawing", "script", "parametric"};

int* flag_of(LibraryRecord& lib, int i) {
    int* flags[] = {&lib.rotate,          &lib.scale,           &lib.xref,            &lib.block_break_lines,
                    &lib.group_dot_tags,  &lib.group_break_lines, &lib.lisp_force_load, &lib.debug};
    return flags[i];
}

void on_options_accept(ads_callback_packet* p) {
    LibraryRecord& lib = *g_options;
    ads_hdlg h = p->dialog;
    for (int i = 0; i < 8; ++i) *flag_of(lib, i) = tile_text(h, kFlagKeys[i]) == "1";
    int layout = std::atoi(tile_text(h, "dialog_type").c_str());
    lib.dialog_type = layout >= 0 && layout < kLayoutCount ? layout : 0;
    for (int i = 0; i < 5; ++i)
        if (tile_text(h, kTypeKeys[i]) == "1") lib.base_library_type = i + 1;
    lib.lisp_master_file = tile_text(h, "pmaster") == "1";
    lib.lisp_master_function = tile_text(h, "masterfn") == "1";
    lib.parametric_editor = tile_text(h, "peditor", kEditorChars);
    if (lib.parametric_editor.empty()) lib.parametric_editor = "EDIT";
    lib.banner = tile_text(h, "banner", kBannerChars);
    ads_done_dialog(h, DLGOK);
}

// The options dialog; true when the layout changed.
bool options_dialog(LibraryRecord& lib) {
    HelpContext help(3);
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlg6.dcl"), "sv_lib_options_defn", d)) return false;
    ads_hdlg h = d.hdlg;
    int old_layout = lib.dialog_type;
    // Scale options accepted in their own dialog still go when this one is
    // cancelled.
    std::vector<ScaleOptionRecord> scales_before = lib.scale_options;
    ads_start_list(h, "dialog_type", LIST_NEW, 0);
    for (int i = 0; i < kLayoutCount; ++i) ads_add_list(picker_layout(i).name);
    ads_end_list();
    ads_set_tile(h, "dialog_type", std::to_string(lib.dialog_type >= 0 && lib.dialog_type < kLayoutCount ? lib.dialog_type : 0).c_str());
    for (int i = 0; i < 8; ++i) ads_set_tile(h, kFlagKeys[i], *flag_of(lib, i) ? "1" : "0");
    ads_set_tile(h, lib.lisp_master_file ? "pmaster" : "pindiv", "1");
    ads_set_tile(h, lib.lisp_master_function ? "masterfn" : "indivfn", "1");
    int bt = lib.base_library_type >= 1 && lib.base_library_type <= 5 ? lib.base_library_type : 1;
    ads_set_tile(h, kTypeKeys[bt - 1], "1");
    ads_set_tile(h, "peditor", lib.parametric_editor.c_str());
    ads_set_tile(h, "banner", lib.banner.c_str());
    LibraryRecord* outer = g_options;
    g_options = &lib;
    ads_action_tile(h, "masterfn", [](ads_callback_packet* p) {
        if (p->value && std::string(p->value) == "1") ads_set_tile(p->dialog, "pmaster", "1");
    });
    ads_action_tile(h, "pindiv", [](ads_callback_packet* p) {
        if (p->value && std::string(p->value) == "1") ads_set_tile(p->dialog, "indivfn", "1");
    });
    ads_action_tile(h, "scaleoptions", [](ads_callback_packet*) { scale_options_dialog(*g_options); });
    ads_action_tile(h, "accept", on_options_accept);
    ads_action_tile(h, "help", [](ads_callback_packet*) { show_help(); });
    int status = run_dialog(d);
    close_dialog(d);
    g_options = outer;
    if (status != DLGOK) lib.scale_options = std::move(scales_before);
    return status == DLGOK && lib.dialog_type != old_layout;
}

void on_options(ads_callback_packet*) {
    Edit& e = *g_edit;
    if (options_dialog(*e.st->lib)) return leave_with(e, ACT_REOPEN);
    ads_set_tile(e.h, "banner", e.st->lib->banner.c_str());
}

void bind(Edit& e) {
    for (int i = 0; i < e.layout->tiles; ++i) ads_action_tile(e.h, ("symbol" + std::to_string(i + 1)).c_str(), on_symbol);
    ads_action_tile(e.h, "names", [](ads_callback_packet* p) {
        choose(*g_edit, std::atoi(p->value ? p->value : "-1"), p->reason);
    });
    ads_action_tile(e.h, "group", [](ads_callback_packet* p) {
        Edit& ed = *g_edit;
        int row = std::atoi(p->value ? p->value : "-1");
        if (row < 0 || static_cast<size_t>(row) >= ed.st->lib->groups.size()) return void(error_code() = 5004);
        ed.st->group = ed.st->lib->groups[static_cast<size_t>(row)].name;
        ed.st->page = 0;
        fill_page(ed);
    });
    ads_action_tile(e.h, "prev", [](ads_callback_packet*) {
        if (g_edit->st->page > 0) --g_edit->st->page, fill_page(*g_edit);
    });
    ads_action_tile(e.h, "next", [](ads_callback_packet*) {
        if (g_edit->span.more) ++g_edit->st->page, fill_page(*g_edit);
    });
    ads_action_tile(e.h, "libdescription", [](ads_callback_packet* p) {
        g_edit->st->lib->description = bounded(p->value ? p->value : "", kLibDescChars);
    });
    ads_action_tile(e.h, "edit", [](ads_callback_packet*) {
        if (need_selection(*g_edit, "then [Edit]")) leave_with(*g_edit, ACT_EDIT);
    });
    ads_action_tile(e.h, "add", [](ads_callback_packet*) { leave_with(*g_edit, ACT_ADD); });
    ads_action_tile(e.h, "ins", [](ads_callback_packet*) {
        if (need_selection(*g_edit, "then [Ins]")) leave_with(*g_edit, ACT_INSERT);
    });
    ads_action_tile(e.h, "del", on_del);
    ads_action_tile(e.h, "newgroup", on_newgroup);
    ads_action_tile(e.h, "delgroup", on_delgroup);
    ads_action_tile(e.h, "modgroup", on_modgroup);
    ads_action_tile(e.h, "options", on_options);
    ads_action_tile(e.h, "help", [](ads_callback_packet*) { show_help(); });
}

int run_edit_dialog(EditState& st) {
    HelpContext help(1);
    Edit e;
    e.st = &st;
    e.layout = &picker_layout(st.lib->dialog_type);
    OpenDialog d;
    if (!open_dialog(support_path(e.layout->editor_dcl), "sv_edit_symvault", d)) return EDIT_CANCELLED;
    e.h = d.hdlg;
    const LibraryRecord& lib = *st.lib;
    ads_set_tile(e.h, "libtype", lib.base_library_type == SYM_PARAMETRIC ? "Parametric library name"
                                 : lib.base_library_type == SYM_GROUP    ? "Block group library name"
                                                                         : "Block symbol library name");
    ads_set_tile(e.h, "libname", lib.name.c_str());
    ads_set_tile(e.h, "libdescription", lib.description.c_str());
    ads_set_tile(e.h, "banner", lib.banner.c_str());
    int keep = st.selected;
    fill_groups(e);
    fill_page(e);
    st.selected = keep >= 0 && static_cast<size_t>(keep) >= e.span.start &&
                          static_cast<size_t>(keep) < e.span.start + e.span.count
                      ? keep
                      : -1;
    Edit* outer = g_edit;
    g_edit = &e;
    bind(e);
    st.action = ACT_NONE;
    int status = run_dialog(d);
    close_dialog(d);
    g_edit = outer;
    return status == EDIT_REOPEN ? EDIT_REOPEN : status == DLGOK ? EDIT_ACCEPTED : EDIT_CANCELLED;
}

}  // namespace

void keep_original(EditState& st, const std::string& path) {
    for (const auto& w : st.written)
        if (w.first == path) return;
    if (!file_exists(path)) return void(st.written.emplace_back(path, std::nullopt));
    // A file that cannot be read is not noted: a cancel must not remove it.
    if (auto held = read_binary(path)) st.written.emplace_back(path, std::move(held));
}

namespace {

// The symbol files as they were before the editor wrote them.
void put_back_files(const EditState& st) {
    for (auto w = st.written.rbegin(); w != st.written.rend(); ++w) {
        if (w->second) write_whole_file(w->first, *w->second);
        else rt_remove(w->first.c_str());
    }
}

}  // namespace

void edit_library(LibraryRecord& lib) {
    EditState st;
    st.lib = &lib;
    st.group = lib.groups.empty() ? "" : lib.groups.front().name;
    lib.last_group.clear();
    // The dialogs change the record and the symbol files as the user goes;
    // a cancel puts back both as they were, so that neither the picker nor
    // a later save sees what was given up.
    const LibraryRecord before = lib;
    auto give_up = [&] {
        lib = before;
        put_back_files(st);
    };
    for (;;) {
        int status = run_edit_dialog(st);
        if (status == EDIT_CANCELLED) return give_up();
        if (status == EDIT_ACCEPTED) return void(write_library(lib));
        if (st.action == ACT_EDIT || st.action == ACT_ADD || st.action == ACT_INSERT)
            if (!define_symbol(st, st.action)) return give_up();
    }
}

}  // namespace symvault
