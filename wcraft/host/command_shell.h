// The keyword command shell: the main prompt and the sub-menu loops.
#pragma once

#include "host/keyword_table.h"

namespace wcraft {

// C:WCRAFT: the shell with typed input.
int cmd_wcraft();
// XWCRAFT: the shell fed by the AutoLISP arguments.
int cmd_xwcraft();

// Runs the main loop; `args` holds the arguments, if any.
int run_main_menu(ArgCursor& args);

struct SubMenu {
    const char* prompt;
    const char* unknown;  // message for a keyword the table lacks
    KeywordTable table;
};

// Runs a sub-menu loop; returns 0 when cancelled, 1 otherwise.
int run_sub_menu(const SubMenu& menu, ArgCursor& args);
// Prints a help list: the heading, then every keyword in table order.
void print_keyword_list(const char* heading, const KeywordTable& table);
// The leave flag: the shell's loops end right after the running handler
// and hand the input back to the host (a handler that started a script
// sets it, so that the script's lines reach the host, not the shell).
void request_shell_leave();

}  // namespace wcraft
