// Wire numbering of the whole project: phantom links through pass-through
// terminals and components, wire links, connected groups, then numbers per
// wire type.
#include "numbering/wire_numbering.h"

#include <new>
#include <vector>

#include "extract/store.h"
#include "host/error_report.h"
#include "host/host_api.h"
#include "numbering/messages.h"
#include "numbering/numbering_steps.h"
#include "postproc/progress.h"

namespace wcraft {

namespace {

void run_steps(FILE* log) {
    int types = numbered_wire_types();
    make_phantoms();
    std::vector<SegmentIndex> index(static_cast<size_t>(types));
    for (int t = 0; t < types; ++t) index[t].build_lines(store().wires[t]);
    attach_phantoms(log, index, types);
    attach_links(log, index, types);
    int32_t group_counter = 0;
    for (int t = 0; t < types; ++t) build_groups(t, index[t], group_counter);
    for (int t = 0; t < types; ++t)
        for (WireSegment& s : store().wires[t]) {
            progress_tick();
            s.state = SEG_UNVISITED;
        }
    for (int t = 0; t < types; ++t) number_type(log, t);
}

}  // namespace

int number_wires(FILE* log) {
    log_printf(log, "%s", nmsg::kLogStart);
    ads_printf("%s", nmsg::kBanner);
    try {
        run_steps(log);
    } catch (const std::bad_alloc&) {
        // The working indexes could not be made: numbering stops where it is.
        fatal_alloc(nmsg::kFnCalcWires, 1);
    }
    return 1;
}

}  // namespace wcraft
