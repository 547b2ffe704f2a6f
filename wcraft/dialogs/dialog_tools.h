// What the configuration dialogs share beyond the host's dialog helpers:
// the from-configuration flag, tile formatting of numbers, colour checks,
// name comparison and bringing layer colours in line with the project.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/dialog_support.h"

namespace wcraft {

// 1 while the dialogs run on behalf of the CONFIG sub-menu; the wire and
// zone selection dialogs clear it, since they are also opened from drawing
// commands, where neither a nested pick nor a layer command may start.
int& from_config();
// Runs a configuration dialog for the CONFIG sub-menu: sets the flag first.
int run_from_config(int (*dialog)());

// Tile texts of numbers: decimal integers; reals without trailing zeros
// and never in exponent form, so that they pass the real check again.
std::string int_text(int v);
std::string real_text(double v);
void set_tile_int(ads_hdlg h, const char* key, int v);
void set_tile_real(ads_hdlg h, const char* key, double v);
bool tile_on(ads_hdlg h, const char* key);  // a toggle that reads "1"
std::string tile_text(ads_hdlg h, const char* key, size_t capacity);

// Shows `text` in the message tile and gives the edit box `key` the focus.
void refuse(ads_hdlg h, const char* key, const char* text);

// A layer colour typed into `key`: digits only, then 1 to 255. On failure
// the message is shown, the tile gets the focus and false comes back.
bool read_colour(ads_hdlg h, const char* key, size_t capacity, int& out);

bool same_ignoring_case(std::string_view a, std::string_view b);
std::string upper(std::string_view s);

// Fills a list tile; `selected` (when 0 or more) is shown as picked.
void show_list(ads_hdlg h, const char* key, const std::vector<std::string>& rows, int selected);
// A list callback's row, or -1 when it names no row below `rows`.
int picked_row(const ads_callback_packet* p, int rows);

// A layer and the colour the project gives it.
struct LayerColour {
    std::string layer;
    int colnum;
};
// Starts the transparent layer command and sets the colour of each layer
// that exists in the drawing; an empty answer ends the command.
void send_layer_colours(const std::vector<LayerColour>& layers);

// Runs an open dialog; any failure to run counts as a cancel.
int run_dialog(OpenDialog& d);

}  // namespace wcraft
