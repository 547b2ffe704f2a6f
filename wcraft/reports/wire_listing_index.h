// The connection points of the wire listing in walk order, with the
// questions its schedule passes ask (which wire is at a point, which points
// of a zone share its wire group) answered from indexes built once.
#pragma once

#include <cstdint>
#include <vector>

#include "extract/exact_index.h"
#include "extract/store.h"
#include "project/project_config.h"

namespace wcraft {

// One ID point of the five component lists, in walk order: component,
// terminal, contact, coil, unlisted list, each record's points in order.
struct ListingPoint {
    Component* record = nullptr;
    IdPoint* id = nullptr;
    // The first wire end at the point on its record's sheet (wire types in
    // table order, each list in order): its wire group as a dense key, its
    // wire type and number. key -1: no wire end touches the point.
    int32_t key = -1;
    int32_t wire_type = -1;
    int32_t wire_number = 0;
};

// Point indices in walk order, with a path-compressed way past members whose
// is_connected is 1. A point's is_connected, once 1 outside the search that
// made it a source, never returns to 0, so a member found connected is
// passed over for good.
class AliveList {
public:
    void add(uint32_t point) { m_members.push_back(point); }
    // Call once every member is added.
    void seal();
    size_t size() const { return m_members.size(); }
    uint32_t member(uint32_t pos) const { return m_members[pos]; }
    // The first position at or after `pos` whose point is not connected;
    // size() when there is none.
    uint32_t first_alive(uint32_t pos, const std::vector<ListingPoint>& points);

private:
    std::vector<uint32_t> m_members;
    std::vector<uint32_t> m_next;  // m_next[i] == i: not known connected; size()+1 entries
};

class ListingIndex {
public:
    ListingIndex(Store& s, const ProjectConfig& c);
    std::vector<ListingPoint>& points() { return m_points; }
    // Every point, for the passes over any zone.
    AliveList& all() { return m_all; }
    // The points of records in `zone` that have a wire end, null when none.
    AliveList* sources(int32_t zone);
    // The points that a wire end of group `key` touches on their record's
    // sheet, in records of `zone` (-1 any zone); null when none.
    AliveList* candidates(int32_t key, int32_t zone);
    // False when no source of zone `from` has a wire group with points in
    // zone `to`: a pass between them can list nothing. (Sources only ever
    // drop out, so what held when the index was built holds after.)
    bool may_reach(int32_t from, int32_t to) const;

private:
    void take_points(Store& s);
    void touch_wire_ends(const Store& s, const ProjectConfig& c);
    void build_lists();
    void build_reach();

    std::vector<ListingPoint> m_points;
    AliveList m_all;
    std::vector<AliveList> m_zone_sources;                        // by zone index
    std::vector<AliveList> m_group_points;                        // by key, any zone
    // The points of each wire group in each zone: a list per pair
    // key << 32 | zone met, found through a slot table over the pairs.
    uint32_t& zone_group_slot(uint64_t pair);  // the pair's list index + 1, or an empty slot
    std::vector<AliveList> m_zone_group_lists;
    std::vector<uint64_t> m_zone_group_pairs;  // the pair of each list
    SlotTable m_zone_group_slots;
    std::vector<uint64_t> m_memberships;                          // point << 32 | key, while building
    std::vector<bool> m_reach;                                    // from * kMaxZones + to
};

}  // namespace wcraft
