// Helpers shared by the extraction operations.
#include "extract/extract_support.h"

#include <algorithm>
#include <cstdarg>
#include <new>
#include <utility>

#include "host/error_report.h"
#include "host/module_state.h"
#include "project/project_config.h"

namespace wcraft {


bool first_point(const resbuf* ed, int code, XY& out) {
    for (const resbuf* rb = ed; rb; rb = rb->rbnext)
        if (rb->restype == code) {
            out.x = rb->resval.rpoint[X];
            out.y = rb->resval.rpoint[Y];
            return true;
        }
    return false;
}

PositionOrder run_order() { return position_order(config().sheet_rot); }

namespace {

// Room made ahead is never more than this, whatever the first sheet holds.
constexpr size_t kMostRoomAhead = size_t{1} << 30;  // bytes

// A project's sheets mostly hold alike numbers of records. When the first
// records come into a list, it makes room for as many on every drawing of
// the run, a quarter more, so that it is not copied over and over as it
// grows; room never filled costs no memory until it is written to. If that
// much cannot be had, the list grows as it would have.
template <typename T>
void make_room_ahead(std::vector<T>& list, size_t batch) {
    if (!list.empty() || batch == 0 || wcr().drawing_count <= 1) return;
    size_t drawings = static_cast<size_t>(wcr().drawing_count);
    size_t want = std::min(batch * drawings + batch * drawings / 4, kMostRoomAhead / sizeof(T));
    if (want <= list.capacity()) return;
    try {
        list.reserve(want);
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace

template <typename T>
void insert_batch_reporting(std::vector<T>& list, std::vector<T>& batch, OrderMark& mark, const char* routine) {
    make_room_ahead(list, batch.size());
    try {
        insert_sorted(list, batch, run_order(), mark);
    } catch (const std::bad_alloc&) {
        fatal_alloc(routine, 1);
        batch.clear();
    }
}

template <typename T>
int append_record(std::vector<T>& list, T rec, const char* routine) {
    try {
        list.push_back(std::move(rec));
        return 1;
    } catch (const std::bad_alloc&) {
        fatal_alloc(routine, 1);
        return 0;
    }
}

template void insert_batch_reporting(std::vector<WireSegment>&, std::vector<WireSegment>&, OrderMark&, const char*);
template void insert_batch_reporting(std::vector<Component>&, std::vector<Component>&, OrderMark&, const char*);
template int append_record(std::vector<WireSegment>&, WireSegment, const char*);
template int append_record(std::vector<Component>&, Component, const char*);
template int append_record(std::vector<WireLink>&, WireLink, const char*);
template int append_record(std::vector<RelayMark>&, RelayMark, const char*);
template int append_record(std::vector<ZoneBox>&, ZoneBox, const char*);

}  // namespace wcraft
