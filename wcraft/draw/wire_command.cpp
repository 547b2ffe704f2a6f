// The wire command. A wire is a plain LINE on its wire type's layer, which
// is how the post-processor recognises it, so the command makes that layer
// current before drawing and refuses diagonal segments.
#include "draw/wire_command.h"

#include <string>

#include "draw/draw_support.h"
#include "draw/messages.h"
#include "dialogs/wire_dialog.h"
#include "dialogs/zone_dialog.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

void print_wire_type(const WireDefn& w) {
    ads_printf(dmsg::kWireLine, w.w_name.c_str(), w.colour.c_str(), w.size.c_str(), w.signal.c_str());
}

void make_wire_layer(const WireDefn& w) {
    std::string colour = std::to_string(w.colnum);
    ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, w.l_name.c_str(), RTSTR, "_CO", RTSTR, colour.c_str(), RTSTR, "",
                RTSTR, "", 0);
}

// A segment is diagonal when both its coordinates change; the comparison is
// exact, as the post-processor's is.
bool diagonal(const ads_point a, const ads_point b) { return a[X] != b[X] && a[Y] != b[Y]; }

// Chained segments from `start` until Enter or Escape, which end the whole
// command.
void draw_segments(ads_point start) {
    ads_point end;
    while (ads_getpoint(start, dmsg::kWireEnd, end) == RTNORM) {
        if (diagonal(start, end)) {
            ads_printf("%s", dmsg::kDiagonal);
            continue;
        }
        ads_command(RTSTR, "_.LINE", RT3DPOINT, start, RT3DPOINT, end, RTSTR, "", 0);
        ads_point_set(end, start);
    }
}

void make_default(int index) {
    for (WireDefn& w : config().wire_defs) w.is_default = 0;
    config().wire_defs[index].is_default = 1;
}

}  // namespace

int current_wire_type() {
    // Only the types of the list count: a slot past the list end is no wire
    // type, whatever its flag says.
    for (int i = 0, n = wire_count(config()); i < n; ++i)
        if (config().wire_defs[i].is_default == 1) return i;
    config().wire_defs[0].is_default = 1;
    return 0;
}

int wire_command() {
    echo_off();
    int current = current_wire_type();
    SavedVar clayer("CLAYER"), ortho("ORTHOMODE");
    set_short_var("ORTHOMODE", 1);
    for (;;) {
        const WireDefn& w = config().wire_defs[current];
        print_wire_type(w);
        ads_point start;
        int r = ads_getpoint(nullptr, dmsg::kWireStart, start);
        if (r == RTNORM) {
            make_wire_layer(w);
            draw_segments(start);
            break;
        }
        if (r != RTNONE) break;
        int chosen = wire_select_dialog();
        if (chosen >= 0 && chosen < kMaxWires) {
            make_default(chosen);
            current = chosen;
        }
    }
    clayer.restore();
    ortho.restore();
    return 1;
}

}  // namespace wcraft
