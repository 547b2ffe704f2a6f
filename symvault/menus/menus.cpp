// Toolbar rebuild, menu update and the LT menu.
#include "menus/menus.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "library/file_ops.h"
#include "library/paths.h"
#include "library/registry.h"
#include "menus/menu_text.h"
#include "menus/slide_builder.h"

namespace symvault {

namespace {

int fail(int code) {
    error_code() = code;
    report_error();
    return 0;
}

void send(std::initializer_list<const char*> answers) {
    struct resbuf* head = nullptr;
    struct resbuf* tail = nullptr;
    for (const char* a : answers) {
        struct resbuf* rb = ads_newrb(RTSTR);
        rb->resval.rstring = static_cast<char*>(malloc(strlen(a) + 1));
        memcpy(rb->resval.rstring, a, strlen(a) + 1);
        (head ? tail->rbnext : head) = rb;
        tail = rb;
    }
    ads_cmd(head);
    ads_relrb(head);
}

short short_var(const char* name) {
    struct resbuf rb = {};
    return ads_getvar(name, &rb) == RTNORM && rb.restype == RTSHORT ? rb.resval.rint : 0;
}

// The menu's backup: its path with the extension of the file name ".SAV".
std::string backup_path(const std::string& menu) {
    size_t sep = menu.find_last_of("\\/");
    size_t dot = menu.find('.', sep == std::string::npos ? 0 : sep + 1);
    return dot == std::string::npos ? "" : menu.substr(0, dot) + ".SAV";
}

int update_menu_file() {
    ads_printf("Updating menu file for SYMVAULT ...\n");
    struct resbuf rb = {};
    if (ads_getvar("MENUNAME", &rb) != RTNORM) return fail(5102);
    if (rb.restype != RTSTR || !rb.resval.rstring) return fail(5101);
    std::string name = rb.resval.rstring;
    free(rb.resval.rstring);
    std::string menu = find_host_file(name + ".MNU");
    if (menu.empty()) return fail(5100);
    std::string backup = backup_path(menu);
    if (backup.empty()) return fail(5109);
    std::string tpl_path = find_host_file("SYMVLTB2.MNU");
    if (tpl_path.empty()) return fail(5103);
    if (!file_exists(backup)) {
        ads_printf("Creating backup safety copy of menu file : %s\n", backup.c_str());
        copy_binary(menu, backup);
    }
    auto lines = read_raw_lines(menu);
    if (!lines) return fail(5105);
    auto tpl = read_raw_lines(tpl_path);
    if (!tpl) return fail(5108);
    std::vector<AvailableLibrary> libs;
    scan_available(libs);
    MenuUpdate up = update_menu(*lines, *tpl, libs);
    if (up.error) return fail(up.error);
    std::string content = joined_lines(up.lines);
    if (!write_whole_file(support_path("SV_TEMP.TMP"), content)) return fail(5106);
    ads_printf("\nLoading menu...\n");
    // The user's menu is replaced only by a complete copy of the work file.
    if (!write_whole_file(menu, content)) return fail(5106);
    ads_printf("Menu update successful...\n");
    send({"_.MENU", menu.c_str()});
    return 1;
}

}  // namespace

int write_toolbar_menu() {
    std::vector<AvailableLibrary> libs;
    scan_available(libs);
    rt_remove(support_path("SYMVAULT.MNC").c_str());
    auto tpl = read_clean_lines(support_path("SYMVAULT.MNU"));
    if (!tpl) return fail(5036);
    std::string target = support_path("SYMVAULT.MNS");
    if (!write_whole_file(target, joined_lines(toolbar_menu(*tpl, libs)))) return fail(file_exists(target) ? 5034 : 5035);
    if (sv().menu_loaded) send({"_.MENUUNLOAD", "SYMVAULT"});
    send({"_.MENULOAD", target.c_str()});
    send({"_.TOOLBAR", "SYMVAULT", "_SHOW"});
    sv().menu_loaded = 1;
    if (short_var("CMDACTIVE") == 1) send({""});
    return 1;
}

Reply sv_update_menu(const struct resbuf*) {
    if (update_menu_file()) write_toolbar_menu();
    return Reply::none();
}

void copy_up_menu_files(const std::string& name, int location) {
    std::string own = library_dir(name, location);
    for (const char* ext : {".MNU", ".SLB"})
        if (file_exists(own + name + ext)) copy_binary(own + name + ext, library_path(name, location, "") + ext);
}

Reply sv_ltmenuout(const struct resbuf*) {
    std::string name, description;
    if (!pick_loaded_library(name, description)) return Reply::none();
    LibraryRecord* lib = find_library(sv().libraries, name);
    if (!lib) return error_code() = 5003, Reply::none();
    bool scaling = yesno_dialog("Do you want to include", "scaling options in the", "LT library menu") == ANSWER_YES;
    std::string dir = library_dir(lib->name, lib->location);
    std::string menu_path = dir + lib->name + ".MNU", sheet_path = dir + lib->name + ".LST";
    ads_printf("\nCreating LT Menu file and data sheet for library : %s", lib->name.c_str());
    ads_printf("\nBuilding slide library...");
    build_slide_library(lib);
    ads_printf("\nWriting menu file and data sheet ...");
    ads_printf("\n   %s\n   %s", menu_path.c_str(), sheet_path.c_str());
    LtMenu lt = lt_menu(*lib, scaling);
    if (!write_whole_file(menu_path, lt.menu)) return error_code() = 5151, Reply::none();
    if (!write_whole_file(sheet_path, lt.sheet)) return error_code() = 5152, Reply::none();
    ads_printf("\nUpdating support files...");
    copy_up_menu_files(lib->name, lib->location);
    ads_printf("\nComplete...");
    return Reply::none();
}

}  // namespace symvault
