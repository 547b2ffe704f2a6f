// The zone definitions dialog "zone_defn", which edits the zone tree one
// level under one parent at a time, the zone selection dialog
// "zone_sel_defn", and the order in which the tree is listed.
#pragma once

#include <vector>

#include "project/project_config.h"

namespace wcraft {

// Runs the zone definitions dialog; on OK the edits go into the
// configuration and, when the CONFIG sub-menu opened it, the colours of the
// zone layers of the drawing follow. Returns 1.
int zone_dialog();

// Lets the user choose a zone of the configuration from the whole tree;
// its "config" button opens the zone definitions dialog. Returns the
// zone's index, or -1 when nothing was chosen.
int zone_select_dialog();


}  // namespace wcraft
