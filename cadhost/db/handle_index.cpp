#include "db/handle_index.h"

#include <utility>

namespace cadhost::db {

size_t HandleIndex::slots_for(size_t n) {
    size_t slots = 16;
    while (room(slots) < n) slots *= 2;
    return slots;
}

void HandleIndex::grow_to(size_t slots) {
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(slots, Slot{});
    m_mask = slots - 1;
    m_shift = 64;
    for (size_t s = slots; s > 1; s /= 2) --m_shift;
    for (const Slot& s : old) {
        if (s.handle == 0) continue;
        size_t i = slot_of(s.handle);
        while (m_slots[i].handle != 0) i = (i + 1) & m_mask;
        m_slots[i] = s;
    }
}

void HandleIndex::reserve(size_t n) {
    size_t slots = slots_for(n);
    if (slots > m_slots.size()) grow_to(slots);
}

void HandleIndex::set(uint64_t h, uint32_t id) {
    if (h == 0) return;
    if (m_count + 1 > room(m_slots.size())) grow_to(slots_for(m_count + 1));
    size_t i = slot_of(h);
    while (m_slots[i].handle != 0 && m_slots[i].handle != h) i = (i + 1) & m_mask;
    if (m_slots[i].handle == 0) {
        m_slots[i].handle = h;
        ++m_count;
    }
    m_slots[i].id = id;
}

void HandleIndex::erase(uint64_t h) {
    if (h == 0 || m_count == 0) return;
    size_t i = slot_of(h);
    while (m_slots[i].handle != h) {
        if (m_slots[i].handle == 0) return;
        i = (i + 1) & m_mask;
    }
    // Close the gap: every later entry of the run whose home slot does not
    // lie between the gap and itself moves into the gap, so that no search
    // stops early at a free slot in front of its entry.
    size_t gap = i;
    for (size_t j = (gap + 1) & m_mask; m_slots[j].handle != 0; j = (j + 1) & m_mask) {
        size_t home = slot_of(m_slots[j].handle);
        bool stays = gap <= j ? (gap < home && home <= j) : (gap < home || home <= j);
        if (stays) continue;
        m_slots[gap] = m_slots[j];
        gap = j;
    }
    m_slots[gap] = Slot{};
    --m_count;
}

void HandleIndex::clear() {
    std::vector<Slot>().swap(m_slots);
    m_mask = 0;
    m_shift = 64;
    m_count = 0;
}

}  // namespace cadhost::db
