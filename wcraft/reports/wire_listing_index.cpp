// Builds the wire listing's point index: points bucketed by sheet and exact
// coordinates, touched by the wire ends of each type in table order.
#include "reports/wire_listing_index.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "extract/exact_index.h"

namespace wcraft {

namespace {

// A sheet and an exact point; -0.0 is taken as 0.0 so that equal
// coordinates always give equal keys.
struct Place {
    int16_t sheet;
    uint64_t x, y;
    bool operator==(const Place& o) const { return sheet == o.sheet && x == o.x && y == o.y; }
};

// A NaN coordinate equals nothing, itself included, so it has no place.
bool place_of(int16_t sheet, const XY& p, Place& out) {
    if (std::isnan(p.x) || std::isnan(p.y)) return false;
    out = Place{sheet, coordinate_bits(p.x), coordinate_bits(p.y)};
    return true;
}

uint64_t hash_of(const Place& p) { return place_hash(p.sheet, p.x, p.y); }

constexpr uint32_t kNone = UINT32_MAX;

uint64_t zone_group(int32_t key, int32_t zone) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(key)) << 32) | static_cast<uint32_t>(zone);
}

}  // namespace

void AliveList::seal() {
    m_next.resize(m_members.size() + 1);
    for (uint32_t i = 0; i < m_next.size(); ++i) m_next[i] = i;
}

uint32_t AliveList::first_alive(uint32_t pos, const std::vector<ListingPoint>& points) {
    const uint32_t end = static_cast<uint32_t>(m_members.size());
    uint32_t j = pos;
    for (;;) {
        while (m_next[j] != j) j = m_next[j];
        if (j == end || points[m_members[j]].id->is_connected == 0) break;
        m_next[j] = j + 1;
    }
    while (pos != j) {  // every position passed on the way now points at j
        uint32_t next = m_next[pos];
        m_next[pos] = j;
        pos = next;
    }
    return j;
}

ListingIndex::ListingIndex(Store& s, const ProjectConfig& c) {
    take_points(s);
    touch_wire_ends(s, c);
    build_lists();
    build_reach();
}

void ListingIndex::take_points(Store& s) {
    for (std::vector<Component>* list : {&s.components, &s.terminals, &s.contacts, &s.coils, &s.unlisted})
        for (Component& rec : *list)
            for (IdPoint& id : rec.ids) m_points.push_back(ListingPoint{&rec, &id});
}

// Every wire end of the listed types that lies on a point makes the point a
// member of the end's wire group; the first such end is the point's own.
void ListingIndex::touch_wire_ends(const Store& s, const ProjectConfig& c) {
    // The first point at each place, in a slot table over the points'
    // places: a wire end looks a place up in one run of memory, and most
    // ends find an empty slot at once.
    std::vector<Place> places(m_points.size());
    SlotTable first_at;
    first_at.reset(m_points.size());
    std::vector<uint32_t> next_at(m_points.size(), kNone);  // next point at the same place
    auto at = [&](const Place& p) -> uint32_t& {
        return first_at.find(hash_of(p), [&](uint32_t j) { return places[j] == p; });
    };
    for (uint32_t i = static_cast<uint32_t>(m_points.size()); i-- > 0;) {
        if (!place_of(m_points[i].record->sheet, m_points[i].id->point, places[i])) continue;
        uint32_t& first = at(places[i]);
        if (first != 0) next_at[i] = first - 1;
        first = i + 1;
    }
    std::unordered_map<uint64_t, int32_t> keys;  // (wire type << 32 | group) -> key
    const int types = wire_count(c);
    for (int t = 0; t < types; ++t)
        for (const WireSegment& seg : s.wires[t])
            for (const XY* end : {&seg.start, &seg.end}) {
                Place p;
                if (!place_of(seg.sheet, *end, p)) continue;
                uint32_t first = at(p);
                if (first == 0) continue;
                uint64_t tg = (static_cast<uint64_t>(t) << 32) | static_cast<uint32_t>(seg.group);
                int32_t key = keys.try_emplace(tg, static_cast<int32_t>(keys.size())).first->second;
                for (uint32_t i = first - 1; i != kNone; i = next_at[i]) {
                    ListingPoint& lp = m_points[i];
                    if (lp.key < 0) lp.key = key, lp.wire_type = t, lp.wire_number = seg.wire_number;
                    m_memberships.push_back((static_cast<uint64_t>(i) << 32) | static_cast<uint32_t>(key));
                }
            }
    m_group_points.resize(keys.size());
}

