// Batched sorted insertion with the result of the one-record-at-a-time rule.
//
// Why a batch can be merged: when the records already in the list whose
// sheet is not lower than the batch's sheet (the candidates) stand in
// position order, a new record goes just in front of the first candidate it
// precedes, which is where a stable merge of candidates and the stably
// sorted batch puts it (ties: the records already there first, then read
// order). The candidates stay in position order afterwards, so every record
// of the batch sees the same situation. When the candidates are out of
// order (possible only after a sheet arrived lower than sheets already
// read), the records are put in one by one by the rule itself.
#include "extract/sorted_insert.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace wcraft {

namespace {

// NaN coordinates compare false both ways, which no sort can order;
// batches holding them take the literal rule.
bool orderable(const XY& p) { return !std::isnan(p.x) && !std::isnan(p.y); }

// Room for `more` records, growing geometrically so that a list filled a
// batch at a time is not copied on every batch.
template <typename T>
void make_room(std::vector<T>& list, size_t more) {
    size_t need = list.size() + more;
    if (need > list.capacity()) list.reserve(std::max(need, 2 * list.capacity()));
}

template <typename T>
OrderMark take_mark(const std::vector<T>& list, PositionOrder order) {
    OrderMark m;
    m.size = list.size();
    m.order = static_cast<int>(order);
    for (const T& r : list) m.max_sheet = std::max(m.max_sheet, r.sheet);
    size_t tail = list.size();
    while (tail > 0 && list[tail - 1].sheet == m.max_sheet) {
        const T& r = list[tail - 1];
        if (!orderable(sort_point(r))) m.tail_ok = false;
        if (tail < list.size() && precedes(sort_point(list[tail]), sort_point(r), order)) m.tail_ok = false;
        --tail;
    }
    for (size_t i = 0; i < tail && m.tail_ok; ++i)
        if (list[i].sheet == m.max_sheet) m.tail_ok = false;
    return m;
}

template <typename T>
void literal_insert(std::vector<T>& list, T& rec, PositionOrder order) {
    size_t i = 0;
    while (i < list.size() && !(list[i].sheet >= rec.sheet && precedes(sort_point(rec), sort_point(list[i]), order)))
        ++i;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), std::move(rec));
}

template <typename T>
void insert_all_literally(std::vector<T>& list, std::vector<T>& batch, PositionOrder order) {
    make_room(list, batch.size());
    for (T& rec : batch) literal_insert(list, rec, order);
}

// Candidates from `from` on (records of a sheet not lower than `sheet`) in
// position order?
template <typename T>
bool candidates_ordered(const std::vector<T>& list, size_t from, int16_t sheet, PositionOrder order) {
    const T* prev = nullptr;
    for (size_t i = from; i < list.size(); ++i) {
        const T& r = list[i];
        if (r.sheet < sheet) continue;
        if (!orderable(sort_point(r))) return false;
        if (prev && precedes(sort_point(r), sort_point(*prev), order)) return false;
        prev = &r;
    }
    return true;
}

// Merges the sorted batch into list[from..]: each batch record goes in front
// of the first candidate it precedes, else to the end.
template <typename T>
void merge_from(std::vector<T>& list, size_t from, std::vector<T>& batch, int16_t sheet, PositionOrder order) {
    make_room(list, batch.size());  // nothing below allocates but the merged run
    if (from == list.size()) {
        // No candidates: the batch goes to the end as it stands.
        list.insert(list.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
        return;
    }
    std::vector<T> out;
    out.reserve(list.size() - from + batch.size());
    size_t b = 0;
    for (size_t i = from; i < list.size(); ++i) {
        if (list[i].sheet >= sheet)
            while (b < batch.size() && precedes(sort_point(batch[b]), sort_point(list[i]), order))
                out.push_back(std::move(batch[b++]));
        out.push_back(std::move(list[i]));
    }
    while (b < batch.size()) out.push_back(std::move(batch[b++]));
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(from), list.end());
    list.insert(list.end(), std::make_move_iterator(out.begin()), std::make_move_iterator(out.end()));
}

template <typename T>
void insert_batch(std::vector<T>& list, std::vector<T>& batch, PositionOrder order, OrderMark& mark) {
    if (batch.empty()) return;
    const int16_t sheet = batch.front().sheet;
    bool mergeable = std::all_of(batch.begin(), batch.end(),
                                 [&](const T& r) { return r.sheet == sheet && orderable(sort_point(r)); });
    if (!mergeable) {
        insert_all_literally(list, batch, order);
        mark = take_mark(list, order);
        batch.clear();
        return;
    }
    std::stable_sort(batch.begin(), batch.end(),
                     [&](const T& a, const T& b) { return precedes(sort_point(a), sort_point(b), order); });
    if (mark.size != list.size() || mark.order != static_cast<int>(order)) mark = take_mark(list, order);

    if (sheet > mark.max_sheet || (sheet == mark.max_sheet && mark.tail_ok)) {
        // The candidates are the tail block of this sheet, or none.
        size_t tail = list.size();
        while (tail > 0 && list[tail - 1].sheet == sheet) --tail;
        merge_from(list, tail, batch, sheet, order);
        mark.size = list.size();
        mark.max_sheet = sheet;
        mark.tail_ok = true;
    } else {
        size_t first = 0;
        while (first < list.size() && list[first].sheet < sheet) ++first;
        if (candidates_ordered(list, first, sheet, order))
            merge_from(list, first, batch, sheet, order);
        else
            insert_all_literally(list, batch, order);
        mark = take_mark(list, order);
    }
    batch.clear();
}

}  // namespace

void insert_sorted(std::vector<WireSegment>& list, std::vector<WireSegment>& batch, PositionOrder order,
                   OrderMark& mark) {
    insert_batch(list, batch, order, mark);
}

void insert_sorted(std::vector<Component>& list, std::vector<Component>& batch, PositionOrder order,
                   OrderMark& mark) {
    insert_batch(list, batch, order, mark);
}

}  // namespace wcraft
