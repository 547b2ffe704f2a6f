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
bool none_if_empty(ReportWriter& log, const std::vector<T>& list) {
    if (!list.empty()) return false;
    log.put(kNone);
    return true;
}

void write_wires(ReportWriter& log, const ProjectConfig& c, const Store& s) {
    log.put(kAuditWires);
    int types = wire_count(c);
    if (types == 0) log.put(kNone);
    for (int t = 0; t < types; ++t) {
        log.printf(kAuditWireName, c.wire_defs[t].w_name.c_str());
        none_if_empty(log, s.wires[t]);
        for (const WireSegment& w : s.wires[t])
            log.printf(kAuditSegment, w.sheet, w.start.x, w.start.y, w.end.x, w.end.y, w.wire_number, w.group,
                    w.link, w.user_link, w.state);
        log.put(kAuditNodes);
        none_if_empty(log, s.nodes[t]);
        for (const NodePoint& n : s.nodes[t]) log.printf(kAuditNode, n.sheet, n.point.x, n.point.y);
    }
}

void write_links(ReportWriter& log, const char* heading, const std::vector<WireLink>& links) {
    log.put(heading);
    none_if_empty(log, links);
    for (const WireLink& l : links) log.printf(kAuditLink, l.sheet, l.point.x, l.point.y, l.link, l.handle.c_str());
}

void write_marks(ReportWriter& log, const Store& s) {
    log.put(kAuditMarks);
    none_if_empty(log, s.relay_marks);
    for (const RelayMark& m : s.relay_marks)
        log.printf(kAuditMark, m.sheet, m.point.x, m.point.y, m.height, m.rotation, m.iref.c_str());
}

// An orientation value outside the three known ones is shown as undefined.
const char* orientation_name(int32_t orientation) {
    if (orientation < GRID_UNDEFINED || orientation > GRID_VERTICAL) orientation = GRID_UNDEFINED;
    return kOrientationNames[orientation];
}

void write_grid(ReportWriter& log, const Store& s) {
    log.put(kAuditGrid);
    log.put(kAuditOrientation);
    log.put(orientation_name(s.grid_orientation));
    none_if_empty(log, s.grid);
    for (const GridRef& g : s.grid) log.printf(kAuditGridRef, g.point.x, g.point.y, g.text.c_str());
}

void write_zones(ReportWriter& log, const ProjectConfig& c, const Store& s) {
    log.put(kAuditZones);
    int zones = zone_count(c);
    if (zones == 0) log.put(kNone);
    for (int z = 0; z < zones; ++z) {
        log.printf(kAuditZoneName, z, c.zone_defs[z].z_name.c_str());
        none_if_empty(log, s.zones[z]);
        for (const ZoneBox& b : s.zones[z])
            log.printf(kAuditZoneBox, b.sheet, b.bottom_left.x, b.bottom_left.y, b.top_right.x, b.top_right.y);
    }
}

enum class Xdata { Hidden, Shown };

void write_block(ReportWriter& log, const Component& b, Xdata xdata) {
    log.printf(kAuditBlock, b.sheet, b.point.x, b.point.y, b.handle.c_str(), b.grid.c_str(), b.ref.c_str(),
            b.cv.c_str());
    log.printf(kAuditBlockValues, b.bom.c_str(), b.bomatt.c_str(), b.tag.c_str(), b.cid.c_str(), b.user.c_str(),
            b.zone);
    log.put(kAuditIds);
    none_if_empty(log, b.ids);
    for (const IdPoint& id : b.ids)
        log.printf(kAuditId, id.id.c_str(), id.point.x, id.point.y, id.has_connection, id.is_connected);
    if (xdata == Xdata::Hidden) return;
    log.put(kAuditXdataHeading);
    none_if_empty(log, b.xdata);
    for (const XdataNode& x : b.xdata) log.printf(kAuditXdata, x.name.c_str(), x.type);
}

void write_blocks(ReportWriter& log, const Store& s) {
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
        log.put(l.heading);
        none_if_empty(log, *l.list);
        for (const Component& b : *l.list) write_block(log, b, l.xdata);
    }
}

}  // namespace

int write_audit(FILE* file) {
    if (!file) return 1;
    ReportWriter log(file);
    const ProjectConfig& c = config();
    const Store& s = store();
    log.put(kAuditTitle);
    log.put(kAuditRule);
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
