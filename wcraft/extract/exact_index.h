// Finding records by sheet and exact coordinates: a hash in which equal
// doubles agree and every bit reaches the low ones that pick a slot, and a
// table of slots, probed in line, that holds the index + 1 of each item
// kept elsewhere (0 in an empty slot).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace wcraft {

// The bits of a coordinate; -0.0 is taken as 0.0, which it equals.
inline uint64_t coordinate_bits(double v) {
    if (v == 0.0) v = 0.0;
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// Mixes every bit of h into the low ones: whole coordinates and short
// binary fractions leave a double's low bits zero.
inline uint64_t spread_bits(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// A sheet and the coordinate bits of a point (y_bits 0 for a line).
inline uint64_t place_hash(int16_t sheet, uint64_t x_bits, uint64_t y_bits) {
    return spread_bits(spread_bits(x_bits ^ static_cast<uint16_t>(sheet)) ^ y_bits);
}

class SlotTable {
public:
    // Room for `items` items at most half filling the table; what it held
    // is dropped.
    void reset(size_t items) {
        size_t size = 16;
        while (size < 2 * items) size *= 2;
        m_slots.assign(size, 0);
    }
    bool empty() const { return m_slots.empty(); }
    // The slot holding the item that `same(index)` accepts, else the empty
    // slot where it would go.
    template <typename Same>
    uint32_t& find(uint64_t hash, Same same) {
        return m_slots[probe(hash, same)];
    }
    template <typename Same>
    uint32_t find(uint64_t hash, Same same) const {
        return m_slots[probe(hash, same)];
    }
    // Room for one item more than the `items` held, items 0 to items - 1;
    // when the table grows, item i goes back in under hash_of(i). May throw
    // std::bad_alloc, which leaves the table as it was.
    template <typename HashOf>
    void make_room(size_t items, HashOf hash_of) {
        if (2 * (items + 1) <= m_slots.size()) return;
        SlotTable grown;
        grown.reset(items + 1);
        for (uint32_t i = 0; i < items; ++i) grown.find(hash_of(i), [](uint32_t) { return false; }) = i + 1;
        m_slots.swap(grown.m_slots);
    }

private:
    template <typename Same>
    size_t probe(uint64_t hash, Same same) const {
        size_t mask = m_slots.size() - 1;
        for (size_t k = hash & mask;; k = (k + 1) & mask)
            if (m_slots[k] == 0 || same(m_slots[k] - 1)) return k;
    }
    std::vector<uint32_t> m_slots;  // a power of two long
};

}  // namespace wcraft
