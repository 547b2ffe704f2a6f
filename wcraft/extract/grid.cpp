// Reading the grid reference texts of the first sheet: their points, their
// order along the border and whether they stand in a row or a column.
#include <new>

#include "extract/extract.h"
#include "extract/extract_support.h"
#include "extract/messages.h"
#include "extract/selection_loop.h"
#include "host/error_report.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

constexpr size_t kGridChars = 3;

// Orientation found so far from the points read.
struct GridScan {
    bool have_reference = false;
    double reference_x = 0.0;
    bool misaligned = false;
};

// The first point off X 0 sets the reference X; the next text decides row
// (X differs) or column (X equal); later texts must agree.
void orient(GridScan& scan, double x) {
    int32_t& o = store().grid_orientation;
    if (!scan.have_reference) {
        if (x != 0.0) {
            scan.have_reference = true;
            scan.reference_x = x;
        }
        return;
    }
    bool same = x == scan.reference_x;
    if (o == GRID_UNDEFINED) o = same ? GRID_VERTICAL : GRID_HORIZONTAL;
    else if ((o == GRID_HORIZONTAL && same) || (o == GRID_VERTICAL && !same)) scan.misaligned = true;
}

// In front of the first record with X not smaller and Y not larger.
void insert_grid(const GridRef& g) {
    std::vector<GridRef>& list = store().grid;
    size_t i = 0;
    while (i < list.size() && !(list[i].point.x >= g.point.x && list[i].point.y <= g.point.y)) ++i;
    try {
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), g);
    } catch (const std::bad_alloc&) {
        fatal_alloc(xmsg::kFnGrid, 1);
    }
}

void read_grid_text(FILE* log, const ads_name ent, GridScan& scan) {
    resbuf* ed = ads_entget(ent);
    if (!ed) {
        error_code() = ERR_GRID_ENTGET;
        return;
    }
    XY at, align;
    int h = 0, v = 0;
    const char* text = "";
    for (const resbuf* rb = ed; rb; rb = rb->rbnext) {
        if (rb->restype == 10) at = {rb->resval.rpoint[X], rb->resval.rpoint[Y]};
        if (rb->restype == 11) align = {rb->resval.rpoint[X], rb->resval.rpoint[Y]};
        if (rb->restype == 72) h = rb->resval.rint;
        if (rb->restype == 73) v = rb->resval.rint;
        if (rb->restype == 1 && rb->resval.rstring) text = rb->resval.rstring;
    }
    GridRef g;
    std::string_view t(text);
    if (t.size() <= kGridChars) g.text = t;
    else log_printf(log, "%s", xmsg::kGridTooLong);
    ads_relrb(ed);
    g.point = h == 0 && v == 0 ? at : align;
    orient(scan, g.point.x);
    insert_grid(g);
}

}  // namespace

int extract_grid_refs(FILE* log) {
    const char* layer = config().grid_ref.c_str();
    log_printf(log, xmsg::kGridStart, layer);
    resbuf* filter = ads_buildlist(RTDXF0, "TEXT", 8, layer, 0);
    GridScan scan;
    if (!filter) {
        error_code() = ERR_GRID_FILTER;
    } else {
        ads_name ss;
        if (!select_all(filter, ss)) {
            log_printf(log, xmsg::kGridNone, layer);
        } else {
            drain_selection(ss, ERR_GRID_SSNAME, ERR_WIRE_SSLENGTH, [&](const ads_name ent) {
                read_grid_text(log, ent, scan);
                return LoopStep::Next;
            });
            ads_ssfree(ss);
        }
        ads_relrb(filter);
    }
    if (scan.misaligned) log_printf(log, "%s", xmsg::kGridMisaligned);
    if (store().grid_orientation == GRID_UNDEFINED) log_printf(log, "%s", xmsg::kGridMissing);
    return 1;
}

}  // namespace wcraft
