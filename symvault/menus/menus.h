// The toolbar menu, the pull-down section of the user's menu and the LT
// menu of a library, written and loaded into the host.
#pragma once

#include "host/host_api.h"

namespace symvault {

// Writes SYMVAULT.MNS from its template and reloads it with its toolbar.
// 1 when written, else 0 with the error reported.
int write_toolbar_menu();
Reply sv_update_menu(const struct resbuf* args);
Reply sv_ltmenuout(const struct resbuf* args);

// The library's menu and slide library, copied from its own directory up
// beside its library file; missing files are passed over.
void copy_up_menu_files(const std::string& name, int location);

}  // namespace symvault
