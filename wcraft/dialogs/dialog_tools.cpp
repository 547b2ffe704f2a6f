// Helpers shared by the configuration dialogs.
#include "dialogs/dialog_tools.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "dialogs/messages.h"
#include "host/validators.h"

namespace wcraft {

int& from_config() {
    static int flag = 0;
    return flag;
}

int run_from_config(int (*dialog)()) {
    from_config() = 1;
    return dialog();
}

std::string int_text(int v) { return std::to_string(v); }

std::string real_text(double v) {
    char buf[64];
    snprintf(buf, sizeof buf, "%.6f", v);
    std::string s = buf;
    size_t dot = s.find('.');
    if (dot == std::string::npos) return s;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

void set_tile_int(ads_hdlg h, const char* key, int v) { ads_set_tile(h, key, int_text(v).c_str()); }
void set_tile_real(ads_hdlg h, const char* key, double v) { ads_set_tile(h, key, real_text(v).c_str()); }

std::string tile_text(ads_hdlg h, const char* key, size_t capacity) {
    char buf[TILE_STR_LIMIT + 1] = {};
    if (ads_get_tile(h, key, buf, sizeof buf) != RTNORM) buf[0] = '\0';
    std::string s = buf;
    if (s.size() > capacity) s.resize(capacity);
    return s;
}

bool tile_on(ads_hdlg h, const char* key) { return tile_text(h, key, 1) == "1"; }

void refuse(ads_hdlg h, const char* key, const char* text) {
    set_error(h, text);
    ads_mode_tile(h, key, MODE_SETFOCUS);
}

bool read_colour(ads_hdlg h, const char* key, size_t capacity, int& out) {
    std::string t = tile_text(h, key, capacity);
    if (!is_valid_int(t.c_str())) {
        refuse(h, key, dlgmsg::kBadColour);
        return false;
    }
    int v = atoi(t.c_str());
    if (v < 1 || v > 255) {
        refuse(h, key, dlgmsg::kColourRange);
        return false;
    }
    out = v;
    return true;
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (toupper(static_cast<unsigned char>(a[i])) != toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::string upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return u;
}

void show_list(ads_hdlg h, const char* key, const std::vector<std::string>& rows, int selected) {
    ads_start_list(h, key, LIST_NEW, 0);
    for (const std::string& r : rows) ads_add_list(r.c_str());
    ads_end_list();
    if (selected >= 0 && selected < static_cast<int>(rows.size()))
        ads_set_tile(h, key, int_text(selected).c_str());
}

int picked_row(const ads_callback_packet* p, int rows) {
    std::string v = packet_text(p, 16);
    if (v.empty() || !is_valid_int(v.c_str())) return -1;
    int i = atoi(v.c_str());
    return i < rows ? i : -1;
}

void send_layer_colours(const std::vector<LayerColour>& layers) {
    ads_command(RTSTR, "'LAYER", 0);
    for (const LayerColour& l : layers) {
        struct resbuf* found = ads_tblsearch("LAYER", l.layer.c_str(), 0);
        if (!found) continue;
        ads_relrb(found);
        ads_command(RTSTR, "_CO", RTSTR, int_text(l.colnum).c_str(), RTSTR, l.layer.c_str(), 0);
    }
    ads_command(RTSTR, "", 0);
}

int run_dialog(OpenDialog& d) {
    int status = DLGCANCEL;
    if (ads_start_dialog(d.hdlg, &status) != RTNORM) status = DLGCANCEL;
    return status;
}

}  // namespace wcraft
