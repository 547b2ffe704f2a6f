// Attribute write-back: the references, sheet numbers and places found in
// stage 3 go into the attributes of the open sheet's blocks, each block
// found again by the handle read in stage 2.
#include "update/attribute_writeback.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "extract/entity_access.h"
#include "extract/extract.h"
#include "extract/store.h"
#include "host/module_state.h"
#include "update/contact_display.h"
#include "update/messages.h"
#include "update/run_index.h"
#include "update/wire_writeback.h"

namespace wcraft {

namespace {

const char* string_of(const resbuf* ed, int code) {
    const char* found = nullptr;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext)
        if (rb->restype == code && rb->resval.rstring) found = rb->resval.rstring;
    return found;
}

// Puts `value` into the attribute's data as its group 1 and hands the data
// back to the host.
bool replace_value(resbuf* ed, std::string_view value) {
    resbuf* group = nullptr;
    resbuf* tail = ed;
    for (resbuf* rb = ed; rb; rb = rb->rbnext) {
        if (rb->restype == 1) group = rb;
        tail = rb;
    }
    char* text = static_cast<char*>(malloc(value.size() + 1));
    if (!text) return false;
    memcpy(text, value.data(), value.size());
    text[value.size()] = '\0';
    if (!group) {  // an attribute without a value gets one
        group = ads_newrb(1);
        if (!group) return free(text), false;
        tail->rbnext = group;
    }
    free(group->resval.rstring);
    group->resval.rstring = text;
    return ads_entmod(ed) == RTNORM;
}

// The block of a record's handle; the handle message when it is gone.
bool block_of(const char* handle, ads_name block, FILE* log) {
    if (ads_handent(handle, block) == RTNORM) return true;
    fprintf(log, umsg::kNoHandle, handle);
    return false;
}

void set_ref(const Component& c, const ads_name block, FILE* log) {
    const char* tag = config().ref.c_str();
    if (!set_attribute(tag, c.ref.view(), block)) fprintf(log, umsg::kSetFailed, tag, c.ref.c_str(), c.grid.c_str());
}

// The component or terminal records of the open sheet that numbering gave a
// new reference.
void update_numbered(SheetList which, std::vector<Component>& list, FILE* log) {
    for (uint32_t i : sheet_records(which, wcr().sheet_no)) {
        const Component& c = list[i];
        if (c.numbered != 1) continue;
        ads_name block;
        if (!block_of(c.handle.c_str(), block, log)) continue;
        set_ref(c, block, log);
        ads_entupd(block);
    }
}

// Sets one title block's sheet number and total sheets.
void number_title_block(const ads_name block, const std::string& sheet, const std::string& total, FILE* log) {
    const ProjectConfig& c = config();
    if (!set_attribute(c.sheetno.view(), sheet, block))
        fprintf(log, umsg::kTitleSheetFailed, c.title_block.c_str(), c.sheetno.c_str());
    if (!set_attribute(c.sheetmax.view(), total, block))
        fprintf(log, umsg::kTitleMaxFailed, c.title_block.c_str(), c.sheetmax.c_str());
    ads_entupd(block);
}

// Every title block of the selection, taking the set's first each time.
void number_title_blocks(const ads_name ss, FILE* log) {
    long left = 0;
    if (ads_sslength(ss, &left) != RTNORM) {
        fputs(umsg::kTitleLength, log);
        return;
    }
    if (left == 0) {
        fputs(umsg::kTitleMissing, log);
        return;
    }
    std::string sheet = std::to_string(wcr().sheet_no), total = std::to_string(wcr().drawing_count);
    while (left > 0) {
        ads_name block;
        if (ads_ssname(ss, 0, block) != RTNORM) {
            error_code() = ERR_TITLE_SSNAME;
            return;
        }
        number_title_block(block, sheet, total, log);
        // A block the set would not let go of would be taken again forever.
        if (ads_ssdel(block, ss) != RTNORM || ads_sslength(ss, &left) != RTNORM) {
            fputs(umsg::kTitleLength, log);
            return;
        }
    }
}

// The place text of a wire link's partner, from the grid reference nearest
// to it on its own sheet.
std::string partner_place(const WireLink& partner) {
    GridText place;
    grid_ref_lookup(partner.sheet, partner.point.x, partner.point.y, place);
    return place.c_str();
}

// The wire number text of the segment a link is attached to, as the wire
// number write-back shows it.
std::string link_wire_text(const WireLink& link) {
    const Store& s = store();
    const SegmentRef& at = link.attached;
    if (at.wire_type < 0 || at.wire_type >= kMaxWires) return "";
    const std::vector<WireSegment>& wires = s.wires[at.wire_type];
    if (static_cast<size_t>(at.index) >= wires.size()) return "";
    const WireDefn& w = config().wire_defs[at.wire_type];
    return wire_number_text(wires[at.index].wire_number, w.pp_mode, w.pp_val.c_str());
}

bool set_link_attribute(const char* tag, const std::string& value, const WireLink& link, const ads_name block,
                        FILE* log) {
    if (set_attribute(tag, value, block)) return true;
    fprintf(log, umsg::kLinkSetFailed, tag, link.link, link.sheet);
    return false;
}

void update_link(size_t index, FILE* log) {
    const std::vector<WireLink>& links = store().links;
    const WireLink& link = links[index];
    long partner = link_partner(index);
    ads_name block;
    if (!block_of(link.handle.c_str(), block, log)) return;
    bool any = false;
    if (partner >= 0) any = set_link_attribute(umsg::kLinkPlaceTag, partner_place(links[partner]), link, block, log);
    any = set_link_attribute(umsg::kLinkTextTag, link_wire_text(link), link, block, log) || any;
    if (any) ads_entupd(block);
}

}  // namespace

