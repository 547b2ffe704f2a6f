// The touch test of a point against a wire segment, the connection test of
// two segments, and the book of T-junction node points of one wire type.
#pragma once

#include <cstdint>

#include "extract/exact_index.h"
#include "extract/store.h"

namespace wcraft {

// The box of a segment: its X values and its Y values each put in order.
struct Box {
    double x1, y1, x2, y2;
};
Box box_of(double sx, double sy, double ex, double ey);
inline Box box_of(const WireSegment& s) { return box_of(s.start.x, s.start.y, s.end.x, s.end.y); }

// The point lies in the box, edges included; exact comparisons.
inline bool in_box(double px, double py, const Box& b) { return b.x1 <= px && px <= b.x2 && b.y1 <= py && py <= b.y2; }
// A touching point that is neither corner (x1, y1) nor (x2, y2).
inline bool inner_point(double px, double py, const Box& b) {
    return !(px == b.x1 && py == b.y1) && !(px == b.x2 && py == b.y2);
}

// The node points of one wire type: appends a point unless the list already
// has one on that sheet with exactly that X and Y. A slot table of every
// point of the list answers that without walking it.
class NodeBook {
public:
    explicit NodeBook(int wire_type) : m_type(wire_type) {}
    void record(int16_t sheet, double x, double y);

private:
    int m_type;
    SlotTable m_points;
};

// The touch test; in node mode 1 an inner touching point goes to `book`.
bool touches(double px, double py, const WireSegment& s, int node_mode, NodeBook* book, int16_t sheet);

// Two segments are connected when t's start or end lies on u, or u's start
// or end lies on t, tested in that order up to the first success (only that
// one may record a node point).
bool connected(const WireSegment& t, const WireSegment& u, int node_mode, NodeBook* book);

}  // namespace wcraft
