// The segment index: intervals and ends by sheet and exact line coordinate.
#include "numbering/segment_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <tuple>

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

// ---- LineRanges

size_t LineRanges::Hash::operator()(const Key& k) const {
    // -0 and 0 are the same line.
    double line = k.line == 0.0 ? 0.0 : k.line;
    uint64_t bits;
    std::memcpy(&bits, &line, sizeof bits);
    return std::hash<uint64_t>()(bits ^ (static_cast<uint64_t>(static_cast<uint16_t>(k.sheet)) << 48) ^
                                 static_cast<uint64_t>(static_cast<uint16_t>(k.sheet)));
}

template <typename E>
void LineRanges::build(const std::vector<E>& sorted) {
    m_ranges.clear();
    for (uint32_t i = 0; i < sorted.size();) {
        uint32_t j = i + 1;
        while (j < sorted.size() && sorted[j].sheet == sorted[i].sheet && sorted[j].line == sorted[i].line) ++j;
        m_ranges.emplace(Key{sorted[i].sheet, sorted[i].line}, std::make_pair(i, j));
        i = j;
    }
}

std::pair<uint32_t, uint32_t> LineRanges::find(int16_t sheet, double line) const {
    auto it = m_ranges.find(Key{sheet, line});
    return it == m_ranges.end() ? std::make_pair(0u, 0u) : it->second;
}

SegmentKind kind_of(const WireSegment& s) {
    if (any_nan(s)) return SegmentKind::Other;
    if (s.start.y == s.end.y) return SegmentKind::Horizontal;
    if (s.start.x == s.end.x) return SegmentKind::Vertical;
    return SegmentKind::Other;
}

// ---- LineIndex

void LineIndex::build(std::vector<Entry> entries, size_t segments) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.sheet, a.line, a.lo, a.seg) < std::tie(b.sheet, b.line, b.lo, b.seg);
    });
    m_entries = std::move(entries);
    m_lines.build(m_entries);
    m_leaves = 1;
    while (m_leaves < m_entries.size()) m_leaves *= 2;
    m_tree.assign(2 * m_leaves, kGone);
    m_pos.assign(segments, -1);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_tree[m_leaves + i] = m_entries[i].hi;
        m_pos[m_entries[i].seg] = static_cast<int32_t>(i);
    }
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
    if (r - b <= kScanIntervals) {
        for (uint32_t i = b; i < r; ++i)
            if (m_tree[m_leaves + i] >= p) f(m_entries[i].seg);
    } else {
        collect(1, 0, m_leaves, b, r, p, f);
    }
}

void LineIndex::remove(int32_t seg) {
    if (seg < 0 || static_cast<size_t>(seg) >= m_pos.size() || m_pos[seg] < 0) return;
    size_t n = m_leaves + static_cast<size_t>(m_pos[seg]);
    m_pos[seg] = -1;
    m_tree[n] = kGone;
    for (n /= 2; n >= 1; n /= 2) m_tree[n] = std::max(m_tree[2 * n], m_tree[2 * n + 1]);
}

// ---- PointIndex

void PointIndex::build(std::vector<Entry> entries, size_t segments) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.sheet, a.line, a.pos, a.seg) < std::tie(b.sheet, b.line, b.pos, b.seg);
    });
    m_entries = std::move(entries);
    m_lines.build(m_entries);
    m_next.resize(m_entries.size() + 1);
    for (size_t i = 0; i <= m_entries.size(); ++i) m_next[i] = static_cast<int32_t>(i);
    m_pos.assign(2 * segments, -1);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        int32_t* slot = &m_pos[2 * static_cast<size_t>(m_entries[i].seg)];
        slot[slot[0] < 0 ? 0 : 1] = static_cast<int32_t>(i);
    }
}

int32_t PointIndex::next_held(int32_t i) {
    int32_t root = i;
    while (m_next[root] != root) root = m_next[root];
    while (m_next[i] != root) {
        int32_t n = m_next[i];
        m_next[i] = root;
        i = n;
    }
    return root;
}

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

void SegmentIndex::build_lines(const std::vector<WireSegment>& list) {
    clear();
    std::vector<LineIndex::Entry> horizontal, vertical;
    horizontal.reserve(list.size());
    vertical.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        const WireSegment& s = list[i];
        int32_t seg = static_cast<int32_t>(i);
        Box b = box_of(s);
        switch (kind_of(s)) {
            case SegmentKind::Horizontal: horizontal.push_back({s.sheet, b.y1, b.x1, b.x2, seg}); break;
            case SegmentKind::Vertical: vertical.push_back({s.sheet, b.x1, b.y1, b.y2, seg}); break;
            case SegmentKind::Other: m_others[s.sheet].push_back(seg); break;
        }
    }
    m_horizontal.build(std::move(horizontal), list.size());
    m_vertical.build(std::move(vertical), list.size());
    m_held.assign(list.size(), 1);
}

void SegmentIndex::build_points(const std::vector<WireSegment>& list) {
    std::vector<PointIndex::Entry> by_y, by_x;
    by_y.reserve(2 * list.size());
    by_x.reserve(2 * list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        const WireSegment& s = list[i];
        int32_t seg = static_cast<int32_t>(i);
        if (!m_others.empty()) m_sheets[s.sheet].push_back(seg);
        if (kind_of(s) == SegmentKind::Other) continue;
        for (const XY& p : {s.start, s.end}) {
            by_y.push_back({s.sheet, p.y, p.x, seg});
            by_x.push_back({s.sheet, p.x, p.y, seg});
        }
    }
    m_by_y.build(std::move(by_y), list.size());
    m_by_x.build(std::move(by_x), list.size());
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
