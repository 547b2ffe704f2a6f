// Reading the blocks with attributes of the open drawing: each becomes a
// component record with its grid reference, zone and ID points, kept in
// the coil, contact, component, terminal or unlisted list.
#include <new>
#include <utility>

#include "extract/entity_access.h"
#include "extract/extract.h"
#include "extract/extract_support.h"
#include "extract/messages.h"
#include "extract/selection_loop.h"
#include "host/error_report.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

constexpr int kValueChars = 14;
constexpr int kZoneTextChars = 19;

// The zone boundaries of the current sheet in the order membership tests
// them: zone index ascending, each zone's boundaries in list order. Taken
// once per extraction, so a component is tested against this sheet's boxes
// only.
struct SheetBox {
    int zone;
    ZoneBox box;
};

std::vector<SheetBox> sheet_boxes(int16_t sheet) {
    std::vector<SheetBox> boxes;
    try {
        for (int z = 0; z < kMaxZones; ++z)
            for (const ZoneBox& b : store().zones[z])
                if (b.sheet == sheet) boxes.push_back({z, b});
    } catch (const std::bad_alloc&) {
        fatal_alloc(xmsg::kFnComponents, 1);
    }
    return boxes;
}

bool inside(const ZoneBox& b, const XY& p) {
    return b.bottom_left.x <= p.x && p.x <= b.top_right.x && b.bottom_left.y <= p.y && p.y <= b.top_right.y;
}

// The lowest zone whose box holds the point; every other zone holding it
// is reported as an overlap and ignored.
void zone_from_boxes(FILE* log, const std::vector<SheetBox>& boxes, Component& c) {
    const ZoneDefn* zones = config().zone_defs;
    for (const SheetBox& sb : boxes) {
        if (!inside(sb.box, c.point)) continue;
        if (c.zone == -1 || c.zone == sb.zone)
            c.zone = sb.zone;
        else
            log_printf(log, xmsg::kZoneOverlap, zones[sb.zone].z_name.c_str(), zones[c.zone].z_name.c_str(),
                       c.sheet);
    }
}

// Which of the identifying attributes a block carries.
struct Present {
    bool ref = false, tag = false, cid = false;
};

// The zone text holds 19 characters, so it is read from the value itself
// rather than through the 14-character attribute value.
void apply_zone_attribute(const resbuf* ed, Component& c) {
    const char* raw = nullptr;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext)
        if (rb->restype == 1 && rb->resval.rstring) raw = rb->resval.rstring;
    if (raw) bounded_copy(c.zone_text, raw, kZoneTextChars + 1);
    const ZoneDefn* zones = config().zone_defs;
    for (int z = 0; z < kMaxZones && !is_list_end(zones[z].z_name.view()); ++z)
        if (zones[z].z_name.view() == c.zone_text.view()) {
            c.zone = z;
            return;
        }
}

void apply_attribute(const resbuf* ed, Component& c, Present& has) {
    const ProjectConfig& cfg = config();
    FixedText<kValueChars> tag, value;
    attribute_name(ed, tag.ref());
    attribute_value(ed, value.ref());
    auto is = [&](const FixedText<19>& name) { return same_text_nocase(tag.view(), name.view()); };
    auto put = [&](ValueText& field) { bounded_copy(field, value.view(), kValueChars + 1); };
    if (is(cfg.id)) add_id_node(c.ids, ed);
    else if (is(cfg.ref)) put(c.ref), has.ref = true;
    else if (is(cfg.bom)) put(c.bom);
    else if (is(cfg.tag)) put(c.tag), has.tag = true;
    else if (is(cfg.cid)) put(c.cid), has.cid = true;
    else if (is(cfg.user)) put(c.user);
    else if (is(cfg.cv)) put(c.cv);
    else if (is(cfg.bomatt)) put(c.bomatt);
    else if (is(cfg.zonename)) apply_zone_attribute(ed, c);
}

// Walks the attributes following the insert; 0 when a host call failed.
int read_attributes(const ads_name insert, Component& c, Present& has) {
    ads_name ent;
    if (ads_entnext(insert, ent) != RTNORM) return error_code() = ERR_COMP_ENTNEXT, 0;
    resbuf* ed = ads_entget(ent);
    if (!ed) return error_code() = ERR_COMP_ENTGET, 0;
    while (is_attribute(ed)) {
        apply_attribute(ed, c, has);
        ads_relrb(ed);
        if (ads_entnext(ent, ent) != RTNORM) return error_code() = ERR_COMP_ENTNEXT, 0;
        ed = ads_entget(ent);
        if (!ed) return error_code() = ERR_COMP_ENTGET, 0;
    }
    ads_relrb(ed);
    return 1;
}

