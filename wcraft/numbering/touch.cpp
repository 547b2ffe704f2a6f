// Touch and connection tests and node point recording.
#include "numbering/touch.h"

#include <algorithm>
#include <new>
#include <utility>

#include "extract/exact_hash.h"
#include "host/error_report.h"
#include "numbering/messages.h"
#include "numbering/wire_numbering.h"

namespace wcraft {

namespace {

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

uint32_t& NodeBook::slot_of(int16_t sheet, double x, double y) {
    const std::vector<NodePoint>& list = store().nodes[m_type];
    uint64_t h = spread_bits(coordinate_bits(x) ^ static_cast<uint64_t>(static_cast<uint16_t>(sheet)));
    size_t mask = m_slots.size() - 1;
    for (size_t i = spread_bits(h ^ coordinate_bits(y)) & mask;; i = (i + 1) & mask) {
        uint32_t& slot = m_slots[i];
        if (slot == 0) return slot;
        const NodePoint& n = list[slot - 1];
        if (n.sheet == sheet && n.point.x == x && n.point.y == y) return slot;
    }
}

void NodeBook::make_room() {
    if (2 * (m_points + 1) <= m_slots.size()) return;
    std::vector<uint32_t> old(std::max<size_t>(16, 2 * m_slots.size()), 0);
    old.swap(m_slots);
    const std::vector<NodePoint>& list = store().nodes[m_type];
    for (uint32_t held : old)
        if (held != 0) slot_of(list[held - 1].sheet, list[held - 1].point.x, list[held - 1].point.y) = held;
}

NodeBook::NodeBook(int wire_type) : m_type(wire_type) {
    const std::vector<NodePoint>& list = store().nodes[wire_type];
    for (size_t i = 0; i < list.size(); ++i) {
        try {
            make_room();
        } catch (const std::bad_alloc&) {
            fatal_alloc(nmsg::kFnTouches, 1);
            return;
        }
        uint32_t& slot = slot_of(list[i].sheet, list[i].point.x, list[i].point.y);
        if (slot == 0) slot = static_cast<uint32_t>(i + 1), ++m_points;
    }
}

void NodeBook::record(int16_t sheet, double x, double y) {
    try {
        make_room();
    } catch (const std::bad_alloc&) {
        fatal_alloc(nmsg::kFnTouches, 1);
        return;
    }
    uint32_t& slot = slot_of(sheet, x, y);
    if (slot != 0) return;  // already a node point
    std::vector<NodePoint>& list = store().nodes[m_type];
    size_t before = list.size();
    append_node(list, sheet, x, y);
    if (list.size() == before) return;  // not made: a later touch tries again
    slot = static_cast<uint32_t>(list.size());
    ++m_points;
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
