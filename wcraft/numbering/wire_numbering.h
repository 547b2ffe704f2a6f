// Stage 3: wire numbers for every wire of the project, per wire type.
#pragma once

#include <cstdio>

namespace wcraft {

// Numbers the wires in the store; writes its warnings to `log`. Returns 1.
// Automatic numbers step by the wire type's increment past numbers that
// positive links use; with an increment of 0 they step by 1 to the first
// free number, which every later automatic wire of the type then shares.
int number_wires(FILE* log);

// 1 when (px, py) lies on the segment (ends included, exact comparison).
// In node mode 1 an inner point is recorded once as a node point of the
// given wire type and sheet.
int point_touches_line(double px, double py, double sx, double sy, double ex, double ey, int node_mode,
                       int wire_type, short sheet);

}  // namespace wcraft
