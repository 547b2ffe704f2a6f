// The grid reference of a point: the sheet number and the text of the
// nearest grid reference read from the first sheet.
#include <cmath>
#include <cstdio>

#include "extract/extract.h"

namespace wcraft {

void grid_ref_lookup(short sheet, double x, double y, GridText& out) {
    const Store& s = store();
    char text[32];
    if (s.grid_orientation == GRID_UNDEFINED || s.grid.empty()) {
        snprintf(text, sizeof text, "%d,*", sheet);
        out = text;
        return;
    }
    bool by_y = s.grid_orientation == GRID_VERTICAL;
    const GridRef* nearest = &s.grid.front();
    double best = std::fabs(by_y ? nearest->point.y - y : nearest->point.x - x);
    for (const GridRef& g : s.grid) {
        double d = std::fabs(by_y ? g.point.y - y : g.point.x - x);
        if (d < best) {  // ties stay with the earlier record
            best = d;
            nearest = &g;
        }
    }
    snprintf(text, sizeof text, "%d,%s", sheet, nearest->text.c_str());
    out = text;
}

}  // namespace wcraft
