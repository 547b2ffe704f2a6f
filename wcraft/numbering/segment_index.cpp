// The segment index: intervals and ends by sheet and exact line coordinate.
#include "numbering/segment_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

#include "numbering/forest.h"
#include "numbering/touch.h"

namespace wcraft {

namespace {

constexpr double kGone = -std::numeric_limits<double>::infinity();

bool any_nan(const WireSegment& s) {
    return std::isnan(s.start.x) || std::isnan(s.start.y) || std::isnan(s.end.x) || std::isnan(s.end.y);
}

// Below this many intervals on a line, looking at each is quicker than
// descending the tree.
constexpr uint32_t kScanIntervals = 32;

}  // namespace

SegmentKind kind_of(const WireSegment& s) {
    if (any_nan(s)) return SegmentKind::Other;
    if (s.start.y == s.end.y) return SegmentKind::Horizontal;
    if (s.start.x == s.end.x) return SegmentKind::Vertical;
    return SegmentKind::Other;
}

// ---- LineRanges

void LineRanges::clear() {
    m_sheets.clear();
    m_lines.clear();
    m_slots = SlotTable{};
    m_longest = 0;
}

void LineRanges::add_line(int16_t sheet, double line, uint32_t begin) {
    if (m_sheets.empty() || m_sheets.back().sheet != sheet)
        m_sheets.push_back({sheet, static_cast<uint32_t>(m_lines.size())});
    m_lines.push_back({line, begin, sheet});
}

uint64_t LineRanges::hash_of(int16_t sheet, double line) { return place_hash(sheet, coordinate_bits(line), 0); }

void LineRanges::finish(uint32_t total) {
    m_sheets.push_back({0, static_cast<uint32_t>(m_lines.size())});
    m_lines.push_back({0.0, total, 0});
    for (size_t i = 0; i + 1 < m_lines.size(); ++i)
        m_longest = std::max(m_longest, m_lines[i + 1].begin - m_lines[i].begin);
    m_sheets.shrink_to_fit();
    m_lines.shrink_to_fit();
    size_t lines = m_lines.size() - 1;
    m_slots.reset(lines);
    for (size_t i = 0; i < lines; ++i) {
        // Lines are unique within a sheet; the first one of a key stays.
        uint32_t& slot = m_slots.find(hash_of(m_lines[i].sheet, m_lines[i].line), [&](uint32_t held) {
            return m_lines[held].sheet == m_lines[i].sheet && m_lines[held].line == m_lines[i].line;
        });
        if (slot == 0) slot = static_cast<uint32_t>(i + 1);
    }
}

std::pair<uint32_t, uint32_t> LineRanges::find(int16_t sheet, double line) const {
    if (m_slots.empty()) return {0, 0};
    uint32_t slot = m_slots.find(hash_of(sheet, line), [&](uint32_t held) {
        return m_lines[held].sheet == sheet && m_lines[held].line == line;
    });
    if (slot == 0) return {0, 0};
    return {m_lines[slot - 1].begin, m_lines[slot].begin};
}

namespace {

// Sorts one sheet's items by line, then `key`, then segment, and appends
// them; each new line is noted in `lines`.
template <typename Item, typename Entry, typename Key, typename Slim>
void append_sheet(int16_t sheet, std::vector<Item>& items, std::vector<Entry>& entries, LineRanges& lines, Key key,
                  Slim slim) {
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        return std::make_tuple(a.line, key(a), a.seg) < std::make_tuple(b.line, key(b), b.seg);
    });
    for (size_t i = 0; i < items.size(); ++i) {
        if (i == 0 || items[i].line != items[i - 1].line)
            lines.add_line(sheet, items[i].line, static_cast<uint32_t>(entries.size()));
        entries.push_back(slim(items[i]));
    }
}

}  // namespace

// ---- LineIndex

void LineIndex::begin(size_t segments, size_t items) {
    m_entries.clear();
    m_entries.reserve(items);
    m_lines.clear();
    m_pos.assign(segments, -1);
}

void LineIndex::add_sheet(int16_t sheet, std::vector<Item>& items) {
    append_sheet(sheet, items, m_entries, m_lines, [](const Item& x) { return x.lo; },
                 [](const Item& x) { return Entry{x.lo, x.hi, x.seg}; });
}

void LineIndex::finish() {
    m_entries.shrink_to_fit();
    m_lines.finish(static_cast<uint32_t>(m_entries.size()));
    for (size_t i = 0; i < m_entries.size(); ++i) m_pos[m_entries[i].seg] = static_cast<int32_t>(i);
    m_tree.clear();
    m_leaves = 0;
    if (m_lines.longest() <= kScanIntervals) return;
    m_leaves = 1;
    while (m_leaves < m_entries.size()) m_leaves *= 2;
    m_tree.assign(2 * m_leaves, kGone);
    for (size_t i = 0; i < m_entries.size(); ++i) m_tree[m_leaves + i] = m_entries[i].hi;
    for (size_t n = m_leaves - 1; n >= 1; --n) m_tree[n] = std::max(m_tree[2 * n], m_tree[2 * n + 1]);
}

