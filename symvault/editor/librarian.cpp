// The librarian dialog, the new library dialog and the library lock.
#include <cstdlib>

#include "editor/edit_rules.h"
#include "editor/editor.h"
#include <memory>

#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "host/tools.h"
#include "library/file_ops.h"
#include "library/library_file.h"
#include "library/paths.h"
#include "library/registry.h"
#include "menus/slide_builder.h"

namespace symvault {

namespace {

struct Librarian {
    ads_hdlg h = nullptr;
    int row = -1;
    LibraryRecord* to_edit = nullptr;
    bool toolbar_changed = false, created = false;
};
Librarian* g_lib = nullptr;

const char* kRowKeys[] = {"lock", "unlock", "show", "hide", "unload", "edit"};

void refill(Librarian& l) {
    ads_start_list(l.h, "l_names", LIST_NEW, 0);
    for (const auto& lib : sv().libraries)
        ads_add_list(library_row(lib->name, lib->description, lib->show, lib->location).c_str());
    ads_end_list();
    // No row is chosen after a refill: the list shows none either.
    ads_set_tile(l.h, "l_names", "");
    l.row = -1;
    for (const char* key : kRowKeys) ads_mode_tile(l.h, key, MODE_DISABLE);
}

// The library of the chosen row; null with the message or error given.
LibraryRecord* row_library(Librarian& l, const char* then, int code) {
    if (l.row < 0) return message_dialog("Select a library from the list", then), nullptr;
    if (static_cast<size_t>(l.row) >= sv().libraries.size()) return error_code() = code, nullptr;
    return sv().libraries[static_cast<size_t>(l.row)].get();
}

void on_names(ads_callback_packet* p) {
    Librarian& l = *g_lib;
    int row = std::atoi(p->value ? p->value : "-1");
    if (row < 0 || static_cast<size_t>(row) >= sv().libraries.size()) return void(error_code() = 5008);
    l.row = row;
    for (const char* key : kRowKeys) ads_mode_tile(l.h, key, MODE_ENABLE);
}

void on_unload(ads_callback_packet*) {
    Librarian& l = *g_lib;
    if (l.row < 0) return message_dialog("Select a library from the list", "then [Unload]");
    if (static_cast<size_t>(l.row) >= sv().libraries.size())
        return void(ads_printf("SYMVAULT Internal error : Library mismatch...!\n"));
    drop_library(sv().libraries[static_cast<size_t>(l.row)].get());
    refill(l);
}

void set_shown(int show) {
    Librarian& l = *g_lib;
    LibraryRecord* lib = row_library(l, show ? "then [Show]" : "then [Hide]", 5009);
    if (!lib) return;
    if (lib->show == show) return message_dialog(show ? "Library already shown!" : "Library already hidden!", "Ignored!");
    if (yesno_dialog(show ? "Show library on toolbar/menu!" : "Hide library on toolbar/menu!", "", "Proceed?") !=
        ANSWER_YES)
        return;
    lib->show = show;
    l.toolbar_changed = true;
    write_library(*lib);
    refill(l);
}

void on_edit(ads_callback_packet* p) {
    Librarian& l = *g_lib;
    LibraryRecord* lib = row_library(l, "then [Edit]", 5008);
    if (!lib) return;
    if (lib->slides == 0) return alert_dialog("Library is locked and can not be edited!", "");
    l.to_edit = lib;
    ads_done_dialog(p->dialog, DLGOK);
}

// --- new library

struct NewLib {
    ads_hdlg h = nullptr;
    LibraryRecord* made = nullptr;
};
NewLib* g_new = nullptr;

int base_type_of(ads_hdlg h) {
    const char* keys[] = {"block", "group", "drawing", "script", "parametric"};
    for (int i = 0; i < 5; ++i)
        if (tile_text(h, keys[i]) == "1") return i + 1;
    return SYM_BLOCK;
}

void on_new_accept(ads_callback_packet* p) {
    NewLib& n = *g_new;
    std::string name = tile_text(n.h, "libname", kLibNameChars);
    if (check_name(name, settings().max_name_length) != NAME_OK) return alert_dialog("Invalid library name!", name);
    if (find_library(sv().libraries, name)) return alert_dialog("Library already exists!", name);
    int location = tile_text(n.h, "network") == "1" && settings().net_option ? 1 : 0;
    if (file_exists(library_path(name, location, "SVF")))
        return alert_dialog("Library file already exists...!", "Use 'load' button to access library!");
    std::string own = library_dir(name, location);
    if (make_dir(own) == DIR_FAILED) return alert_dialog("Can't create library directory", own);
    auto lib = std::make_unique<LibraryRecord>(
        new_library(name, tile_text(n.h, "grpname", kGroupChars), location, base_type_of(n.h)));
    n.made = lib.get();
    sv().libraries.push_back(std::move(lib));
    ads_done_dialog(p->dialog, DLGOK);
}

LibraryRecord* new_library_dialog() {
    HelpContext help(9);
    OpenDialog d;
    if (!open_dialog_quietly(support_path("sv_dlg3.dcl"), "sv_edit_lib_name_defn", d))
        return alert_dialog("Unable to initialize dialogue box ", "sv_edit_lib_name_defn"), nullptr;
    NewLib n{d.hdlg, nullptr};
    NewLib* outer = g_new;
    g_new = &n;
    ads_set_tile(d.hdlg, "block", "1");
    ads_set_tile(d.hdlg, "local", "1");
    if (!settings().net_option) ads_mode_tile(d.hdlg, "network", MODE_DISABLE);
    ads_mode_tile(d.hdlg, "libname", MODE_SETFOCUS);
    ads_action_tile(d.hdlg, "accept", on_new_accept);
    ads_action_tile(d.hdlg, "help", [](ads_callback_packet*) { show_help(); });
    run_dialog(d);
    close_dialog(d);
    g_new = outer;
    return n.made;
}

void on_new(ads_callback_packet* p) {
    LibraryRecord* made = new_library_dialog();
    if (!made) return;
    g_lib->to_edit = made;
    g_lib->created = true;
    ads_done_dialog(p->dialog, DLGOK);
}

}  // namespace



void lock_library(LibraryRecord& lib) {
    if (lib.slides == 0) return alert_dialog("Library is already locked!", "");
    if (yesno_dialog("Lock library and", "create slide library?", "Proceed?") != ANSWER_YES) return;
    std::string typed;
    if (password_dialog(typed) != 1) return;
    lib.access = bounded(typed, kAccessChars);
    int built = build_slide_library(&lib);
    if (built == SLB_BUILT) {
        lib.slides = 0;
        write_library(lib);
    } else if (built == SLB_FAILED) {
        alert_dialog("Slide library creation", "Failed!");
    }
}

void unlock_library(LibraryRecord& lib) {
    if (lib.slides == 1) return message_dialog("Library is already unlocked!", "");
    if (!lib.access.empty()) {
        std::string typed;
        if (password_dialog(typed) != 1) return;
        if (typed != lib.access) return alert_dialog("Password incorrect!", "Permission denied!");
    }
    lib.slides = 1;
    // The file says unlocked at once, with or without a password.
    write_library(lib);
    message_dialog("Library has been unlocked!", "");
}

Reply sv_editlib(const struct resbuf*) {
    HelpContext help(0);
    Librarian l;
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlg3.dcl"), "sv_edit_lib_defn", d)) return Reply::none();
    l.h = d.hdlg;
    Librarian* outer = g_lib;
    g_lib = &l;
    refill(l);
    ads_action_tile(l.h, "l_names", on_names);
    ads_action_tile(l.h, "load", [](ads_callback_packet*) {
        if (load_library_dialog()) refill(*g_lib);
    });
    ads_action_tile(l.h, "unload", on_unload);
    ads_action_tile(l.h, "show", [](ads_callback_packet*) { set_shown(1); });
    ads_action_tile(l.h, "hide", [](ads_callback_packet*) { set_shown(0); });
    ads_action_tile(l.h, "lock", [](ads_callback_packet*) {
        if (g_lib->row < 0) return message_dialog("Select a library from the list", "");
        if (LibraryRecord* lib = row_library(*g_lib, "", 5012)) lock_library(*lib);
    });
    ads_action_tile(l.h, "unlock", [](ads_callback_packet*) {
        if (LibraryRecord* lib = row_library(*g_lib, "then [Unlock]", 5013)) unlock_library(*lib);
    });
    ads_action_tile(l.h, "edit", on_edit);
    ads_action_tile(l.h, "new", on_new);
    ads_action_tile(l.h, "help", [](ads_callback_packet*) { show_help(); });
    run_dialog(d);
    close_dialog(d);
    g_lib = outer;
    if (l.toolbar_changed) rebuild_toolbar();
    if (l.to_edit) edit_library(*l.to_edit);
    if (l.created) rebuild_toolbar();
    return Reply::none();
}

}  // namespace symvault
