// Drawing wires: chained horizontal and vertical LINEs on the layer of the
// current wire type.
#pragma once

namespace wcraft {

// C:WCRWIRE and DRAW WIRE. Returns 1.
int wire_command();

// The wire type the command starts with: the first default type of the
// list; with none, slot 0 becomes the default.
int current_wire_type();

}  // namespace wcraft
