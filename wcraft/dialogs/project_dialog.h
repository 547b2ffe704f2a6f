// The project dialog "project_main": project name, drawing directory,
// title, drawing selection mode, mask and the list of drawing names.
#pragma once

namespace wcraft {

// Runs the dialog; on OK the edits go into the configuration. Returns 1.
int project_dialog();

}  // namespace wcraft
