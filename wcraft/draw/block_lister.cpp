// The block recogniser of the entity lister: reads a block's attributes into
// a component record, as component extraction does, and says how the
// post-processor would identify it.
#include <new>
#include <string>

#include "draw/entity_data.h"
#include "draw/entity_lister.h"
#include "draw/messages.h"
#include "extract/entity_access.h"
#include "host/error_report.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

constexpr int kValueChars = 14;

// Which attributes the block carries, beside the component record.
struct Found {
    bool ref = false, cv = false, bom = false, tag = false, cid = false, bomatt = false;
};

// Takes one attribute: the first configured name its tag equals (ignoring
// case) decides where its value goes.
void take_attribute(const EntityData& att, Component& c, Found& f) {
    const ProjectConfig& cfg = config();
    std::string tag, value;
    att.text(2, tag);
    att.text(1, value);
    auto is = [&](const auto& name) { return same_text_nocase(tag, name.view()); };
    auto keep = [&](ValueText& into, bool& flag) {
        bounded_copy(into, value, kValueChars + 1);
        flag = true;
    };
    bool user = false;
    if (is(cfg.id)) add_id_node(c.ids, att.list());
    else if (is(cfg.ref)) keep(c.ref, f.ref);
    else if (is(cfg.bom)) keep(c.bom, f.bom);
    else if (is(cfg.tag)) keep(c.tag, f.tag);
    else if (is(cfg.cid)) keep(c.cid, f.cid);
    else if (is(cfg.user)) keep(c.user, user);
    else if (is(cfg.cv)) keep(c.cv, f.cv);
    else if (is(cfg.bomatt)) keep(c.bomatt, f.bomatt);
}

bool has_attributes(const EntityData& ed) {
    for (const resbuf* rb = ed.list(); rb; rb = rb->rbnext)
        if (rb->restype == 66) return rb->resval.rint == 1;
    return false;
}

// Walks the attributes after the insert; false when a host call failed
// (the error code is then set). An insert without attributes is not walked:
// what follows it belongs to other entities, and the last entity of a
// drawing has nothing after it at all.
bool read_attributes(const ads_name block, const EntityData& ed, Component& c, Found& f) {
    if (!has_attributes(ed)) return true;
    ads_name e = {block[0], block[1]};
    for (;;) {
        if (ads_entnext(e, e) != RTNORM) {
            error_code() = 3050;
            return false;
        }
        EntityData att(e);
        if (!att.ok()) {
            error_code() = 3060;
            return false;
        }
        if (!is_attribute(att.list())) return true;
        take_attribute(att, c, f);
    }
}

bool in_defs(const CompDefn* defs, int slots, std::string_view tag) {
    for (int i = 0, n = comp_count(defs, slots); i < n; ++i)
        if (same_text_nocase(defs[i].name.view(), tag)) return true;
    return false;
}

// A CID or TAG identifies only when the block carries it, as in extraction.
void print_identification(const Component& c, const Found& f, const char* in) {
    const ProjectConfig& cfg = config();
    ads_printf(dmsg::kIdentification, in);
    std::string_view cid = c.cid.view();
    const std::pair<const FixedText<15>*, const char*> relays[] = {
        {&cfg.coil_id, dmsg::kCoil},     {&cfg.no_id, dmsg::kNoContact}, {&cfg.nc_id, dmsg::kNcContact},
        {&cfg.co_id, dmsg::kCoContact}, {&cfg.tm_id, dmsg::kTmContact},
    };
    bool relay = false;
    for (const auto& r : relays)
        if (f.cid && same_text_nocase(cid, r.first->view())) {
            ads_printf("%s", r.second);
            relay = true;
        }
    if (relay) return;
    if (!f.tag) {
        ads_printf("%s", dmsg::kUnlisted);
        return;
    }
    if (in_defs(cfg.comp_defs, kMaxCompDefs, c.tag.view())) ads_printf(dmsg::kListed, c.tag.c_str());
    else if (in_defs(cfg.term_defs, kMaxTermDefs, c.tag.view())) ads_printf(dmsg::kTerminal, c.tag.c_str());
    else ads_printf("%s", dmsg::kUnlisted);
}

void print_attributes(const Component& c, const Found& f, const char* in) {
    const ProjectConfig& cfg = config();
    ads_printf(dmsg::kAttributes, in);
    ads_printf(dmsg::kRefLine, in, cfg.ref.c_str(), c.ref.c_str());
    if (f.cv) ads_printf(dmsg::kCvLine, in, cfg.cv.c_str(), c.cv.c_str());
    if (f.tag) ads_printf(dmsg::kTagLine, in, cfg.tag.c_str(), c.tag.c_str());
    if (f.cid) ads_printf(dmsg::kCidLine, in, cfg.cid.c_str(), c.cid.c_str());
    if (f.bom) ads_printf(dmsg::kBomLine, in, cfg.bom.c_str(), c.bom.c_str());
    if (f.bomatt) ads_printf(dmsg::kBomattLine, in, cfg.bomatt.c_str(), c.bomatt.c_str());
}

void print_component(const Component& c, const Found& f, const char* in) {
    ads_printf(dmsg::kWcrBlock, in);
    print_identification(c, f, in);
    ads_printf(dmsg::kBlockPoint, in, c.point.x, c.point.y);
    print_attributes(c, f, in);
    ads_printf(dmsg::kIdNodes, in, config().id.c_str());
    for (const IdPoint& id : c.ids) ads_printf(dmsg::kIdNode, in, id.id.c_str(), id.point.x, id.point.y);
    if (c.ids.empty()) ads_printf(dmsg::kNoIdNodes, in);
}

}  // namespace

Listed list_as_block(const ads_name ent, const char* in) {
    EntityData ed(ent);
    std::string type, name;
    XY at;
    if (!entity_type_of(ed, type) || type != "INSERT") return Listed::No;
    if (!block_name_of(ed, name) || !insertion_point_of(ed, at)) return Listed::No;
    try {
        Component c;
        c.point = at;
        Found f;
        if (!read_attributes(ent, ed, c, f)) return Listed::Yes;  // the dispatcher reports the code
        if (!f.ref) {
            ads_printf(dmsg::kPlainBlock, in);
            ads_printf(dmsg::kRefMissing, in, config().ref.c_str());
            return Listed::No;
        }
        print_component(c, f, in);
    } catch (const std::bad_alloc&) {
        fatal_alloc(dmsg::kBlockRoutine, 1);
    }
    return Listed::Yes;
}

}  // namespace wcraft
