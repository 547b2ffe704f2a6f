// An index of one wire type's segments by sheet and exact line coordinate,
// so that the segments a point touches, and the segments connected to a
// given one, are found without walking the list.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "extract/exact_index.h"
#include "extract/store.h"

namespace wcraft {

// Where each line's entries stand in an index sorted by sheet and line, so
// a query goes straight to its line. Filled sheet by sheet, in ascending
// sheet order, each sheet's lines in ascending order.
class LineRanges {
public:
    void clear();
    void add_line(int16_t sheet, double line, uint32_t begin);
    void finish(uint32_t total);
    // [begin, end) of the line's entries; empty when it has none.
    std::pair<uint32_t, uint32_t> find(int16_t sheet, double line) const;
    // The most entries any one line has.
    uint32_t longest() const { return m_longest; }

private:
    struct Sheet {
        int16_t sheet;
        uint32_t first_line;
    };
    struct Line {
        double line;
        uint32_t begin;
        int16_t sheet;
    };
    static uint64_t hash_of(int16_t sheet, double line);
    std::vector<Sheet> m_sheets;  // and an end mark
    std::vector<Line> m_lines;    // and an end mark
    SlotTable m_slots;  // the lines by sheet and exact coordinate
    uint32_t m_longest = 0;
};

// Horizontal (and zero-length) segments lie on a line of equal Y, vertical
// ones on a line of equal X; anything else (sloped, or with a coordinate
// that is not a number) is kept aside and tested one by one.
enum class SegmentKind { Horizontal, Vertical, Other };
SegmentKind kind_of(const WireSegment& s);

// Intervals on lines: for a point on a line, the intervals holding it.
// Where a line holds many intervals, a max tree over the interval ends
// skips the ones that end before the point; it is only built when some
// line needs it.
class LineIndex {
public:
    struct Item {
        double line, lo, hi;
        int32_t seg;
    };
    // Built one sheet at a time, in ascending sheet order, from `items`
    // intervals in all of a list of `segments`.
    void begin(size_t segments, size_t items);
    void add_sheet(int16_t sheet, std::vector<Item>& items);
    void finish();
    // Calls f(segment) for every interval still held on (sheet, line) with
    // lo <= p <= hi.
    template <typename F>
    void containing(int16_t sheet, double line, double p, F&& f) const;
    void remove(int32_t seg);

private:
    struct Entry {
        double lo, hi;  // hi is -inf once removed
        int32_t seg;
    };
    template <typename F>
    void collect(size_t node, size_t nl, size_t nr, size_t b, size_t r, double p, F& f) const;
    std::vector<Entry> m_entries;  // by sheet, line, lo, segment
    LineRanges m_lines;
    std::vector<double> m_tree;    // max end per node; -inf for removed leaves; or none
    std::vector<int32_t> m_pos;    // entry of each segment, -1 none
    size_t m_leaves = 0;
};

// Segment ends on lines: for a stretch of a line, the ends lying in it.
// Removed ends are skipped through links to the next end still held.
class PointIndex {
public:
    struct Item {
        double line, pos;
        int32_t seg;
    };
    // Built one sheet at a time, in ascending sheet order, from `items`
    // ends in all of a list of `segments`.
    void begin(size_t segments, size_t items);
    void add_sheet(int16_t sheet, std::vector<Item>& items);
    void finish();
    // Calls f(segment) for every end still held on (sheet, line) with
    // lo <= pos <= hi.
    template <typename F>
    void within(int16_t sheet, double line, double lo, double hi, F&& f);
    void remove(int32_t seg);

private:
    struct Entry {
        double pos;
        int32_t seg;
    };
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
    // Calls each(sheet, segments of the sheet in list order), sheets ascending.
    template <typename Each>
    static void by_sheet(const std::vector<WireSegment>& list, Each each);
    LineIndex m_horizontal, m_vertical;
    PointIndex m_by_y, m_by_x;                                   // ends by Y line, by X line
    std::unordered_map<int16_t, std::vector<int32_t>> m_others;  // per sheet
    std::unordered_map<int16_t, std::vector<int32_t>> m_sheets;  // per sheet, only when others exist
    std::vector<char> m_held;
};

}  // namespace wcraft
