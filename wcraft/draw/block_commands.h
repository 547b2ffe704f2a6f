// Placing the blocks the post-processor looks for: relay contact display
// markers, wire links and the sheet number block.
#pragma once

namespace wcraft {

enum class LinkDirection { Up, Down, Right, Left };

// C:WCRRLMARKER and DRAW RLMARKER. Returns 1.
int relay_marker_command();
// C:WCRWLINKU/D/R/L and DRAW WLINKU/D/R/L. Returns 1.
int wire_link_command(LinkDirection direction);
// DRAW SHEETNOBLK: the configured title block. Returns 1.
int sheet_number_block_command();

}  // namespace wcraft
