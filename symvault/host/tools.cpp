// Files, paths, the batch flag and a yes/no question for the AutoLISP
// support code; the about box.
#include "host/tools.h"

#include "host/dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "menus/menus.h"

namespace symvault {

namespace {

bool is_string(const struct resbuf* rb) { return rb && rb->restype == RTSTR && rb->resval.rstring; }

void close_search() {
    ModuleState& s = sv();
    if (s.search_open) rt_findclose(s.search_handle);
    s.search_open = false;
    s.search_handle = -1;
}

void on_tools_button(ads_callback_packet* p, int status) { ads_done_dialog(p->dialog, status); }

}  // namespace

Reply sv_tools_getfilename(const struct resbuf* args) {
    const char* fn = "sv_tools_getfilename";
    if (!args) return ads_printf(msg::kBadCall, fn), Reply::nil();
    if (!is_string(args)) return ads_printf(msg::kBadArgument, fn), Reply::nil();
    ModuleState& s = sv();
    struct rt_finddata_t found;
    if (args->rbnext) {
        close_search();
        long h = rt_findfirst(args->resval.rstring, &found);
        if (h == -1) return Reply::nil();
        s.search_open = true;
        s.search_handle = h;
        return Reply::string(found.name);
    }
    if (!s.search_open) return Reply::nil();
    if (rt_findnext(s.search_handle, &found) != 0) {
        close_search();
        return Reply::nil();
    }
    return Reply::string(found.name);
}

std::vector<Pair> split_path_pairs(const std::string& drive, const std::string& dir, const std::string& fname,
                                   const std::string& ext) {
    std::vector<Pair> out;
    out.push_back(Pair{1, drive});
    out.push_back(Pair{2, dir});
    out.push_back(Pair{3, fname});
    out.push_back(Pair{4, ext});
    return out;
}

Reply sv_tools_splitpath(const struct resbuf* args) {
    const char* fn = "sv_tools_splitpath";
    if (!args) return ads_printf(msg::kBadCall, fn), Reply::nil();
    if (!is_string(args)) return ads_printf(msg::kBadArgument, fn), Reply::nil();
    char drive[RT_MAX_DRIVE] = {}, dir[RT_MAX_DIR] = {}, fname[RT_MAX_FNAME] = {}, ext[RT_MAX_EXT] = {};
    rt_splitpath(args->resval.rstring, drive, dir, fname, ext);
    return Reply::list(split_path_pairs(drive, dir, fname, ext));
}

Reply sv_tools_getbatch_flag(const struct resbuf*) { return Reply::integer(sv().batch_flag); }

Reply sv_tools_setbatch_flag(const struct resbuf* args) {
    const char* fn = "sv_tools_setbatch_flag";
    if (!args) return ads_printf(msg::kBadCall, fn), Reply::nil();
    if (args->restype != RTSHORT) return ads_printf(msg::kBadArgument, fn), Reply::nil();
    sv().batch_flag = args->resval.rint;
    return Reply::integer(sv().batch_flag);
}

Reply sv_tools_yesno_dlg(const struct resbuf* args) {
    const char* line1 = is_string(args) ? args->resval.rstring : "";
    const struct resbuf* second = args ? args->rbnext : nullptr;
    const char* line2 = is_string(second) ? second->resval.rstring : "";
    OpenDialog d;
    // This file is found on the host's search path, not in the support directory.
    if (!open_dialog("sv_tools.dcl", "sv_tools_yesno_dlg", d)) return Reply::integer(-1);
    ads_set_tile(d.hdlg, "msg1", line1);
    ads_set_tile(d.hdlg, "msg2", line2);
    // "no" ends with a status of its own, so that a dialog the host closes
    // (status 0) counts as cancelled rather than as no.
    ads_action_tile(d.hdlg, "yes", [](ads_callback_packet* p) { on_tools_button(p, 1); });
    ads_action_tile(d.hdlg, "no", [](ads_callback_packet* p) { on_tools_button(p, 2); });
    ads_action_tile(d.hdlg, "cancel", [](ads_callback_packet* p) { on_tools_button(p, 3); });
    int status = run_dialog(d);
    close_dialog(d);
    return Reply::integer(status == 1 ? 1 : status == 2 ? 0 : 9);
}

Reply sv_about(const struct resbuf*) {
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlgh.dcl"), "sv_about", d)) return Reply::none();
    short w = 0, h = 0;
    ads_dimensions_tile(d.hdlg, "sv_info", &w, &h);
    if (ads_start_image(d.hdlg, "sv_info") == RTNORM) {
        ads_fill_image(0, 0, w, h, 0);
        ads_slide_image(0, 0, w, h, support_path("SV_INFO.SLD").c_str());
        ads_end_image();
    }
    ads_set_tile(d.hdlg, "sv_version", settings().version_line.c_str());
    ads_set_tile(d.hdlg, "sv_platform", settings().platform.c_str());
    run_dialog(d);
    close_dialog(d);
    return Reply::none();
}

void rebuild_toolbar() {
    if (!settings().windows || settings().host_version == 12) return;
    ads_printf("%s", msg::kUpdatingToolbar);
    write_toolbar_menu();
}

Reply sv_toolbar2(const struct resbuf* args) {
    // T: the product's menu group is loaded now; anything else: it is not.
    if (args) sv().menu_loaded = args->restype == RTT ? 1 : 0;
    rebuild_toolbar();
    return Reply::integer(1);
}

}  // namespace symvault