template <typename F>
void LineIndex::collect(size_t node, size_t nl, size_t nr, size_t b, size_t r, double p, F& f) const {
    if (nr <= b || nl >= r || !(m_tree[node] >= p)) return;
    if (nr - nl == 1) {
        f(m_entries[nl].seg);
        return;
    }
    size_t mid = (nl + nr) / 2;
    collect(2 * node, nl, mid, b, r, p, f);
    collect(2 * node + 1, mid, nr, b, r, p, f);
}

template <typename F>
void LineIndex::containing(int16_t sheet, double line, double p, F&& f) const {
    if (m_entries.empty() || std::isnan(line) || std::isnan(p)) return;
    auto [b, e] = m_lines.find(sheet, line);
    // the line's intervals that begin at or before p
    auto past = std::upper_bound(m_entries.begin() + b, m_entries.begin() + e, p,
                                 [](double v, const Entry& x) { return v < x.lo; });
    uint32_t r = static_cast<uint32_t>(past - m_entries.begin());
    if (r - b <= kScanIntervals || m_tree.empty()) {
        for (uint32_t i = b; i < r; ++i)
            if (m_entries[i].hi >= p) f(m_entries[i].seg);
    } else {
        collect(1, 0, m_leaves, b, r, p, f);
    }
}

void LineIndex::remove(int32_t seg) {
    if (seg < 0 || static_cast<size_t>(seg) >= m_pos.size() || m_pos[seg] < 0) return;
    size_t at = static_cast<size_t>(m_pos[seg]);
    m_pos[seg] = -1;
    m_entries[at].hi = kGone;
    if (m_tree.empty()) return;
    size_t n = m_leaves + at;
    m_tree[n] = kGone;
    for (n /= 2; n >= 1; n /= 2) m_tree[n] = std::max(m_tree[2 * n], m_tree[2 * n + 1]);
}

// ---- PointIndex

void PointIndex::begin(size_t segments, size_t items) {
    m_entries.clear();
    m_entries.reserve(items);
    m_lines.clear();
    m_pos.assign(2 * segments, -1);
}

void PointIndex::add_sheet(int16_t sheet, std::vector<Item>& items) {
    append_sheet(sheet, items, m_entries, m_lines, [](const Item& x) { return x.pos; },
                 [](const Item& x) { return Entry{x.pos, x.seg}; });
}

void PointIndex::finish() {
    m_entries.shrink_to_fit();
    m_lines.finish(static_cast<uint32_t>(m_entries.size()));
    m_next.resize(m_entries.size() + 1);
    for (size_t i = 0; i <= m_entries.size(); ++i) m_next[i] = static_cast<int32_t>(i);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        int32_t* slot = &m_pos[2 * static_cast<size_t>(m_entries[i].seg)];
        slot[slot[0] < 0 ? 0 : 1] = static_cast<int32_t>(i);
    }
}

int32_t PointIndex::next_held(int32_t i) { return forest_root(m_next, i); }

template <typename F>
void PointIndex::within(int16_t sheet, double line, double lo, double hi, F&& f) {
    if (m_entries.empty() || std::isnan(line) || std::isnan(lo) || std::isnan(hi)) return;
    auto [b, e] = m_lines.find(sheet, line);
    auto first = std::lower_bound(m_entries.begin() + b, m_entries.begin() + e, lo,
                                  [](const Entry& x, double v) { return x.pos < v; });
    auto past = std::upper_bound(first, m_entries.begin() + e, hi, [](double v, const Entry& x) { return v < x.pos; });
    int32_t end = static_cast<int32_t>(past - m_entries.begin());
    for (int32_t i = next_held(static_cast<int32_t>(first - m_entries.begin())); i < end; i = next_held(i + 1))
        f(m_entries[i].seg);
}

void PointIndex::remove(int32_t seg) {
    if (seg < 0 || 2 * static_cast<size_t>(seg) >= m_pos.size()) return;
    for (int k = 0; k < 2; ++k) {
        int32_t& p = m_pos[2 * static_cast<size_t>(seg) + k];
        if (p >= 0) m_next[p] = p + 1;
        p = -1;
    }
}

// ---- SegmentIndex

template <typename Each>
void SegmentIndex::by_sheet(const std::vector<WireSegment>& list, Each each) {
    // Lists are normally in sheet order already; a sheet read out of order
    // makes its segments come apart, and they are brought together here.
    std::vector<int32_t> order(list.size());
    for (size_t i = 0; i < list.size(); ++i) order[i] = static_cast<int32_t>(i);
    auto lower_sheet = [](const WireSegment& a, const WireSegment& b) { return a.sheet < b.sheet; };
    if (!std::is_sorted(list.begin(), list.end(), lower_sheet))
        std::stable_sort(order.begin(), order.end(),
                         [&](int32_t a, int32_t b) { return lower_sheet(list[a], list[b]); });
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j < order.size() && list[order[j]].sheet == list[order[i]].sheet) ++j;
        each(list[order[i]].sheet, order.data() + i, order.data() + j);
        i = j;
    }
}

