// An index of one wire type's segments by sheet and exact line coordinate,
// so that the segments a point touches, and the segments connected to a
// given one, are found without walking the list.
#pragma once

#include <cstdint>
#include <utility>
#include <unordered_map>
#include <vector>

#include "extract/store.h"

namespace wcraft {

// Where each line's entries stand in an index sorted by sheet and line, so
// a query goes straight to its line instead of searching the whole index.
class LineRanges {
public:
    template <typename E>
    void build(const std::vector<E>& sorted);
    // [begin, end) of the line's entries; empty when it has none.
    std::pair<uint32_t, uint32_t> find(int16_t sheet, double line) const;

private:
    struct Key {
        int16_t sheet;
        double line;
        bool operator==(const Key& o) const { return sheet == o.sheet && line == o.line; }
    };
    struct Hash {
        size_t operator()(const Key& k) const;
    };
    std::unordered_map<Key, std::pair<uint32_t, uint32_t>, Hash> m_ranges;
};

// Horizontal (and zero-length) segments lie on a line of equal Y, vertical
// ones on a line of equal X; anything else (sloped, or with a coordinate
// that is not a number) is kept aside and tested one by one.
enum class SegmentKind { Horizontal, Vertical, Other };
SegmentKind kind_of(const WireSegment& s);

// Intervals on lines: for a point on a line, the intervals holding it.
// A max tree over the interval ends skips the intervals that end before it.
class LineIndex {
public:
    struct Entry {
        int16_t sheet;
        double line, lo, hi;
        int32_t seg;
    };
    void build(std::vector<Entry> entries, size_t segments);
    // Calls f(segment) for every interval still held on (sheet, line) with
    // lo <= p <= hi.
    template <typename F>
    void containing(int16_t sheet, double line, double p, F&& f) const;
    void remove(int32_t seg);

private:
    template <typename F>
    void collect(size_t node, size_t nl, size_t nr, size_t b, size_t r, double p, F& f) const;
    std::vector<Entry> m_entries;  // by sheet, line, lo, segment
    LineRanges m_lines;
    std::vector<double> m_tree;    // max end per node; -inf for removed leaves
    std::vector<int32_t> m_pos;    // entry of each segment, -1 none
    size_t m_leaves = 0;
};

// Segment ends on lines: for a stretch of a line, the ends lying in it.
// Removed ends are skipped through links to the next end still held.
class PointIndex {
public:
    struct Entry {
        int16_t sheet;
        double line, pos;
        int32_t seg;
    };
    void build(std::vector<Entry> entries, size_t segments);
    // Calls f(segment) for every end still held on (sheet, line) with
    // lo <= pos <= hi.
    template <typename F>
    void within(int16_t sheet, double line, double lo, double hi, F&& f);
    void remove(int32_t seg);

private:
    int32_t next_held(int32_t i);
    std::vector<Entry> m_entries;  // by sheet, line, pos, segment
    LineRanges m_lines;
    std::vector<int32_t> m_next;   // next held entry at or after i
    std::vector<int32_t> m_pos;    // two entries per segment, -1 none
};

class SegmentIndex {
public:
    // The intervals of every segment of the list; enough for first_touched.
    void build_lines(const std::vector<WireSegment>& list);
    // The segment ends as well, for connected_to.
    void build_points(const std::vector<WireSegment>& list);
    // Smallest list index of a segment on `sheet` whose box holds the point,
    // -1 when none. Only asked before any segment is removed.
    int first_touched(const std::vector<WireSegment>& list, int16_t sheet, double px, double py) const;
    // Appends the segments still held on t's sheet that are connected to t
    // (no node points recorded); in any order, possibly repeated.
    void connected_to(const std::vector<WireSegment>& list, int32_t t, std::vector<int32_t>& out);
    void remove(int32_t seg);
    void clear();

private:
    LineIndex m_horizontal, m_vertical;
    PointIndex m_by_y, m_by_x;                                   // ends by Y line, by X line
    std::unordered_map<int16_t, std::vector<int32_t>> m_others;  // per sheet
    std::unordered_map<int16_t, std::vector<int32_t>> m_sheets;  // per sheet, only when others exist
    std::vector<char> m_held;
};

}  // namespace wcraft
