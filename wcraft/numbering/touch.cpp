// Touch and connection tests and node point recording.
#include "numbering/touch.h"

#include <new>
#include <utility>

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

void NodeBook::record(int16_t sheet, double x, double y) {
    std::vector<NodePoint>& list = store().nodes[m_type];
    auto hash_of = [&list](uint32_t i) {
        return place_hash(list[i].sheet, coordinate_bits(list[i].point.x), coordinate_bits(list[i].point.y));
    };
    try {
        m_points.make_room(list.size(), hash_of);
    } catch (const std::bad_alloc&) {
        fatal_alloc(nmsg::kFnTouches, 1);
        return;
    }
    uint32_t& slot = m_points.find(place_hash(sheet, coordinate_bits(x), coordinate_bits(y)), [&](uint32_t i) {
        return list[i].sheet == sheet && list[i].point.x == x && list[i].point.y == y;
    });
    if (slot != 0) return;  // already a node point
    size_t before = list.size();
    append_node(list, sheet, x, y);
    if (list.size() != before) slot = static_cast<uint32_t>(list.size());  // else a later touch tries again
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
