// The application manager and its control file.
#include "apps/app_manager.h"

#include <cstdio>
#include <cstdlib>

#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/file_ops.h"

namespace symvault {

namespace {

const char* kControlFile = "SV_APPS.SVB";
const char* kDcl = "sv_dlg8.dcl";

std::vector<Pair> entry_pairs(const ApplicationEntry& e) {
    return {Pair{1, e.name}, Pair{2, e.description}, Pair{3, static_cast<short>(e.type)},
            Pair{4, static_cast<short>(e.enabled)}, Pair{5, static_cast<short>(e.debug)}};
}

// --- the first-run check

struct FirstRun {
    FILE* log = nullptr;
    std::vector<ApplicationEntry>& entries;
    void write(const std::string& s) {
        if (log) fputs(s.c_str(), log);
    }
};

bool ignored_dir(const std::string& upper_dir) {
    const Settings& s = settings();
    if (upper_dir.find(upper(s.product_dir)) != std::string::npos) return true;
    if (upper_dir.find("SYMVAULT") != std::string::npos) return true;
    return !s.net_dir.empty() && upper_dir.find(upper(s.net_dir)) != std::string::npos;
}

bool managed(const std::vector<ApplicationEntry>& entries, const std::string& path) {
    for (const ApplicationEntry& e : entries)
        if (same_name(e.name, path)) return true;
    return false;
}

// The search path's directories. Each is compared in upper case, as the
// check asks, but looked in with its own spelling, which the host's
// folders need.
std::vector<std::string> search_dirs() {
    std::vector<std::string> out;
    std::string prefix = host_string_var("ACADPREFIX");
    size_t at = 0;
    while (at <= prefix.size()) {
        size_t semi = prefix.find(';', at);
        std::string d = prefix.substr(at, semi == std::string::npos ? std::string::npos : semi - at);
        if (!d.empty()) out.push_back(d);
        if (semi == std::string::npos) break;
        at = semi + 1;
    }
    return out;
}

void first_run_check(std::vector<ApplicationEntry>& entries) {
    if (!find_host_file("FIRST.LOG").empty()) return;
    ads_printf("Checking for existing ACAD.LSP file...\n");
    FirstRun run{rt_fopen(support_path("FIRST.LOG").c_str(), "w"), entries};
    run.write("Auto-adding to Application Manager :- \n");
    std::string already;
    bool added = false;
    for (const std::string& dir : search_dirs()) {
        std::string shown = upper(dir);
        ads_printf("Checking : %s", shown.c_str());
        if (ignored_dir(shown)) {
            ads_printf(" - Ignored...\n");
            continue;
        }
        char last = dir.back();
        std::string path = dir + (last == '\\' || last == '/' ? "" : "/") + "ACAD.LSP";
        if (!file_exists(path)) {
            ads_printf(" - Not found...\n");
            continue;
        }
        ads_printf(" - Found!\n");
        if (managed(entries, path)) {
            already = path;
            break;
        }
        if (yesno_dialog("SYMVAULT has detected an existing ACAD.LSP", path, "Add this to the Application Manager?") !=
            ANSWER_YES) {
            ads_printf(" - Ignored by user...\n");
            continue;
        }
        ApplicationEntry e;
        e.name = bounded(path, kAppNameChars);
        e.description = "Autosave existing ACAD.LSP";
        entries.push_back(e);
        ads_printf("Auto-adding to Application Manager : %s\n", path.c_str());
        run.write(path);
        save_applications(entries);
        added = true;
        break;
    }
    if (!added && !already.empty()) {
        run.write("\nAlready managed..." + already);
        ads_printf("\nAlready Managed : %s", already.c_str());
    } else if (!added) {
        run.write("None found, or no action taken...\n");
        ads_printf("\nNone found, or no action taken...\n");
    }
    if (run.log) fclose(run.log);
}

// --- the dialogs

struct EntryEdit {
    ApplicationEntry entry;
    ads_hdlg h = nullptr;
};
EntryEdit* g_entry = nullptr;

int radio_type(ads_hdlg h) {
    if (tile_text(h, "ads") == "1") return APP_ADS;
    if (tile_text(h, "arx") == "1") return APP_ARX;
    return APP_LSP;
}

void on_entry_select(ads_callback_packet*) {
    static const char* kTypes[] = {"EXP;EXE", "ARX", "LSP"};
    int type = radio_type(g_entry->h);
    struct resbuf rb = {};
    if (ads_getfiled("Select Application", "", kTypes[type - 1], 0, &rb) != RTNORM) return;
    if (rb.restype == RTSTR && rb.resval.rstring) {
        ads_set_tile(g_entry->h, "appname", rb.resval.rstring);
        free(rb.resval.rstring);
    }
}

void on_entry_accept(ads_callback_packet* p) {
    EntryEdit& e = *g_entry;
    e.entry.type = radio_type(e.h);
    e.entry.name = tile_text(e.h, "appname", kAppNameChars);
    e.entry.description = tile_text(e.h, "descript", kAppDescChars);
    if (e.entry.description.empty()) e.entry.description = e.entry.name;
    // Without a name there is nothing to manage: the dialog counts as cancelled.
    ads_done_dialog(p->dialog, e.entry.name.empty() ? DLGCANCEL : DLGOK);
}

// The entry dialog; true when accepted with a name.
bool edit_entry(ApplicationEntry& entry) {
    HelpContext help(11);
    OpenDialog d;
    if (!open_dialog(support_path(kDcl), "sv_app_control_new", d)) return false;
    EntryEdit e{entry, d.hdlg};
    EntryEdit* outer = g_entry;
    g_entry = &e;
    ads_set_tile(d.hdlg, "appname", entry.name.c_str());
    ads_set_tile(d.hdlg, "descript", entry.description.c_str());
    ads_set_tile(d.hdlg, entry.type == APP_ADS ? "ads" : entry.type == APP_ARX ? "arx" : "lsp", "1");
    ads_mode_tile(d.hdlg, "descript", MODE_SETFOCUS);
    ads_action_tile(d.hdlg, "select", on_entry_select);
    ads_action_tile(d.hdlg, "accept", on_entry_accept);
    ads_action_tile(d.hdlg, "help", [](ads_callback_packet*) { show_help(); });
    int status = run_dialog(d);
    close_dialog(d);
    g_entry = outer;
    if (status != DLGOK) return false;
    entry = e.entry;
    return true;
}

struct Manager {
    std::vector<ApplicationEntry> entries;
    ads_hdlg h = nullptr;
    int row = -1;
};
Manager* g_manager = nullptr;

void refill(Manager& m) {
    ads_start_list(m.h, "app_names", LIST_NEW, 0);
    for (const ApplicationEntry& e : m.entries) ads_add_list(app_row(e).c_str());
    ads_end_list();
    if (m.row >= 0) ads_set_tile(m.h, "app_names", std::to_string(m.row).c_str());
}

// The chosen entry; null (with the message shown) when there is none.
ApplicationEntry* chosen(Manager& m) {
    if (m.row < 0) {
        ads_set_tile(m.h, "error_msg", "Select application from list");
        return nullptr;
    }
    if (static_cast<size_t>(m.row) >= m.entries.size()) {
        error_code() = 5071;
        ads_done_dialog(m.h, DLGCANCEL);
        return nullptr;
    }
    return &m.entries[static_cast<size_t>(m.row)];
}

void show_radios(Manager& m, const ApplicationEntry& e) {
    ads_set_tile(m.h, e.type == APP_ADS ? "ads" : e.type == APP_ARX ? "arx" : "lsp", "1");
    ads_set_tile(m.h, e.enabled ? "enable" : "disable", "1");
    ads_set_tile(m.h, e.debug ? "debug" : "nodebug", "1");
}

void modify(Manager& m) {
    ApplicationEntry* e = chosen(m);
    if (!e) return;
    ApplicationEntry edited = *e;
    if (!edit_entry(edited)) return;
    e->name = edited.name;
    e->description = edited.description;
    e->type = edited.type;
    refill(m);
}

void on_names(ads_callback_packet* p) {
    Manager& m = *g_manager;
    ads_set_tile(m.h, "error_msg", "");
    m.row = std::atoi(p->value ? p->value : "-1");
    ApplicationEntry* e = chosen(m);
    if (!e) return;
    show_radios(m, *e);
    if (p->reason == CBR_DOUBLE_CLICK) modify(m);
}

void on_radio(ads_callback_packet*) {
    Manager& m = *g_manager;
    ads_set_tile(m.h, "error_msg", "");
    ApplicationEntry* e = chosen(m);
    if (!e) return;
    e->type = radio_type(m.h);
    e->enabled = tile_text(m.h, "enable") == "1" ? 1 : 0;
    e->debug = tile_text(m.h, "debug") == "1" ? 1 : 0;
    refill(m);
}

void on_add(ads_callback_packet*) {
    Manager& m = *g_manager;
    ads_set_tile(m.h, "error_msg", "");
    ApplicationEntry e;
    if (!edit_entry(e)) return;
    e.enabled = 1;
    e.debug = 0;
    m.entries.push_back(e);
    refill(m);
}

void on_mod(ads_callback_packet*) {
    ads_set_tile(g_manager->h, "error_msg", "");
    modify(*g_manager);
}

void on_del(ads_callback_packet*) {
    Manager& m = *g_manager;
    ads_set_tile(m.h, "error_msg", "");
    if (!chosen(m)) return;
    m.entries.erase(m.entries.begin() + m.row);
    m.row = -1;
    refill(m);
}

}  // namespace

std::vector<ApplicationEntry> load_applications() {
    ads_printf("Loading application library ... \n");
    std::string path = support_path(kControlFile);
    auto lines = read_clean_lines(path);
    if (!lines) return {};
    size_t at = 0;
    AppFile f = parse_app_file([&]() -> std::optional<std::string> {
        if (at >= lines->size()) return std::nullopt;
        return (*lines)[at++];
    });
    if (!f.valid) alert_dialog("Warning : Invalid application control file ", path);
    return f.entries;
}

int save_applications(const std::vector<ApplicationEntry>& entries) {
    ads_printf("Saving application library ... \n");
    if (!write_whole_file(support_path(kControlFile), joined_lines(app_file_lines(entries)))) {
        error_code() = 5078;
        return 0;
    }
    return 1;
}

Reply sv_app_list(const struct resbuf*) {
    std::vector<ApplicationEntry> entries = load_applications();
    first_run_check(entries);
    std::vector<std::vector<Pair>> lists;
    for (const ApplicationEntry& e : entries) lists.push_back(entry_pairs(e));
    return Reply::list_of_lists(std::move(lists));
}

Reply sv_app_manager(const struct resbuf*) {
    HelpContext help(6);
    Manager m;
    m.entries = load_applications();
    OpenDialog d;
    if (!open_dialog(support_path(kDcl), "sv_app_control", d)) return Reply::none();
    m.h = d.hdlg;
    Manager* outer = g_manager;
    g_manager = &m;
    refill(m);
    ads_action_tile(m.h, "app_names", on_names);
    for (const char* key : {"ads", "arx", "lsp", "enable", "disable", "debug", "nodebug"})
        ads_action_tile(m.h, key, on_radio);
    ads_action_tile(m.h, "add", on_add);
    ads_action_tile(m.h, "mod", on_mod);
    ads_action_tile(m.h, "del", on_del);
    ads_action_tile(m.h, "help", [](ads_callback_packet*) { show_help(); });
    int status = run_dialog(d);
    close_dialog(d);
    g_manager = outer;
    if (status == DLGOK && error_code() == 0) save_applications(m.entries);
    return Reply::none();
}

}  // namespace symvault
