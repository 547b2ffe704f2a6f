// The library manager and load dialogs, the scan for library files and
// loading a library when it is first used.
#include "library/registry.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "host/dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/text.h"
#include "host/tools.h"
#include "library/library_file.h"
#include "library/library_format.h"

namespace symvault {

namespace {

const char* kRegistryDcl = "sv_dlg1.dcl";

// First three lines of a file, cleaned as the reader cleans them.
std::vector<std::string> first_lines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* f = rt_fopen(path.c_str(), "r");
    if (!f) return lines;
    char buf[512];
    while (lines.size() < 3 && fgets(buf, sizeof buf, f)) {
        std::string l = buf;
        // The rest of a longer line is not needed for these three.
        while (l.back() != '\n' && fgets(buf, sizeof buf, f)) l += buf;
        lines.push_back(clean_line(l));
    }
    fclose(f);
    return lines;
}

bool scan_dir(const std::string& dir, int location, std::vector<AvailableLibrary>& out) {
    struct rt_finddata_t found;
    long h = rt_findfirst((dir + "*.SVF").c_str(), &found);
    if (h == -1) return true;
    bool ok = true;
    try {
        do {
            if (found.attrib & RT_A_SUBDIR) continue;
            AvailableLibrary entry;
            if (available_entry(found.name, first_lines(dir + found.name), location, entry)) out.push_back(entry);
        } while (rt_findnext(h, &found) == 0);
    } catch (const std::bad_alloc&) {
        out_of_memory(5006);
        ok = false;
    }
    rt_findclose(h);
    return ok;
}

void fill_list(ads_hdlg h, const std::vector<std::string>& rows) {
    ads_start_list(h, "l_names", LIST_NEW, 0);
    for (const std::string& r : rows) ads_add_list(r.c_str());
    ads_end_list();
}

// The manager dialog's state while it is open.
struct Manager {
    ads_hdlg hdlg = nullptr;
    bool chosen = false;  // a row of the list is selected
    std::string name, description;
    int location = 0;
    bool toolbar_changed = false;
};

Manager* g_manager = nullptr;

void manager_refill(Manager& m) {
    std::vector<std::string> rows;
    for (const auto& l : sv().libraries) rows.push_back(library_row(l->name, l->description, l->show, l->location));
    fill_list(m.hdlg, rows);
    ads_set_tile(m.hdlg, "l_names", "");
    m.chosen = false;
    m.name.clear();
    m.description.clear();
    for (const char* key : {"select", "unload", "show", "hide"}) ads_mode_tile(m.hdlg, key, MODE_DISABLE);
}

LibraryRecord* chosen_library(Manager& m, int missing_code) {
    LibraryRecord* lib = find_library(sv().libraries, m.name);
    if (!lib) error_code() = missing_code;
    return lib;
}

void on_names(ads_callback_packet* p) {
    Manager& m = *g_manager;
    int row = std::atoi(p->value ? p->value : "");
    const auto& libs = sv().libraries;
    if (row < 0 || static_cast<size_t>(row) >= libs.size()) {
        error_code() = 5008;
        return;
    }
    for (const char* key : {"unload", "select", "show", "hide"}) ads_mode_tile(m.hdlg, key, MODE_ENABLE);
    m.chosen = true;
    m.name = libs[static_cast<size_t>(row)]->name;
    m.description = libs[static_cast<size_t>(row)]->description;
    m.location = libs[static_cast<size_t>(row)]->location;
    if (p->reason == CBR_DOUBLE_CLICK) ads_done_dialog(p->dialog, DLGOK);
}

void on_select(ads_callback_packet* p) {
    if (!g_manager->chosen) return message_dialog(msg::kSelectThenSelect1, msg::kSelectThenSelect2);
    ads_done_dialog(p->dialog, DLGOK);
}

// The load dialog: the library files on disk; true with the chosen entry.
bool choose_available(AvailableLibrary& chosen);

void on_load(ads_callback_packet*) {
    AvailableLibrary entry;
    if (!choose_available(entry)) return;
    if (find_library(sv().libraries, entry.name)) return;
    read_library(entry.name, entry.location, WARN_IF_MISSING);
    manager_refill(*g_manager);
}

void on_unload(ads_callback_packet*) {
    Manager& m = *g_manager;
    if (!m.chosen) return message_dialog(msg::kSelectThenUnload1, msg::kSelectThenUnload2);
    LibraryRecord* lib = chosen_library(m, 5009);
    if (!lib) return;
    drop_library(lib);
    manager_refill(m);
}

void set_shown(int show) {
    Manager& m = *g_manager;
    if (!m.chosen) return message_dialog(msg::kSelectThenSelect1, show ? msg::kSelectThenShow2 : msg::kSelectThenHide2);
    LibraryRecord* lib = chosen_library(m, 5008);
    if (!lib) return;
    if (lib->show == show) return message_dialog(show ? msg::kAlreadyShown : msg::kAlreadyHidden, msg::kIgnored);
    if (yesno_dialog(show ? msg::kShowQuestion : msg::kHideQuestion, "", msg::kProceed) != ANSWER_YES) return;
    lib->show = show;
    m.toolbar_changed = true;
    manager_refill(m);
    write_library(*lib);
}

void on_show(ads_callback_packet*) { set_shown(1); }
void on_hide(ads_callback_packet*) { set_shown(0); }
void on_help(ads_callback_packet*) { show_help(); }

// Runs the manager; true when it was accepted with a library chosen.
bool run_manager(Manager& m) {
    HelpContext help(5);
    OpenDialog d;
    if (!open_dialog(support_path(kRegistryDcl), "sv_lib_defn", d)) return false;
    m.hdlg = d.hdlg;
    g_manager = &m;
    manager_refill(m);
    ads_mode_tile(d.hdlg, "load", MODE_ENABLE);
    ads_action_tile(d.hdlg, "l_names", on_names);
    ads_action_tile(d.hdlg, "select", on_select);
    ads_action_tile(d.hdlg, "load", on_load);
    ads_action_tile(d.hdlg, "unload", on_unload);
    ads_action_tile(d.hdlg, "show", on_show);
    ads_action_tile(d.hdlg, "hide", on_hide);
    ads_action_tile(d.hdlg, "help", on_help);
    int status = run_dialog(d);
    close_dialog(d);
    g_manager = nullptr;
    if (m.toolbar_changed) rebuild_toolbar();
    return status == DLGOK && m.chosen && find_library(sv().libraries, m.name);
}

struct Loader {
    std::vector<AvailableLibrary> found;
    int row = -1;
};

Loader* g_loader = nullptr;

void on_load_names(ads_callback_packet* p) {
    g_loader->row = std::atoi(p->value ? p->value : "");
    if (p->reason == CBR_DOUBLE_CLICK) ads_done_dialog(p->dialog, DLGOK);
}

bool choose_available(AvailableLibrary& chosen) {
    HelpContext help(7);
    Loader l;
    scan_available(l.found);
    OpenDialog d;
    if (!open_dialog(support_path(kRegistryDcl), "sv_lib_load_defn", d)) return false;
    std::vector<std::string> rows;
    for (const AvailableLibrary& a : l.found) rows.push_back(library_row(a.name, a.description, a.show, a.location));
    fill_list(d.hdlg, rows);
    Loader* outer = g_loader;
    g_loader = &l;
    ads_action_tile(d.hdlg, "l_names", on_load_names);
    ads_action_tile(d.hdlg, "help", on_help);
    int status = run_dialog(d);
    close_dialog(d);
    g_loader = outer;
    if (status != DLGOK || l.row < 0) return false;
    if (static_cast<size_t>(l.row) >= l.found.size()) {
        error_code() = 5007;
        return false;
    }
    chosen = l.found[static_cast<size_t>(l.row)];
    return true;
}

}  // namespace

