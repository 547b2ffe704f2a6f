// Drawing zone outlines: closed rectangular polylines on a zone's layer in
// the zone linetype.
#pragma once

namespace wcraft {

// C:WCRZONE and DRAW ZONE. Returns 1.
int zone_command();

}  // namespace wcraft
