// The handle index of a drawing: handle -> object id, in one flat table.
//
// A drawing holds an entry for every object it has, so this is the largest
// index of all. Kept in one block of slots (open addressing, linear probing)
// it costs no allocation per object, and dropping a drawing frees one block
// instead of walking a node per object through memory that other work has
// long since pushed out of the cache.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cadhost::db {

class HandleIndex {
public:
    // The id indexed under handle h, 0 when there is none. Handle 0 is never
    // indexed.
    uint32_t find(uint64_t h) const {
        if (h == 0 || m_count == 0) return 0;
        for (size_t i = slot_of(h);; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (s.handle == h) return s.id;
            if (s.handle == 0) return 0;
        }
    }
    bool contains(uint64_t h) const { return find(h) != 0; }

    // Indexes id (object ids start at 1) under h, replacing what h had;
    // h 0 is ignored.
    void set(uint64_t h, uint32_t id);
    // Removes h when it is there.
    void erase(uint64_t h);
    // Room for n entries without growing.
    void reserve(size_t n);
    void clear();
    size_t size() const { return m_count; }

private:
    struct Slot {
        uint64_t handle = 0;  // 0: free
        uint32_t id = 0;
    };
    size_t slot_of(uint64_t h) const {
        // Handles are mostly consecutive; the multiply spreads them over
        // the table and the top bits pick the slot.
        return static_cast<size_t>((h * 0x9e3779b97f4a7c15ULL) >> m_shift);
    }
    void grow_to(size_t slots);
    // Entries fill at most 3/4 of the slots, so probe runs stay short and
    // a free slot always ends them.
    static size_t room(size_t slots) { return slots - slots / 4; }
    static size_t slots_for(size_t n);

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    unsigned m_shift = 64;
    size_t m_count = 0;
};

}  // namespace cadhost::db
