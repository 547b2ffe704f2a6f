// The write-back's per-run lookup tables: records by sheet, wire links by
// number, relay marks by sheet and folded IREF.
#include "update/run_index.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <unordered_map>
#include <vector>

namespace wcraft {

namespace {

// List indices ordered by sheet, each sheet's in list order, with the
// sheet of each beside it for the search. Lists sorted by sheet give
// 0, 1, 2, ...; a sheet read out of order still finds all its records.
struct SheetOrder {
    std::vector<uint32_t> index;
    std::vector<int16_t> sheet;
};

template <typename T>
SheetOrder order_by_sheet(const std::vector<T>& list) {
    SheetOrder o;
    o.index.resize(list.size());
    for (uint32_t i = 0; i < o.index.size(); ++i) o.index[i] = i;
    std::stable_sort(o.index.begin(), o.index.end(),
                     [&list](uint32_t a, uint32_t b) { return list[a].sheet < list[b].sheet; });
    o.sheet.reserve(list.size());
    for (uint32_t i : o.index) o.sheet.push_back(list[i].sheet);
    return o;
}

template <typename T>
IndexSpan span_of(RunIndex<SheetOrder>& cache, const std::vector<T>& list, short sheet) {
    const SheetOrder& o = cache.get(list.size(), [&list] { return order_by_sheet(list); });
    auto range = std::equal_range(o.sheet.begin(), o.sheet.end(), static_cast<int16_t>(sheet));
    const uint32_t* base = o.index.data();
    return IndexSpan{base + (range.first - o.sheet.begin()), base + (range.second - o.sheet.begin())};
}

// The key same_text_nocase compares by: the text with ASCII letters in
// upper case, after the sheet's two bytes.
std::string mark_key(short sheet, std::string_view text) {
    std::string key(2 + text.size(), '\0');
    key[0] = static_cast<char>(sheet & 0xff);
    key[1] = static_cast<char>((sheet >> 8) & 0xff);
    for (size_t i = 0; i < text.size(); ++i)
        key[2 + i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return key;
}

using MarkIndex = std::unordered_map<std::string, uint32_t>;  // first mark of each key
using LinkIndex = std::unordered_map<int32_t, std::vector<uint32_t>>;  // ascending indices per number

}  // namespace

IndexSpan sheet_records(SheetList list, short sheet) {
    static RunIndex<SheetOrder> components, terminals, coils, contacts, links;
    Store& s = store();
    switch (list) {
    case SheetList::Components: return span_of(components, s.components, sheet);
    case SheetList::Terminals: return span_of(terminals, s.terminals, sheet);
    case SheetList::Coils: return span_of(coils, s.coils, sheet);
    case SheetList::Contacts: return span_of(contacts, s.contacts, sheet);
    case SheetList::WireLinks: return span_of(links, s.links, sheet);
    }
    return IndexSpan{};
}

long link_partner(size_t index) {
    static RunIndex<LinkIndex> cache;
    const std::vector<WireLink>& links = store().links;
    if (index >= links.size() || links[index].link == 0) return -1;
    const LinkIndex& by_number = cache.get(links.size(), [&links] {
        LinkIndex m;
        for (uint32_t i = 0; i < links.size(); ++i) m[links[i].link].push_back(i);
        return m;
    });
    auto numbered = by_number.find(links[index].link);
    if (numbered == by_number.end()) return -1;
    const std::vector<uint32_t>& same = numbered->second;
    auto later = std::upper_bound(same.begin(), same.end(), index);
    if (later != same.end()) return *later;
    return same.front() < index ? static_cast<long>(same.front()) : -1;
}

const RelayMark* relay_mark_for(short sheet, std::string_view ref) {
    static RunIndex<MarkIndex> cache;
    const std::vector<RelayMark>& marks = store().relay_marks;
    const MarkIndex& first = cache.get(marks.size(), [&marks] {
        MarkIndex m;
        for (uint32_t i = 0; i < marks.size(); ++i) m.emplace(mark_key(marks[i].sheet, marks[i].iref.view()), i);
        return m;
    });
    auto it = first.find(mark_key(sheet, ref));
    return it == first.end() ? nullptr : &marks[it->second];
}

}  // namespace wcraft
