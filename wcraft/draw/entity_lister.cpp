// The entity lister: the pick, the heading, the recognisers of wires, zones,
// wire links, relay markers and wire nodes, and the host's LIST for an
// entity that none of them recognises.
#include "draw/entity_lister.h"

#include <algorithm>
#include <string>

#include "draw/draw_support.h"
#include "draw/entity_data.h"
#include "draw/messages.h"
#include "extract/entity_access.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

using Recogniser = Listed (*)(const ads_name, const char*);

const Recogniser kRecognisers[] = {
    list_as_wire, list_as_zone, list_as_wire_link, list_as_relay_marker, list_as_wire_node, list_as_block,
};

bool of_type(const EntityData& ed, const char* type) {
    std::string t;
    return entity_type_of(ed, t) && t == type;
}

std::string layer_of(const EntityData& ed) {
    std::string layer;
    ed.text(8, layer);
    return layer;
}

const char* level_name(int level) {
    static char number[16];
    if (level >= 0 && level < kZoneLevels) return config().zone_levels[level].c_str();
    snprintf(number, sizeof number, "%d", level);  // a level outside the table has no name
    return number;
}

void print_zone(const ads_name ent, const ZoneDefn& z, const char* in) {
    ads_printf(dmsg::kZoneIs, in);
    ads_printf(dmsg::kZoneListName, in, z.z_name.c_str());
    ads_printf(dmsg::kZoneLevel, in, level_name(z.level));
    ads_printf(dmsg::kZoneParent, in, z.parent.c_str());
    ads_printf(dmsg::kZoneLayer, in, z.l_name.c_str());
    ZoneBox box;  // as the post-processor takes the boundary
    if (boundary_box(ent, box)) {
        ads_printf(dmsg::kZoneFrom, in, box.bottom_left.x, box.bottom_left.y);
        ads_printf(dmsg::kZoneTo, in, box.top_right.x, box.top_right.y);
    } else {
        ads_printf(dmsg::kZoneBad, in);
    }
}

// The marker blocks: a name pattern, the layer where the post-processor
// selects them and the attribute that must come first.
Listed list_as_marker(const ads_name ent, const char* in, const dmsg::MarkerTexts& t) {
    EntityData ed(ent);
    std::string name;
    XY at;
    if (!of_type(ed, "INSERT") || !block_name_of(ed, name) || ads_wcmatch(name.c_str(), t.pattern) != RTNORM)
        return Listed::No;
    if (!insertion_point_of(ed, at)) return Listed::No;
    ads_printf(t.is, in);
    std::string layer = layer_of(ed);
    if (layer != t.layer) {
        ads_printf(t.wrong_layer, in, layer.c_str());
        ads_printf(t.to_activate, in, t.layer);
    } else {
        ads_printf(t.right_layer, in, layer.c_str());
    }
    ads_printf(t.point, in, at.x, at.y);
    ads_name next;
    std::string type, tag, value;
    bool found = false;
    if (ads_entnext(ent, next) == RTNORM) {
        EntityData att(next);
        found = att.ok() && att.text(0, type) && type == "ATTRIB" && att.text(2, tag) && tag == t.tag;
        if (found) att.text(1, value);
    }
    if (found) {
        ads_printf(t.found, in, t.tag);
        ads_printf(t.value, in, value.c_str());
    } else {
        ads_printf(t.missing, in, t.tag);
    }
    return Listed::Yes;
}

void print_heading(const char* in) {
    for (const char* line : dmsg::kBanner) ads_printf(line, in);
}

}  // namespace

Listed list_as_wire(const ads_name ent, const char* in) {
    EntityData ed(ent);
    if (!of_type(ed, "LINE")) return Listed::No;
    std::string layer = layer_of(ed);
    const WireDefn* wires = config().wire_defs;
    for (int i = 0, n = wire_count(config()); i < n; ++i) {
        const WireDefn& w = wires[i];
        if (layer != w.l_name.view()) continue;
        XY from, to;
        ed.point(10, from);
        ed.point(11, to);
        ads_printf(dmsg::kWireIs, in);
        ads_printf(dmsg::kWireName, in, w.w_name.c_str());
        ads_printf(dmsg::kWireLayer, in, w.l_name.c_str());
        ads_printf(dmsg::kWireColour, in, w.colour.c_str());
        ads_printf(dmsg::kWireSize, in, w.size.c_str());
        ads_printf(dmsg::kWireSignal, in, w.signal.c_str());
        ads_printf(dmsg::kWireFrom, in, from.x, from.y);
        ads_printf(dmsg::kWireTo, in, to.x, to.y);
        return Listed::Yes;
    }
    return Listed::No;
}

Listed list_as_zone(const ads_name ent, const char* in) {
    EntityData ed(ent);
    std::string type;
    if (!entity_type_of(ed, type) || (type != "POLYLINE" && type != "LWPOLYLINE")) return Listed::No;
    std::string layer = layer_of(ed);
    const ZoneDefn* zones = config().zone_defs;
    for (int i = 0, n = zone_count(config()); i < n; ++i) {
        if (layer != zones[i].l_name.view()) continue;
        print_zone(ent, zones[i], in);
        return Listed::Yes;
    }
    return Listed::No;
}

Listed list_as_wire_link(const ads_name ent, const char* in) { return list_as_marker(ent, in, dmsg::kLinkTexts); }

Listed list_as_relay_marker(const ads_name ent, const char* in) {
    return list_as_marker(ent, in, dmsg::kMarkerTexts);
}

Listed list_as_wire_node(const ads_name ent, const char* in) {
    EntityData ed(ent);
    std::string name;
    XY at;
    if (!of_type(ed, "INSERT") || !block_name_of(ed, name) || name != dmsg::kNodeBlock) return Listed::No;
    if (!insertion_point_of(ed, at)) return Listed::No;
    ads_printf(dmsg::kNodeIs, in);
    ads_printf(dmsg::kNodeAt, in, at.x, at.y);
    return Listed::Yes;
}

int list_entity_command() {
    echo_off();
    ads_name ent;
    ads_point picked;
    if (ads_entsel(dmsg::kSelectEntity, ent, picked) != RTNORM) return 1;
    ads_textscr();
    const char* in = dmsg::kIndent;
    print_heading(in);
    for (Recogniser r : kRecognisers)
        if (r(ent, in) == Listed::Yes) return 1;
    ads_command(RTSTR, "_.LIST", RTENAME, ent, RTSTR, "", 0);
    return 1;
}

}  // namespace wcraft
