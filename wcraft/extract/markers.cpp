// Reading relay contact display markers and zone boundaries of the open
// drawing into the store.
#include <algorithm>

#include "extract/entity_access.h"
#include "extract/extract.h"
#include "extract/extract_support.h"
#include "extract/messages.h"
#include "extract/selection_loop.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

constexpr int kIrefChars = 14;
constexpr int kBoxCorners = 4;

void read_relay_mark(FILE* log, const ads_name ent) {
    AttributeFound att;
    FixedText<kIrefChars> value;
    if (!attribute_lookup(xmsg::kMarkTag, att, value.ref(), ent)) {
        log_printf(log, xmsg::kMarkMissing, xmsg::kMarkTag, xmsg::kMarkBlock, wcr().sheet_no);
        return;
    }
    RelayMark m;
    m.sheet = wcr().sheet_no;
    m.point = {att.x, att.y};
    m.height = att.height;
    m.rotation = att.rotation;
    bounded_copy(m.iref, value.view(), kIrefChars + 1);
    append_record(store().relay_marks, m, xmsg::kFnRelayMarks);
}

const char* entity_type(const resbuf* ed) {
    for (const resbuf* rb = ed; rb; rb = rb->rbnext)
        if (rb->restype == 0 && rb->resval.rstring) return rb->resval.rstring;
    return "";
}

// The four vertices following a closed POLYLINE (group 70 exactly 1).
bool polyline_corners(const ads_name ent, const resbuf* ed, XY* corners) {
    const resbuf* flags = nullptr;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext)
        if (rb->restype == 70) flags = rb;
    if (!flags || flags->resval.rint != 1) return false;
    ads_name v = {ent[0], ent[1]};
    for (int i = 0; i < kBoxCorners; ++i) {
        if (ads_entnext(v, v) != RTNORM) return false;
        resbuf* vd = ads_entget(v);
        if (!vd) return false;
        bool vertex = std::string_view(entity_type(vd)) == "VERTEX" && first_point(vd, 10, corners[i]);
        ads_relrb(vd);
        if (!vertex) return false;
    }
    return true;
}

// The first four group 10 points of an LWPOLYLINE, open or closed.
bool lwpolyline_corners(const resbuf* ed, XY* corners) {
    int n = 0;
    for (const resbuf* rb = ed; rb && n < kBoxCorners; rb = rb->rbnext)
        if (rb->restype == 10) corners[n++] = {rb->resval.rpoint[X], rb->resval.rpoint[Y]};
    return n == kBoxCorners;
}


void extract_zone(FILE* log, int zone) {
    const ZoneDefn& def = config().zone_defs[zone];
    resbuf* filter = ads_buildlist(-4, "<AND", -4, "<OR", RTDXF0, "POLYLINE", RTDXF0, "LWPOLYLINE", -4, "OR>", 8,
                                   def.l_name.c_str(), -4, "AND>", 0);
    if (!filter) {
        error_code() = ERR_ZONE_FILTER;
        return;
    }
    ads_name ss;
    if (!select_all(filter, ss)) {
        log_printf(log, xmsg::kZoneNone, def.z_name.c_str(), def.l_name.c_str());
        ads_relrb(filter);
        return;
    }
    drain_selection(ss, ERR_ZONE_SSNAME, ERR_ZONE_SSLENGTH, [&](const ads_name ent) {
        ZoneBox box;
        box.sheet = wcr().sheet_no;
        if (boundary_box(ent, box)) append_record(store().zones[zone], box, xmsg::kFnZones);
        else log_printf(log, xmsg::kZoneInvalid, wcr().sheet_no, def.z_name.c_str());
        return LoopStep::Next;
    });
    ads_ssfree(ss);
    ads_relrb(filter);
}

}  // namespace

// The box spanned by a boundary's first four vertices; false when the
// entity is no valid boundary.
bool boundary_box(const ads_name ent, ZoneBox& box) {
    resbuf* ed = ads_entget(ent);
    if (!ed) return false;
    XY c[kBoxCorners];
    std::string_view type = entity_type(ed);
    bool ok = type == "POLYLINE" ? polyline_corners(ent, ed, c) : type == "LWPOLYLINE" && lwpolyline_corners(ed, c);
    ads_relrb(ed);
    if (!ok) return false;
    box.bottom_left = box.top_right = c[0];
    for (const XY& p : c) {
        box.bottom_left = {std::min(box.bottom_left.x, p.x), std::min(box.bottom_left.y, p.y)};
        box.top_right = {std::max(box.top_right.x, p.x), std::max(box.top_right.y, p.y)};
    }
    return true;
}

int extract_relay_marks(FILE* log) {
    log_printf(log, "%s", xmsg::kMarksStart);
    resbuf* filter = ads_buildlist(RTDXF0, "INSERT", 2, xmsg::kMarkBlock, 8, xmsg::kMarkLayer, 66, 1, 0);
    if (!filter) {
        error_code() = ERR_MARK_FILTER;
        return 1;
    }
    ads_name ss;
    if (!select_all(filter, ss)) {
        log_printf(log, "%s", xmsg::kMarksNone);
        ads_relrb(filter);
        return 1;
    }
    drain_selection(ss, ERR_COMP_SSNAME, ERR_MARK_SSLENGTH, [&](const ads_name ent) {
        read_relay_mark(log, ent);
        return LoopStep::Next;
    });
    ads_ssfree(ss);
    ads_relrb(filter);
    return 1;
}

int extract_zones(FILE* log) {
    log_printf(log, "%s", xmsg::kZonesStart);
    for (int zone = 0; zone < kMaxZones; ++zone) {
        if (is_list_end(config().zone_defs[zone].z_name.view())) break;
        extract_zone(log, zone);
    }
    return 1;
}

}  // namespace wcraft
