// Installation set-up (WCRSETDIR), demo project reset and report viewer.
#pragma once

namespace wcraft {

inline constexpr const char* kDrawingExt = "DXF";  // extension of drawing files

// WCRSETDIR: takes the install directory from the AutoLISP arguments.
int cmd_setdir();
int direct_setdir();  // the same, called directly by the host
// C:WCRRESETDEMO: copies the pristine demo files over the demo project.
int cmd_reset_demo();
// C:WCRVIEWREPORT: opens a report of the current project in the editor.
int cmd_view_report();

// File extension of report `number` (1..5); nullptr outside that range.
const char* report_extension(int number);

}  // namespace wcraft
