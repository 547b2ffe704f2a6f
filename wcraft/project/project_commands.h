// The PROJECT sub-menu commands and the save question at end and quit.
#pragma once

namespace wcraft {

int project_display();
int project_new();
int project_open();
int project_save();
// Offers to save a changed configuration when the host ends or quits.
int save_if_changed();

}  // namespace wcraft
