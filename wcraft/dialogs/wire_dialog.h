// The wire definitions dialog "wire_defn", which edits the project's wire
// types one record at a time, and the wire selection dialog
// "wire_sel_defn", which lets the user choose one wire type.
#pragma once

namespace wcraft {

// Runs the wire definitions dialog; on OK the edits go into the
// configuration and, when the CONFIG sub-menu opened it, the colours of the
// wire layers of the drawing follow. Returns 1.
int wire_dialog();

// Lets the user choose a wire type of the configuration; its "config"
// button opens the wire definitions dialog. Returns the chosen index, or
// -1 when nothing was chosen.
int wire_select_dialog();

}  // namespace wcraft
