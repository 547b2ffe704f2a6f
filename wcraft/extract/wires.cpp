// Reading wires (LINEs on the wire types' layers) and wire link blocks of
// the open drawing into the store.
#include <cstdlib>
#include <utility>

#include "extract/entity_access.h"
#include "extract/extract.h"
#include "extract/extract_support.h"
#include "extract/messages.h"
#include "extract/selection_loop.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

constexpr int kLinkLimit = 10000;  // lower numbers are kept for pass-through components
constexpr int kLinkValueChars = 49;

// Reads one LINE; a horizontal or vertical one goes into the batch with its
// start at the upper or left end.
void read_wire(FILE* log, const ads_name ent, std::vector<WireSegment>& batch) {
    resbuf* ed = ads_entget(ent);
    if (!ed) {
        error_code() = ERR_WIRE_ENTGET;
        return;
    }
    XY s, e;
    first_point(ed, 10, s);
    first_point(ed, 11, e);
    ads_relrb(ed);
    if (s.x != e.x && s.y != e.y) {
        log_printf(log, xmsg::kDiagonal, wcr().sheet_text.c_str());
        log_printf(log, xmsg::kDiagonalPoints, s.x, s.y, e.x, e.y);
        return;
    }
    if (s.y < e.y) std::swap(s.y, e.y);
    if (e.x < s.x) std::swap(s.x, e.x);
    WireSegment w;
    w.sheet = wcr().sheet_no;
    w.start = s;
    w.end = e;
    append_record(batch, w, xmsg::kFnWires);
}

void extract_wire_type(FILE* log, int type) {
    const WireDefn& def = config().wire_defs[type];
    resbuf* filter = ads_buildlist(RTDXF0, "LINE", 8, def.l_name.c_str(), 0);
    if (!filter) {
        error_code() = ERR_WIRE_FILTER;
        return;
    }
    ads_name ss;
    if (!select_all(filter, ss)) {
        log_printf(log, xmsg::kWiresNone, def.w_name.c_str(), def.l_name.c_str());
        ads_relrb(filter);
        return;
    }
    std::vector<WireSegment> batch;
    drain_selection(ss, ERR_WIRE_SSNAME, ERR_WIRE_SSLENGTH, [&](const ads_name ent) {
        read_wire(log, ent, batch);
        return LoopStep::Next;
    });
    ads_ssfree(ss);
    ads_relrb(filter);
    insert_batch_reporting(store().wires[type], batch, store().wire_marks[type], xmsg::kFnWires);
}

// The leading decimal integer of a LINK value (sign allowed, the rest
// ignored, 0 without digits). Values too long for a number saturate, so
// they are refused as outside the limit rather than wrapping into it.
long link_number(const char* text) { return strtol(text, nullptr, 10); }

// The value of the LINK attribute that must follow the block directly;
// false when the first attribute is no LINK attribute.
bool first_link_value(const ads_name block, FixedText<kLinkValueChars>& value) {
    ads_name att;
    if (ads_entnext(block, att) != RTNORM) return false;
    resbuf* ed = ads_entget(att);
    if (!ed) return false;
    const char* type = nullptr;
    const char* tag = nullptr;
    const char* text = nullptr;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext) {
        if (rb->restype == 0) type = rb->resval.rstring;
        if (rb->restype == 2) tag = rb->resval.rstring;
        if (rb->restype == 1) text = rb->resval.rstring;
    }
    bool counts = type && tag && text && std::string_view(type) == "ATTRIB" && std::string_view(tag) == xmsg::kLinkTag;
    if (counts) bounded_copy(value, text, kLinkValueChars + 1);
    ads_relrb(ed);
    return counts;
}

void read_wire_link(FILE* log, const ads_name ent) {
    resbuf* ed = ads_entget(ent);
    if (!ed) {
        error_code() = ERR_LINK_ENTGET;
        return;
    }
    WireLink link;
    link.sheet = wcr().sheet_no;
    first_point(ed, 10, link.point);
    entity_handle(ed, link.handle.ref());
    ads_relrb(ed);
    FixedText<kLinkValueChars> value;
    if (!first_link_value(ent, value)) return;
    long n = link_number(value.c_str());
    if (n < -kLinkLimit || n > kLinkLimit) {
        log_printf(log, xmsg::kLinkOutside, link.sheet, link.point.x, link.point.y);
        return;
    }
    link.link = static_cast<int32_t>(n);
    append_record(store().links, link, xmsg::kFnWireLinks);
}

}  // namespace

int extract_wires(FILE* log) {
    log_printf(log, "%s", xmsg::kWiresStart);
    for (int type = 0; type < kMaxWires; ++type) {
        if (is_list_end(config().wire_defs[type].w_name.view())) break;
        extract_wire_type(log, type);
    }
    extract_wire_links(log);
    return 1;
}

int extract_wire_links(FILE* log) {
    log_printf(log, "%s", xmsg::kLinksStart);
    resbuf* filter = ads_buildlist(RTDXF0, "INSERT", 2, xmsg::kLinkBlocks, 8, xmsg::kLinkLayer, 66, 1, 0);
    if (!filter) {
        error_code() = ERR_MARK_FILTER;
        return 1;
    }
    ads_name ss;
    if (!select_all(filter, ss)) {
        log_printf(log, "%s", xmsg::kLinksNone);
        ads_relrb(filter);
        return 1;
    }
    drain_selection(ss, ERR_LINK_SSNAME, ERR_MARK_SSLENGTH, [&](const ads_name ent) {
        read_wire_link(log, ent);
        return LoopStep::Next;
    });
    ads_ssfree(ss);
    ads_relrb(filter);
    return 1;
}

}  // namespace wcraft
