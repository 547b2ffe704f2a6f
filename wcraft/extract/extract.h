// Stage 2 of a run: reading the open drawing into the store. Every
// operation writes its progress to the run-time event log `log` and leaves
// problems in the module's error code for the stage engine to report.
#pragma once

#include <cstdio>

#include "extract/store.h"

namespace wcraft {

// LINEs on the wire layers into the wire lists, then wire links.
int extract_wires(FILE* log);
// Wire link blocks into the wire link list.
int extract_wire_links(FILE* log);
// Grid reference texts (read from sheet 1 only; the caller decides).
int extract_grid_refs(FILE* log);
// "sheet,text" of the nearest grid reference, or "sheet,*".
void grid_ref_lookup(short sheet, double x, double y, GridText& out);
// Zone boundary polylines into the per-zone lists.
int extract_zones(FILE* log);
// Blocks with attributes into the five component lists; 0 when stopped.
int extract_components(FILE* log);
// RLMARKER blocks into the relay mark list.
int extract_relay_marks(FILE* log);

}  // namespace wcraft
