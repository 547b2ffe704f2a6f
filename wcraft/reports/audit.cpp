// The audit: every record of the store with its working fields, appended to
// the run-time event log after its end line, so that a user can see why a
// wire, link or block was numbered or listed as it was. An empty list is
// shown as " - none!".
#include <vector>

#include "extract/store.h"
#include "host/module_state.h"
#include "reports/exports.h"
#include "reports/exports_messages.h"
#include "reports/report_format.h"

namespace wcraft {

namespace {

using namespace xmsg;

template <typename T>
bool none_if_empty(FILE* log, const std::vector<T>& list) {
    if (!list.empty()) return false;
    fputs(kNone, log);
    return true;
}

void write_wires(FILE* log, const ProjectConfig& c, const Store& s) {
    fputs(kAuditWires, log);
    int types = wire_count(c);
    if (types == 0) fputs(kNone, log);
    for (int t = 0; t < types; ++t) {
        report_printf(log, kAuditWireName, c.wire_defs[t].w_name.c_str());
        none_if_empty(log, s.wires[t]);
        for (const WireSegment& w : s.wires[t])
            report_printf(log, kAuditSegment, w.sheet, w.start.x, w.start.y, w.end.x, w.end.y, w.wire_number, w.group,
                    w.link, w.user_link, w.state);
        fputs(kAuditNodes, log);
        none_if_empty(log, s.nodes[t]);
        for (const NodePoint& n : s.nodes[t]) report_printf(log, kAuditNode, n.sheet, n.point.x, n.point.y);
    }
}

void write_links(FILE* log, const char* heading, const std::vector<WireLink>& links) {
    fputs(heading, log);
    none_if_empty(log, links);
    for (const WireLink& l : links) report_printf(log, kAuditLink, l.sheet, l.point.x, l.point.y, l.link, l.handle.c_str());
}

void write_marks(FILE* log, const Store& s) {
    fputs(kAuditMarks, log);
    none_if_empty(log, s.relay_marks);
    for (const RelayMark& m : s.relay_marks)
        report_printf(log, kAuditMark, m.sheet, m.point.x, m.point.y, m.height, m.rotation, m.iref.c_str());
}

// An orientation value outside the three known ones is shown as undefined.
const char* orientation_name(int32_t orientation) {
    if (orientation < GRID_UNDEFINED || orientation > GRID_VERTICAL) orientation = GRID_UNDEFINED;
    return kOrientationNames[orientation];
}

void write_grid(FILE* log, const Store& s) {
    fputs(kAuditGrid, log);
    fputs(kAuditOrientation, log);
    fputs(orientation_name(s.grid_orientation), log);
    none_if_empty(log, s.grid);
    for (const GridRef& g : s.grid) report_printf(log, kAuditGridRef, g.point.x, g.point.y, g.text.c_str());
}

void write_zones(FILE* log, const ProjectConfig& c, const Store& s) {
    fputs(kAuditZones, log);
    int zones = zone_count(c);
    if (zones == 0) fputs(kNone, log);
    for (int z = 0; z < zones; ++z) {
        report_printf(log, kAuditZoneName, z, c.zone_defs[z].z_name.c_str());
        none_if_empty(log, s.zones[z]);
        for (const ZoneBox& b : s.zones[z])
            report_printf(log, kAuditZoneBox, b.sheet, b.bottom_left.x, b.bottom_left.y, b.top_right.x, b.top_right.y);
    }
}

enum class Xdata { Hidden, Shown };

void write_block(FILE* log, const Component& b, Xdata xdata) {
    report_printf(log, kAuditBlock, b.sheet, b.point.x, b.point.y, b.handle.c_str(), b.grid.c_str(), b.ref.c_str(),
            b.cv.c_str());
    report_printf(log, kAuditBlockValues, b.bom.c_str(), b.bomatt.c_str(), b.tag.c_str(), b.cid.c_str(), b.user.c_str(),
            b.zone);
    fputs(kAuditIds, log);
    none_if_empty(log, b.ids);
    for (const IdPoint& id : b.ids)
        report_printf(log, kAuditId, id.id.c_str(), id.point.x, id.point.y, id.has_connection, id.is_connected);
    if (xdata == Xdata::Hidden) return;
    fputs(kAuditXdataHeading, log);
    none_if_empty(log, b.xdata);
    for (const XdataNode& x : b.xdata) report_printf(log, kAuditXdata, x.name.c_str(), x.type);
}

void write_blocks(FILE* log, const Store& s) {
    struct BlockList {
        const char* heading;
        const std::vector<Component>* list;
        Xdata xdata;  // only coils and contacts carry cross-references
    };
    const BlockList lists[] = {
        {kAuditComponents, &s.components, Xdata::Hidden}, {kAuditTerminals, &s.terminals, Xdata::Hidden},
        {kAuditCoils, &s.coils, Xdata::Shown},            {kAuditContacts, &s.contacts, Xdata::Shown},
        {kAuditUnlisted, &s.unlisted, Xdata::Hidden},
    };
    for (const BlockList& l : lists) {
        fputs(l.heading, log);
        none_if_empty(log, *l.list);
        for (const Component& b : *l.list) write_block(log, b, l.xdata);
    }
}

}  // namespace

int write_audit(FILE* log) {
    if (!log) return 1;
    const ProjectConfig& c = config();
    const Store& s = store();
    fputs(kAuditTitle, log);
    fputs(kAuditRule, log);
    write_wires(log, c, s);
    write_links(log, kAuditLinks, s.links);
    write_links(log, kAuditPhantoms, s.phantoms);
    write_marks(log, s);
    write_grid(log, s);
    write_zones(log, c, s);
    write_blocks(log, s);
    return 1;
}

}  // namespace wcraft
