// The write-back's lookups over the store's lists, built once per run rather
// than walking a whole list for every sheet or record: the records of one
// sheet, a wire link's partner, the relay marker naming a coil.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "extract/store.h"

namespace wcraft {

// A table built from one of the store's lists and kept for the rest of the
// run. It answers as a fresh walk of the list would: it is built again
// whenever the store has been reset since (a new run) or the list no longer
// has the size it had. Between those, the fields a table is built from
// (sheet, link number, IREF value) do not change: they are set when a
// record is read in stage 2 and only read afterwards.
template <typename Data>
class RunIndex {
public:
    template <typename Build>
    const Data& get(size_t list_size, Build build) {
        const Store& s = store();
        if (!m_built || m_generation != s.generation || m_size != list_size) {
            m_data = build();
            m_built = true;
            m_generation = s.generation;
            m_size = list_size;
        }
        return m_data;
    }

private:
    Data m_data{};
    uint64_t m_generation = 0;
    size_t m_size = 0;
    bool m_built = false;
};

// The lists whose records the write-back takes sheet by sheet.
enum class SheetList { Components, Terminals, Coils, Contacts, WireLinks };

// List indices, ascending.
struct IndexSpan {
    const uint32_t* first = nullptr;
    const uint32_t* last = nullptr;
    const uint32_t* begin() const { return first; }
    const uint32_t* end() const { return last; }
    size_t size() const { return static_cast<size_t>(last - first); }
};

// The indices of the records of `sheet` in `list`, in list order: the
// records a walk of the whole list testing each one's sheet would visit.
IndexSpan sheet_records(SheetList list, short sheet);

// The partner of wire link `index` of the wire link list: the first later
// link with the same link number, else the first from the head with it
// (when that is not the link itself). -1 when there is none, and always
// for link number 0.
long link_partner(size_t index);

// The first relay mark of the list on `sheet` whose IREF equals `ref`
// ignoring case; null when there is none.
const RelayMark* relay_mark_for(short sheet, std::string_view ref);

}  // namespace wcraft