// Lists in walk order: memberships sorted by point, each pair once.
void ListingIndex::build_lists() {
    std::sort(m_memberships.begin(), m_memberships.end());
    m_memberships.erase(std::unique(m_memberships.begin(), m_memberships.end()), m_memberships.end());
    m_zone_sources.resize(kMaxZones);
    for (uint32_t i = 0; i < m_points.size(); ++i) {
        m_all.add(i);
        int32_t zone = m_points[i].record->zone;
        if (m_points[i].key >= 0 && zone >= 0 && zone < kMaxZones) m_zone_sources[zone].add(i);
    }
    for (uint64_t m : m_memberships) {
        uint32_t i = static_cast<uint32_t>(m >> 32);
        int32_t key = static_cast<int32_t>(m & 0xFFFFFFFFu);
        m_group_points[key].add(i);
        int32_t zone = m_points[i].record->zone;
        if (zone < 0) continue;
        uint64_t pair = zone_group(key, zone);
        m_zone_group_slots.make_room(m_zone_group_pairs.size(),
                                     [this](uint32_t n) { return spread_bits(m_zone_group_pairs[n]); });
        uint32_t& slot = zone_group_slot(pair);
        if (slot == 0) {
            m_zone_group_lists.emplace_back();
            m_zone_group_pairs.push_back(pair);
            slot = static_cast<uint32_t>(m_zone_group_pairs.size());
        }
        m_zone_group_lists[slot - 1].add(i);
    }
    m_memberships.clear();
    m_memberships.shrink_to_fit();
    m_all.seal();
    for (AliveList& l : m_zone_sources) l.seal();
    for (AliveList& l : m_group_points) l.seal();
    for (AliveList& l : m_zone_group_lists) l.seal();
}

void ListingIndex::build_reach() {
    std::vector<std::vector<int32_t>> zones_of(m_group_points.size());  // zones each key has points in
    for (uint64_t pair : m_zone_group_pairs) {
        int32_t zone = static_cast<int32_t>(pair & 0xFFFFFFFFu);
        if (zone < kMaxZones) zones_of[pair >> 32].push_back(zone);
    }
    m_reach.assign(static_cast<size_t>(kMaxZones) * kMaxZones, false);
    std::vector<int32_t> keys;
    for (int32_t from = 0; from < kMaxZones; ++from) {
        keys.clear();
        const AliveList& sources = m_zone_sources[from];
        for (uint32_t j = 0; j < sources.size(); ++j) keys.push_back(m_points[sources.member(j)].key);
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        for (int32_t key : keys)
            for (int32_t to : zones_of[key]) m_reach[static_cast<size_t>(from) * kMaxZones + to] = true;
    }
}

bool ListingIndex::may_reach(int32_t from, int32_t to) const {
    if (from < 0 || from >= kMaxZones || to < 0 || to >= kMaxZones) return false;
    return m_reach[static_cast<size_t>(from) * kMaxZones + to];
}

AliveList* ListingIndex::sources(int32_t zone) {
    if (zone < 0 || zone >= kMaxZones || m_zone_sources[zone].size() == 0) return nullptr;
    return &m_zone_sources[zone];
}

AliveList* ListingIndex::candidates(int32_t key, int32_t zone) {
    if (key < 0) return nullptr;
    if (zone == -1) return &m_group_points[key];
    if (m_zone_group_slots.empty()) return nullptr;
    uint32_t slot = zone_group_slot(zone_group(key, zone));
    return slot == 0 ? nullptr : &m_zone_group_lists[slot - 1];
}

uint32_t& ListingIndex::zone_group_slot(uint64_t pair) {
    return m_zone_group_slots.find(spread_bits(pair), [&](uint32_t n) { return m_zone_group_pairs[n] == pair; });
}

}  // namespace wcraft
