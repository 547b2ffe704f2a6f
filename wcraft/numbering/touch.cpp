// Touch and connection tests and node point recording.
#include "numbering/touch.h"

#include <cstring>
#include <functional>
#include <new>
#include <utility>

#include "host/error_report.h"
#include "numbering/messages.h"
#include "numbering/wire_numbering.h"

namespace wcraft {

namespace {

// -0.0 and 0.0 compare equal, so they must hash alike.
size_t hash_double(double v) {
    if (v == 0.0) v = 0.0;
    uint64_t bits;
    memcpy(&bits, &v, sizeof bits);
    return std::hash<uint64_t>{}(bits);
}

void append_node(std::vector<NodePoint>& list, int16_t sheet, double x, double y) {
    try {
        list.push_back(NodePoint{sheet, XY{x, y}});
    } catch (const std::bad_alloc&) {
        fatal_alloc(nmsg::kFnTouches, 1);
    }
}

}  // namespace

Box box_of(double sx, double sy, double ex, double ey) {
    Box b{sx, sy, ex, ey};
    if (b.x1 > b.x2) std::swap(b.x1, b.x2);
    if (b.y1 > b.y2) std::swap(b.y1, b.y2);
    return b;
}

size_t NodeBook::KeyHash::operator()(const Key& k) const {
    size_t h = hash_double(k.x);
    h ^= hash_double(k.y) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h ^ (static_cast<size_t>(static_cast<uint16_t>(k.sheet)) * 0x100000001b3ULL);
}

NodeBook::NodeBook(int wire_type) : m_type(wire_type) {
    for (const NodePoint& n : store().nodes[wire_type]) m_seen.insert(Key{n.sheet, n.point.x, n.point.y});
}

void NodeBook::record(int16_t sheet, double x, double y) {
    Key k{sheet, x, y};
    try {
        if (!m_seen.insert(k).second) return;  // already a node point
    } catch (const std::bad_alloc&) {
        fatal_alloc(nmsg::kFnTouches, 1);
        return;
    }
    std::vector<NodePoint>& list = store().nodes[m_type];
    size_t before = list.size();
    append_node(list, sheet, x, y);
    if (list.size() == before) m_seen.erase(k);  // not made: a later touch tries again
}

bool touches(double px, double py, const WireSegment& s, int node_mode, NodeBook* book, int16_t sheet) {
    Box b = box_of(s);
    if (!in_box(px, py, b)) return false;
    if (node_mode == 1 && book && inner_point(px, py, b)) book->record(sheet, px, py);
    return true;
}

bool connected(const WireSegment& t, const WireSegment& u, int node_mode, NodeBook* book) {
    return touches(t.start.x, t.start.y, u, node_mode, book, t.sheet) ||
           touches(t.end.x, t.end.y, u, node_mode, book, t.sheet) ||
           touches(u.start.x, u.start.y, t, node_mode, book, t.sheet) ||
           touches(u.end.x, u.end.y, t, node_mode, book, t.sheet);
}

int point_touches_line(double px, double py, double sx, double sy, double ex, double ey, int node_mode,
                       int wire_type, short sheet) {
    Box b = box_of(sx, sy, ex, ey);
    if (!in_box(px, py, b)) return 0;
    if (node_mode == 1 && inner_point(px, py, b) && wire_type >= 0 && wire_type < kMaxWires) {
        std::vector<NodePoint>& list = store().nodes[wire_type];
        bool known = false;
        for (const NodePoint& n : list)
            if (n.sheet == sheet && n.point.x == px && n.point.y == py) {
                known = true;
                break;
            }
        if (!known) append_node(list, sheet, px, py);
    }
    return 1;
}

}  // namespace wcraft
