// Wire numbering of the whole project: phantom links through pass-through
// terminals and components, wire links, connected groups, then numbers per
// wire type.
#include "numbering/wire_numbering.h"

#include <algorithm>
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

// Whether no segment has a group number yet, so that numbers counted from 0
// per type can be moved up afterwards without moving one set before.
bool no_group_set(const Store& s, int types) {
    return std::all_of(s.wires, s.wires + types, [](const std::vector<WireSegment>& list) {
        return std::all_of(list.begin(), list.end(), [](const WireSegment& w) { return w.group == 0; });
    });
}

// Moves each type's group numbers, counted from 0, up by the groups of the
// types before it.
void run_groups_on(Store& s, const std::vector<int32_t>& groups) {
    int32_t before = 0;
    for (size_t t = 0; t < groups.size(); ++t) {
        if (before != 0)
            for (WireSegment& w : s.wires[t])
                if (w.group != 0) w.group += before;
        before += groups[t];
    }
}

// The groups of one wire type are built from its own segments and index
// alone, so the largest type's (most of a project's wires, as a rule) are
// built on a second thread while this one builds the other types'. Group
// numbers run on from type to type in type order: each type's are counted
// from 0 and moved up once all are built, which gives every segment the
// number the builds one after the other give it. The second thread's
// progress and failures are shown once it is done.
void build_every_type_groups(std::vector<SegmentIndex>& index, int types) {
    Store& s = store();
    int largest = 0;
    for (int t = 1; t < types; ++t)
        if (s.wires[t].size() > s.wires[largest].size()) largest = t;
    std::vector<int32_t> groups(static_cast<size_t>(types), 0);
    AsideWork aside;
    if (types < 2 || !no_group_set(s, types) ||
        !aside.start([&] { build_groups(largest, index[largest], groups[largest]); })) {
        int32_t counter = 0;
        for (int t = 0; t < types; ++t) build_groups(t, index[t], counter);
        return;
    }
    try {
        for (int t = 0; t < types; ++t)
            if (t != largest) build_groups(t, index[t], groups[t]);
    } catch (...) {
        aside.wait();
        throw;
    }
    aside.finish();
    run_groups_on(s, groups);
}

void run_steps(FILE* log) {
    int types = numbered_wire_types();
    make_phantoms();
    std::vector<SegmentIndex> index(static_cast<size_t>(types));
    for (int t = 0; t < types; ++t) index[t].build_lines(store().wires[t]);
    attach_phantoms(log, index, types);
    attach_links(log, index, types);
    build_every_type_groups(index, types);
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
