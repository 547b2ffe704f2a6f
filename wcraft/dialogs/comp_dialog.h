// The twin numbering definition dialogs: "comp_defn" edits the component
// definitions and "term_defn" the terminal definitions.
#pragma once

namespace wcraft {

// Each runs its dialog; on OK the edits go into the configuration. Return 1.
int comp_dialog();
int term_dialog();

}  // namespace wcraft
