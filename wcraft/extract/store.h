// The post-processor's store: every record read from the drawings of one
// run, from stage 1 (reset) to stage 5 (freed). Lists keep the order the
// numbering, write-back and reports rely on; each list is a vector whose
// element order is the list order (element 0 is the head).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "project/fixed_text.h"
#include "project/project_config.h"

struct resbuf;  // the host's value list

namespace wcraft {

// Field sizes: the capacity is the array size less its terminator.
using HandleText = FixedText<20>;  // 21-character array
using ValueText = FixedText<15>;   // 16-character array
using ZoneText = FixedText<20>;    // 21-character array
using IdText = FixedText<10>;      // 11-character array
// A grid reference text is the sheet number, a comma and up to three
// characters. A field of 7 would overflow from sheet 100 on with a
// three-character reference; "-32768,ABC" needs 10, so the field holds 11
// and no sheet number can make it overflow.
using GridText = FixedText<11>;

// Copies at most limit - 1 characters of `source` (and never more than the
// field holds) into `dest`; a limit below 2 gives an empty text.
void bounded_copy(TextRef dest, std::string_view source, int limit);
template <size_t N>
void bounded_copy(FixedText<N>& dest, std::string_view source, int limit) {
    bounded_copy(dest.ref(), source, limit);
}

struct XY {
    double x = 0.0;
    double y = 0.0;
};

// Marks of the numbering walk and the write-back in WireSegment::state.
enum SegmentState : int32_t {
    SEG_UNVISITED = 0,
    SEG_QUEUED = 1,
    SEG_REACHED = 2,
    SEG_DONE = 9,
    SEG_WRITTEN = 10,
};

// One LINE on a wire layer: start is the upper end of a vertical line and
// the left end of a horizontal one.
struct WireSegment {
    int16_t sheet = 0;
    XY start, end;
    int32_t wire_number = 0;
    int32_t state = SEG_UNVISITED;
    int32_t group = 0;
    int32_t link = 0;            // wire link or phantom number joining segments
    int32_t user_link = 0;       // LINK of a wire link block placed on it
    int32_t link_wire_type = 0;  // wire type index where a link was put on it
    int32_t link_pending = 0;    // a link put on it is still to be spread
    int32_t label = 0;           // carries its own wire number text
};

// A T-junction of one wire type, drawn as a node block.
struct NodePoint {
    int16_t sheet = 0;
    XY point;
};

// Where a wire link is attached: a wire type and the index of the segment
// in that type's wire list. Indices stay valid from stage 3 on, since
// records are added only in stage 2.
struct SegmentRef {
    int32_t wire_type = -1;
    int32_t index = -1;
    bool empty() const { return index < 0; }
};

// A wire link block (or, in the phantom list, one connection point of a
// pass-through terminal or component).
struct WireLink {
    int16_t sheet = 0;
    XY point;
    int32_t link = 0;
    SegmentRef attached;
    HandleText handle;
};

struct GridRef {
    XY point;
    FixedText<6> text;  // 7-character array; extraction keeps at most 3
};

enum GridOrientation : int32_t { GRID_UNDEFINED = 0, GRID_HORIZONTAL = 1, GRID_VERTICAL = 2 };

struct RelayMark {
    int16_t sheet = 0;
    XY point;
    double height = 0.0;
    double rotation = 0.0;
    ValueText iref;
};

struct ZoneBox {
    int16_t sheet = 0;
    XY bottom_left, top_right;
};

struct IdPoint {
    XY point;
    IdText id;
    int32_t has_connection = 0;
    int32_t is_connected = 0;
    int32_t visited = 0;
};

// Appends one ID point made from an attribute's entity data (its point and
// value, flags 0); 0 when the record cannot be made.
int add_id_node(std::vector<IdPoint>& list, const resbuf* attribute);

enum XdataType : int16_t { XD_NO = 1, XD_NC = 2, XD_TM = 3, XD_COIL = 4 };

struct XdataNode {
    ValueText name;
    int16_t type = 0;
};

// Appends one xdata node with the name (cut to the field) and type; 0 when
// the record cannot be made.
int add_xdata_node(std::vector<XdataNode>& list, int16_t type, std::string_view name);

// A block with attributes: component, terminal, relay coil or contact.
struct Component {
    int16_t sheet = 0;
    XY point;
    GridText grid;
    ValueText ref, cv, bom, bomatt, tag, cid, user;
    ZoneText zone_text;
    int32_t zone = -1;
    HandleText handle;
    int32_t numbered = 0;
    std::vector<XdataNode> xdata;
    std::vector<IdPoint> ids;  // in the order of the block's attributes
};

// What is known of a sorted list's order since its last sorted insertion,
// so that the common case (a sheet not lower than any sheet already in the
// list) needs no walk of the whole list. It is trusted only while the list
// still has the size it had then; otherwise it is taken again.
struct OrderMark {
    size_t size = 0;
    int order = -1;                 // position order it was taken under, -1 never taken
    int16_t max_sheet = INT16_MIN;  // highest sheet in the list
    bool tail_ok = true;            // the records of max_sheet form the list's tail, in position order
};

// A run of consecutive segments of one sheet in a wire list.
struct SheetRun {
    int16_t sheet = 0;
    uint32_t begin = 0, end = 0;  // list indices, end exclusive
};

struct Store {
    std::vector<WireSegment> wires[kMaxWires];  // sorted: sheet, then position
    std::vector<NodePoint> nodes[kMaxWires];    // order of creation
    std::vector<WireLink> links;                // order of extraction
    std::vector<WireLink> phantoms;             // order of creation
    std::vector<RelayMark> relay_marks;         // order of extraction
    std::vector<GridRef> grid;                  // grid order
    int32_t grid_orientation = GRID_UNDEFINED;
    std::vector<ZoneBox> zones[kMaxZones];  // per zone definition, order of extraction
    // sorted: sheet, then position
    std::vector<Component> components, terminals, coils, contacts, unlisted;
    // order bookkeeping of the sorted lists, beside them
    OrderMark wire_marks[kMaxWires];
    OrderMark components_mark, terminals_mark, coils_mark, contacts_mark, unlisted_mark;
    // Per wire type, the runs of each sheet ordered by sheet then list
    // position; built once the lists are complete, for the write-back, and
    // valid while the list keeps the size noted beside them (plus one; 0
    // when not built).
    std::vector<SheetRun> wire_runs[kMaxWires];
    size_t wire_runs_for[kMaxWires] = {};
    // Per wire type, the node point indices ordered by sheet then creation,
    // for the write-back; valid while the node list keeps the size noted
    // beside them (plus one; 0 when not built).
    std::vector<uint32_t> node_order[kMaxWires];
    size_t node_order_for[kMaxWires] = {};
    // Counts the resets, so that an index built over the lists of one run
    // is never taken for the next run's.
    uint64_t generation = 0;

    // Empties every list, its order bookkeeping and the grid orientation
    // (start of a run).
    void reset();
};

// The one store of the module, living as long as the module.
Store& store();

}  // namespace wcraft