void SegmentIndex::build_lines(const std::vector<WireSegment>& list) {
    clear();
    size_t kinds[3] = {0, 0, 0};
    for (const WireSegment& s : list) ++kinds[static_cast<int>(kind_of(s))];
    m_horizontal.begin(list.size(), kinds[static_cast<int>(SegmentKind::Horizontal)]);
    m_vertical.begin(list.size(), kinds[static_cast<int>(SegmentKind::Vertical)]);
    std::vector<LineIndex::Item> horizontal, vertical;
    by_sheet(list, [&](int16_t sheet, const int32_t* first, const int32_t* last) {
        horizontal.clear();
        vertical.clear();
        for (const int32_t* it = first; it != last; ++it) {
            const WireSegment& s = list[*it];
            Box b = box_of(s);
            switch (kind_of(s)) {
                case SegmentKind::Horizontal: horizontal.push_back({b.y1, b.x1, b.x2, *it}); break;
                case SegmentKind::Vertical: vertical.push_back({b.x1, b.y1, b.y2, *it}); break;
                case SegmentKind::Other: m_others[sheet].push_back(*it); break;
            }
        }
        m_horizontal.add_sheet(sheet, horizontal);
        m_vertical.add_sheet(sheet, vertical);
    });
    m_horizontal.finish();
    m_vertical.finish();
    m_held.assign(list.size(), 1);
}

void SegmentIndex::build_points(const std::vector<WireSegment>& list) {
    size_t ends = 0;
    for (const WireSegment& s : list) ends += kind_of(s) == SegmentKind::Other ? 0 : 2;
    m_by_y.begin(list.size(), ends);
    m_by_x.begin(list.size(), ends);
    std::vector<PointIndex::Item> by_y, by_x;
    by_sheet(list, [&](int16_t sheet, const int32_t* first, const int32_t* last) {
        by_y.clear();
        by_x.clear();
        for (const int32_t* it = first; it != last; ++it) {
            const WireSegment& s = list[*it];
            if (!m_others.empty()) m_sheets[sheet].push_back(*it);
            if (kind_of(s) == SegmentKind::Other) continue;
            for (const XY& p : {s.start, s.end}) {
                by_y.push_back({p.y, p.x, *it});
                by_x.push_back({p.x, p.y, *it});
            }
        }
        m_by_y.add_sheet(sheet, by_y);
        m_by_x.add_sheet(sheet, by_x);
    });
    m_by_y.finish();
    m_by_x.finish();
}

int SegmentIndex::first_touched(const std::vector<WireSegment>& list, int16_t sheet, double px, double py) const {
    int32_t best = -1;
    auto take = [&best](int32_t seg) {
        if (best < 0 || seg < best) best = seg;
    };
    m_horizontal.containing(sheet, py, px, take);
    m_vertical.containing(sheet, px, py, take);
    auto it = m_others.find(sheet);
    if (it != m_others.end())
        for (int32_t seg : it->second)
            if (in_box(px, py, box_of(list[seg]))) take(seg);
    return best;
}

void SegmentIndex::connected_to(const std::vector<WireSegment>& list, int32_t t, std::vector<int32_t>& out) {
    const WireSegment& ts = list[t];
    auto take = [&](int32_t seg) {
        if (seg != t) out.push_back(seg);
    };
    auto test_one_by_one = [&](const std::vector<int32_t>& candidates) {
        for (int32_t seg : candidates)
            if (seg != t && m_held[seg] && connected(ts, list[seg], 0, nullptr)) out.push_back(seg);
    };
    SegmentKind kind = kind_of(ts);
    if (kind == SegmentKind::Other) {
        auto it = m_sheets.find(ts.sheet);
        if (it != m_sheets.end()) test_one_by_one(it->second);
        return;
    }
    for (const XY& p : {ts.start, ts.end}) {
        m_horizontal.containing(ts.sheet, p.y, p.x, take);
        m_vertical.containing(ts.sheet, p.x, p.y, take);
    }
    Box b = box_of(ts);
    if (kind == SegmentKind::Horizontal)
        m_by_y.within(ts.sheet, b.y1, b.x1, b.x2, take);
    else
        m_by_x.within(ts.sheet, b.x1, b.y1, b.y2, take);
    auto it = m_others.find(ts.sheet);
    if (it != m_others.end()) test_one_by_one(it->second);
}

void SegmentIndex::remove(int32_t seg) {
    if (seg < 0 || static_cast<size_t>(seg) >= m_held.size() || !m_held[seg]) return;
    m_held[seg] = 0;
    m_horizontal.remove(seg);
    m_vertical.remove(seg);
    m_by_y.remove(seg);
    m_by_x.remove(seg);
}

void SegmentIndex::clear() { *this = SegmentIndex{}; }

}  // namespace wcraft
