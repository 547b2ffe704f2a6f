// Library distribution and installation.
#include "library/distribution.h"

#include <cstdlib>

#include "host/dialogs.h"
#include "host/module_state.h"
#include "host/text.h"
#include "host/tools.h"
#include "editor/edit_rules.h"
#include "library/file_ops.h"
#include "library/paths.h"
#include "library/registry.h"
#include "menus/menu_text.h"
#include "menus/menus.h"

namespace symvault {

namespace {

int g_destination = 0;  // the destination dialog's radio choice: 1 A, 2 B, 3 export

bool probe_drive(int drive) {
    int previous = rt_getdrive();
    bool ok = rt_chdrive(drive) == 0;
    rt_chdrive(previous);
    return ok;
}

void refresh_drives(ads_hdlg h) {
    for (const char* key : {"A", "B", "E"}) ads_set_tile(h, key, "0");
    ads_mode_tile(h, "A", MODE_DISABLE);
    ads_mode_tile(h, "B", MODE_DISABLE);
    ads_mode_tile(h, "E", MODE_ENABLE);
    g_destination = 3;
    ads_set_tile(h, "E", "1");
    if (probe_drive(1)) {
        ads_mode_tile(h, "A", MODE_ENABLE);
        ads_set_tile(h, "A", "1");
        g_destination = 1;
    }
    if (probe_drive(2)) ads_mode_tile(h, "B", MODE_ENABLE);
}

void on_dest_accept(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    int choice = tile_text(h, "A") == "1" ? 1 : tile_text(h, "B") == "1" ? 2 : tile_text(h, "E") == "1" ? 3 : 0;
    ads_done_dialog(h, choice ? choice : 3);
}

// 0 cancelled, else 1, 2 or 3.
int choose_destination() {
    HelpContext help(4);
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlg7.dcl"), "sv_fdrive_defn", d)) return 0;
    refresh_drives(d.hdlg);
    ads_action_tile(d.hdlg, "refresh", [](ads_callback_packet* p) { refresh_drives(p->dialog); });
    ads_action_tile(d.hdlg, "accept", on_dest_accept);
    ads_action_tile(d.hdlg, "help", [](ads_callback_packet*) { show_help(); });
    int status = run_dialog(d);
    close_dialog(d);
    return status >= 1 && status <= 3 ? status : 0;
}

bool user_break() { return ads_usrbrk() != 0; }

// Copies the files of `from` (a directory ending in "\") that `keep`
// accepts into `to`, with the spinner; 0 or the error code.
template <typename Keep>
int copy_directory(const std::string& from, const std::string& to, Keep keep, int fail_code) {
    ads_printf("-");
    int err = 0;
    bool turn = false;
    for (const std::string& f : list_files(from + "*.*")) {
        ads_printf(turn ? "\b-" : "\b|");
        turn = !turn;
        if (!keep(f)) continue;
        CopyResult r = copy_binary(from + f, to + f, user_break);
        if (r == COPY_BROKEN) err = 5120;
        else if (r != COPY_OK) err = fail_code;
        if (err) break;
    }
    ads_printf(err ? " .Error!\n" : " .done!\n");
    return err;
}

std::string bitmap_folder(int location) {
    return location == 1 && settings().net_option ? settings().net_dir : support_path("");
}

int distribute(const LibraryRecord& lib, const std::string& dest) {
    std::string set_dir = dest + "\\" + lib.name;
    MakeDir made = make_dir(set_dir);
    if (made == DIR_EXISTS && yesno_dialog("Directory exists", set_dir, "Proceed?") != ANSWER_YES) {
        ads_printf("Library distribute, aborted...\n");
        return 0;
    }
    if (made == DIR_FAILED) return alert_dialog("Can't create directory", set_dir), error_code() = 5061;
    ads_printf("Saving library file %s to %s", lib.name.c_str(), dest.c_str());
    int locked = lib.slides == 0;
    int err = copy_directory(library_dir(lib.name, lib.location), set_dir + "\\",
                             [&](const std::string& f) { return distributed_file(f, locked); }, 5063);
    if (!err && copy_binary(library_path(lib.name, lib.location, "SVF"), dest + "\\" + lib.name + ".SVF") != COPY_OK)
        err = 5064;
    if (!err)
        for (char size : {'S', 'L'}) {
            std::string bmp = bitmap_name(lib.name, size);
            copy_binary(bitmap_folder(lib.location) + bmp, dest + "\\" + bmp);
        }
    return error_code() = err;
}

}  // namespace

bool distributed_file(const std::string& name, int locked) {
    std::string u = upper(name);
    if (u.find(".BAK") != std::string::npos) return false;
    return !(locked && u.find(".SLD") != std::string::npos);
}

Reply sv_savelib(const struct resbuf*) {
    std::string name, description;
    if (!pick_loaded_library(name, description)) return Reply::none();
    LibraryRecord* lib = find_library(sv().libraries, name);
    if (!lib) return error_code() = 5003, Reply::none();
    int where = choose_destination();
    if (!where) return Reply::none();
    std::string dest = where == 1 ? "A:" : where == 2 ? "B:" : support_path("EXPORT");
    if (where == 3 && make_dir(dest) == DIR_FAILED) return alert_dialog("Can't create directory", dest), error_code() = 5061, Reply::none();
    if (yesno_dialog("Create distribution library to", (where == 3 ? "Dir " : "Drive ") + dest, "Proceed?") !=
        ANSWER_YES)
        return error_code() = 5062, Reply::none();
    distribute(*lib, dest);
    return Reply::none();
}

Reply sv_loadlib(const struct resbuf*) {
    struct resbuf rb = {};
    if (ads_getfiled("Select library to load", "", "SVF", 0, &rb) != RTNORM || rb.restype != RTSTR ||
        !rb.resval.rstring)
        return Reply::none();
    std::string chosen = rb.resval.rstring;
    free(rb.resval.rstring);
    if (upper(chosen).find(".SVF") == std::string::npos) return Reply::none();
    char drive[RT_MAX_DRIVE] = {}, dir[RT_MAX_DIR] = {}, fname[RT_MAX_FNAME] = {}, ext[RT_MAX_EXT] = {};
    rt_splitpath(chosen.c_str(), drive, dir, fname, ext);
    std::string name = upper(fname);
    if (!safe_file_part(name)) return alert_dialog("Invalid library name!", name), Reply::none();
    int location = 0;
    if (settings().net_option &&
        yesno_dialog("Do you want to load the library", "to be shared on the network", settings().net_dir) ==
            ANSWER_YES)
        location = 1;
    std::string own = library_dir(name, location);
    MakeDir made = make_dir(own);
    if (made == DIR_EXISTS && yesno_dialog("Directory exists", own, "Proceed?") != ANSWER_YES) {
        ads_printf("Library load, aborted...\n");
        return Reply::none();
    }
    if (made == DIR_FAILED) return alert_dialog("Could not create directory", own), error_code() = 5061, Reply::none();
    std::string from = std::string(drive) + dir;
    ads_printf("Loading library file %s from %s%s", name.c_str(), drive, dir);
    std::string set_dir = from + fname + "\\";
    if (list_files(set_dir + "*.*").empty())
        return alert_dialog("No library files found", "for selected library"), Reply::none();
    int err = copy_directory(set_dir, own, [](const std::string& f) { return upper(f).find(".BAK") == std::string::npos; },
                             5065);
    if (!err && copy_binary(chosen, library_path(name, location, "SVF")) != COPY_OK) err = 5066;
    if (!err) {
        for (char size : {'S', 'L'}) {
            std::string bmp = bitmap_name(name, size);
            copy_binary(from + bmp, bitmap_folder(location) + bmp);
        }
        copy_up_menu_files(name, location);
    }
    if (err) return error_code() = err, Reply::none();
    rebuild_toolbar();
    return Reply::none();
}

}  // namespace symvault
