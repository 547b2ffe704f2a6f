// The keyword tables of the main prompt and the four sub-menus.
#pragma once

#include "host/command_shell.h"

namespace wcraft {

const KeywordTable& main_table();
const SubMenu& config_menu();
const SubMenu& draw_menu();
const SubMenu& process_menu();
const SubMenu& project_menu();

}  // namespace wcraft
