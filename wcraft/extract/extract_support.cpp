// Helpers shared by the extraction operations.
#include "extract/extract_support.h"

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

template <typename T>
void insert_batch_reporting(std::vector<T>& list, std::vector<T>& batch, OrderMark& mark, const char* routine) {
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