bool load_library_dialog() {
    AvailableLibrary entry;
    if (!choose_available(entry)) return false;
    if (find_library(sv().libraries, entry.name)) return false;
    return read_library(entry.name, entry.location, WARN_IF_MISSING) == 1;
}

bool scan_available(std::vector<AvailableLibrary>& out) {
    if (!scan_dir(library_folder(0), 0, out)) return false;
    if (settings().net_option && !scan_dir(library_folder(1), 1, out)) return false;
    return true;
}

Reply sv_selectlib(const struct resbuf*) {
    Manager m;
    if (!run_manager(m)) return Reply::nil();
    std::vector<Pair> pairs;
    pairs.push_back(Pair{1, m.name});
    pairs.push_back(Pair{2, m.description});
    pairs.push_back(Pair{3, library_dir(m.name, m.location)});
    return Reply::list(std::move(pairs));
}

bool pick_loaded_library(std::string& name, std::string& description) {
    Manager m;
    bool picked = run_manager(m);
    name = picked ? m.name : "";
    description = picked ? m.description : "";
    return picked;
}

LibraryRecord* library_for_use(const std::string& name) {
    if (LibraryRecord* lib = find_library(sv().libraries, name)) return lib;
    bool read = read_library(name, 0, NO_WARNING);
    if (!read && settings().net_option) {
        read = read_library(name, 1, NO_WARNING);
        if (!read) alert_dialog(msg::kMissingFile, name);
    }
    if (!read) return nullptr;
    LibraryRecord* lib = find_library(sv().libraries, name);
    if (!lib) error_code() = 5003;
    return lib;
}

}  // namespace symvault
