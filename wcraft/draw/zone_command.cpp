// The zone command: the user chooses a zone, then draws as many outlines of
// it as wanted. The post-processor takes a zone's box from the first four
// vertices of a polyline on the zone's layer, so every outline is drawn as
// exactly four corners, closed.
#include "draw/zone_command.h"

#include <string>

#include "draw/draw_support.h"
#include "draw/messages.h"
#include "dialogs/wire_dialog.h"
#include "dialogs/zone_dialog.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

void load_zone_linetype() {
    resbuf* found = ads_tblsearch("LTYPE", dmsg::kZoneLinetype, 0);
    if (found) {
        ads_relrb(found);
        return;
    }
    std::string file = install_path(dmsg::kZoneLinetypeFile);
    ads_command(RTSTR, "_.LINETYPE", RTSTR, "_L", RTSTR, dmsg::kZoneLinetype, RTSTR, file.c_str(), RTSTR, "", 0);
}

void make_zone_layer(const ZoneDefn& z) {
    std::string colour = std::to_string(z.colnum);
    ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, z.l_name.c_str(), RTSTR, "_CO", RTSTR, colour.c_str(), RTSTR, "",
                RTSTR, "L", RTSTR, dmsg::kZoneLinetype, RTSTR, "", RTSTR, "", 0);
}

void draw_outline(const ads_point c1, const ads_point c2) {
    ads_point p2 = {c1[X], c2[Y], c1[Z]};
    ads_point p3 = {c2[X], c2[Y], c1[Z]};
    ads_point p4 = {c2[X], c1[Y], c1[Z]};
    ads_command(RTSTR, "_.PLINE", RT3DPOINT, c1, RT3DPOINT, p2, RT3DPOINT, p3, RT3DPOINT, p4, RTSTR, "_C", 0);
}

// One outline of the zone; false when the user ends the command.
bool zone_outline(const ZoneDefn& z) {
    ads_printf(dmsg::kZoneName, z.z_name.c_str());
    load_zone_linetype();
    make_zone_layer(z);
    ads_point c1, c2;
    if (ads_getpoint(nullptr, dmsg::kZoneCorner1, c1) != RTNORM) return false;
    if (ads_getcorner(c1, dmsg::kZoneCorner2, c2) != RTNORM) return false;
    if (c1[X] == c2[X] || c1[Y] == c2[Y]) ads_printf("%s", dmsg::kZoneInvalid);
    else draw_outline(c1, c2);
    return true;
}

}  // namespace

int zone_command() {
    echo_off();
    SavedVar clayer("CLAYER");
    int chosen = zone_select_dialog();
    if (chosen >= 0 && chosen < kMaxZones) {
        const ZoneDefn& z = config().zone_defs[chosen];
        while (zone_outline(z)) {
        }
    }
    clayer.restore();
    return 1;
}

}  // namespace wcraft