int set_attribute(std::string_view tag, std::string_view value, const ads_name block) {
    ads_name ent;
    if (ads_entnext(block, ent) != RTNORM) {
        error_code() = ERR_SET_ENTNEXT;
        return 0;
    }
    for (;;) {
        resbuf* ed = ads_entget(ent);
        if (!ed) {
            error_code() = ERR_SET_ENTGET;
            return 0;
        }
        if (!is_attribute(ed)) {  // past the block's attributes: no such tag
            ads_relrb(ed);
            return 0;
        }
        const char* name = string_of(ed, 2);
        if (name && same_text_nocase(name, tag)) {
            const char* now = string_of(ed, 1);
            bool done = (now && same_text_nocase(now, value)) || replace_value(ed, value);
            ads_relrb(ed);
            return done ? 1 : 0;
        }
        ads_relrb(ed);
        if (ads_entnext(ent, ent) != RTNORM) {
            error_code() = ERR_SET_ENTNEXT;
            return 0;
        }
    }
}

int update_title_blocks(FILE* log) {
    fputs(umsg::kTitleStart, log);
    const char* name = config().title_block.c_str();
    struct resbuf* filter = ads_buildlist(RTDXF0, "INSERT", 2, name, 0);
    if (!filter) {
        error_code() = ERR_TITLE_FILTER;
        return 1;
    }
    ads_name ss;
    if (ads_ssget("X", nullptr, nullptr, filter, ss) != RTNORM) {
        fprintf(log, umsg::kTitleNotFound, name);
        ads_relrb(filter);
        return 1;
    }
    number_title_blocks(ss, log);
    ads_ssfree(ss);
    ads_relrb(filter);
    return 1;
}

int update_component_refs(FILE* log) {
    fputs(umsg::kComponentsStart, log);
    update_numbered(SheetList::Components, store().components, log);
    return 1;
}

int update_terminal_refs(FILE* log) {
    fputs(umsg::kTerminalsStart, log);
    update_numbered(SheetList::Terminals, store().terminals, log);
    return 1;
}

int update_coil_refs(FILE* log) {
    fputs(umsg::kCoilsStart, log);
    CoilDisplaySaved saved;
    // Without an emptied, current coil text layer the references are still
    // written, but no text or contact block: it would double the previous
    // run's or land on another layer. The error code says what was refused.
    bool display = prepare_coil_display(saved) != 0;
    const std::vector<Component>& coils = store().coils;
    for (uint32_t i : sheet_records(SheetList::Coils, wcr().sheet_no)) {
        const Component& c = coils[i];
        ads_name block;
        if (!block_of(c.handle.c_str(), block, log)) continue;
        set_ref(c, block, log);
        if (display && !c.xdata.empty()) draw_coil_text(c, block, log);
        ads_entupd(block);
    }
    restore_coil_display(saved);
    return 1;
}

int update_contact_refs(FILE* log) {
    fputs(umsg::kContactsStart, log);
    const std::vector<Component>& contacts = store().contacts;
    for (uint32_t i : sheet_records(SheetList::Contacts, wcr().sheet_no)) {
        const Component& c = contacts[i];
        ads_name block;
        if (!block_of(c.handle.c_str(), block, log)) continue;
        set_ref(c, block, log);
        std::string_view place = c.xdata.empty() ? std::string_view(umsg::kNoCoilPlace) : c.xdata.front().name.view();
        if (!set_attribute(umsg::kContactPlaceTag, place, block))
            fprintf(log, umsg::kSetFailed, umsg::kContactPlaceTag, c.ref.c_str(), c.grid.c_str());
        ads_entupd(block);
    }
    return 1;
}

int update_wirelink_refs(FILE* log) {
    fputs(umsg::kLinksStart, log);
    const std::vector<WireLink>& links = store().links;
    for (uint32_t i : sheet_records(SheetList::WireLinks, wcr().sheet_no))
        if (!links[i].attached.empty()) update_link(i, log);
    return 1;
}

}  // namespace wcraft
