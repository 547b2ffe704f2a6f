// Small helpers shared by every dialog: opening a dialog from a DCL file in
// the install directory, bounded tile reads and the message tile.
#pragma once

#include <string>

#include "host/host_api.h"
#include "project/fixed_text.h"

namespace wcraft {

// An open dialog and the DCL file it came from.
struct OpenDialog {
    int dcl_id = -1;
    ads_hdlg hdlg = nullptr;
};

// Loads install directory + `dcl_file` and opens `dialog`. On failure the
// host is told "Unable to initialize dialogue box" with the dialog's name,
// anything loaded is unloaded, and false comes back.
bool open_dialog(const char* dcl_file, const char* dialog, OpenDialog& out);
void close_dialog(OpenDialog& d);

// The text of a tile, cut to the field's capacity.
void get_tile_text(ads_hdlg h, const char* key, TextRef into);
// A callback's value, cut to `capacity` characters.
std::string packet_text(const ads_callback_packet* p, size_t capacity);
void set_error(ads_hdlg h, const char* text);
void clear_error(ads_hdlg h);

}  // namespace wcraft
