// The wire type and zone selection dialogs the drawing commands open. They
// come with the configuration dialogs, whose "config" button leads to the
// wire and zone definitions; select_dialogs_local.cpp stands in for them in
// builds without those dialogs.
#pragma once

namespace wcraft {

// "wire_sel_defn" of "wcraft10.dcl": the index of the chosen wire type
// (OK or a double-click on the list), -1 when nothing was chosen.
int wire_select_dialog();
// "zone_sel_defn" of "wcraft11.dcl": the index of the chosen zone, -1 when
// nothing was chosen.
int zone_select_dialog();

}  // namespace wcraft