bool names_definition(const CompDefn* defs, int slots, std::string_view tag) {
    for (int i = 0; i < slots && !is_list_end(defs[i].name.view()); ++i)
        if (same_text_nocase(defs[i].name.view(), tag)) return true;
    return false;
}

// One batch per list, inserted when the drawing has been read.
enum ListKind { LIST_COILS, LIST_CONTACTS, LIST_COMPONENTS, LIST_TERMINALS, LIST_UNLISTED, LIST_KINDS };

ListKind choose_list(const Component& c, const Present& has) {
    const ProjectConfig& cfg = config();
    std::string_view cid = c.cid.view(), tag = c.tag.view();
    if (has.cid && same_text_nocase(cid, cfg.coil_id.view())) return LIST_COILS;
    if (has.cid)
        for (const auto* id : {&cfg.no_id, &cfg.nc_id, &cfg.co_id, &cfg.tm_id})
            if (same_text_nocase(cid, id->view())) return LIST_CONTACTS;
    if (has.tag && names_definition(cfg.comp_defs, kMaxCompDefs, tag)) return LIST_COMPONENTS;
    if (has.tag && names_definition(cfg.term_defs, kMaxTermDefs, tag)) return LIST_TERMINALS;
    return LIST_UNLISTED;
}

struct Batches {
    std::vector<Component> lists[LIST_KINDS];
    // Puts every batch into its list; called on every way out.
    void flush() {
        Store& s = store();
        insert_batch_reporting(s.coils, lists[LIST_COILS], s.coils_mark, xmsg::kFnComponents);
        insert_batch_reporting(s.contacts, lists[LIST_CONTACTS], s.contacts_mark, xmsg::kFnComponents);
        insert_batch_reporting(s.components, lists[LIST_COMPONENTS], s.components_mark, xmsg::kFnComponents);
        insert_batch_reporting(s.terminals, lists[LIST_TERMINALS], s.terminals_mark, xmsg::kFnComponents);
        insert_batch_reporting(s.unlisted, lists[LIST_UNLISTED], s.unlisted_mark, xmsg::kFnComponents);
    }
};

// Reads one insert and its attributes; 0 when a host call failed.
int read_component(FILE* log, const ads_name ent, const std::vector<SheetBox>& boxes, Batches& out) {
    resbuf* ed = ads_entget(ent);
    if (!ed) return error_code() = ERR_COMP_ENTGET, 0;
    Component c;
    c.sheet = wcr().sheet_no;
    entity_point(ed, c.point.x, c.point.y);
    entity_handle(ed, c.handle.ref());
    ads_relrb(ed);
    grid_ref_lookup(c.sheet, c.point.x, c.point.y, c.grid);
    zone_from_boxes(log, boxes, c);
    Present has;
    if (!read_attributes(ent, c, has)) return 0;
    if (!has.ref) return 1;
    ListKind kind = choose_list(c, has);
    append_record(out.lists[kind], std::move(c), xmsg::kFnComponents);
    return 1;
}

}  // namespace

int extract_components(FILE* log) {
    log_printf(log, "%s", xmsg::kCompStart);
    resbuf* filter = ads_buildlist(RTDXF0, "INSERT", 66, 1, 0);
    if (!filter) {
        error_code() = ERR_COMP_FILTER;
        return 1;
    }
    ads_name ss;
    if (!select_all(filter, ss)) {
        log_printf(log, xmsg::kCompNone, wcr().sheet_text.c_str());
        ads_relrb(filter);
        return 1;
    }
    std::vector<SheetBox> boxes = sheet_boxes(wcr().sheet_no);
    Batches batches;
    int ran = 1;
    drain_selection(ss, ERR_COMP_SSNAME, ERR_COMP_SSLENGTH, [&](const ads_name ent) {
        ran = read_component(log, ent, boxes, batches);
        return ran ? LoopStep::Next : LoopStep::Stop;
    });
    batches.flush();
    ads_ssfree(ss);
    ads_relrb(filter);
    return ran;
}

}  // namespace wcraft
