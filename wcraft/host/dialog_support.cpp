// Dialog helpers over the host's dialog calls.
#include "host/dialog_support.h"

#include <cstdio>

#include "host/messages.h"
#include "host/module_state.h"

namespace wcraft {

bool open_dialog(const char* dcl_file, const char* dialog, OpenDialog& out) {
    std::string path = std::string(wcr().install_dir.c_str()) + dcl_file;
    out = OpenDialog{};
    bool loaded = ads_load_dialog(path.c_str(), &out.dcl_id) == RTNORM && out.dcl_id >= 0;
    if (loaded && ads_new_dialog(dialog, out.dcl_id, NULLCB, &out.hdlg) == RTNORM && out.hdlg) return true;
    if (loaded) ads_unload_dialog(out.dcl_id);
    out = OpenDialog{};
    char text[300];
    snprintf(text, sizeof text, msg::kDialogFailed, dialog);
    ads_fail(text);
    return false;
}

void close_dialog(OpenDialog& d) {
    if (d.dcl_id >= 0) ads_unload_dialog(d.dcl_id);
    d = OpenDialog{};
}

void get_tile_text(ads_hdlg h, const char* key, TextRef into) {
    char buf[TILE_STR_LIMIT + 1] = {};
    if (ads_get_tile(h, key, buf, sizeof buf) != RTNORM) buf[0] = '\0';
    into.set(buf);
}

std::string packet_text(const ads_callback_packet* p, size_t capacity) {
    std::string s = p && p->value ? p->value : "";
    if (s.size() > capacity) s.resize(capacity);
    return s;
}

void set_error(ads_hdlg h, const char* text) { ads_set_tile(h, "errormsg", text); }
void clear_error(ads_hdlg h) { ads_set_tile(h, "errormsg", ""); }

}  // namespace wcraft
