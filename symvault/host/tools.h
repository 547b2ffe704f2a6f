// The AutoLISP tool functions, the about box and the toolbar rebuild.
#pragma once

#include "host/host_api.h"

namespace symvault {

Reply sv_tools_getfilename(const struct resbuf* args);
Reply sv_tools_splitpath(const struct resbuf* args);
Reply sv_tools_getbatch_flag(const struct resbuf* args);
Reply sv_tools_setbatch_flag(const struct resbuf* args);
Reply sv_tools_yesno_dlg(const struct resbuf* args);
Reply sv_about(const struct resbuf* args);
Reply sv_toolbar2(const struct resbuf* args);

// What SV_TOOLBAR2 does, for the library manager: on Windows with a host
// version other than 12, announces and rebuilds the toolbar.
void rebuild_toolbar();

// The pairs of SV_TOOLS_SPLITPATH from the four parts of a path.
std::vector<Pair> split_path_pairs(const std::string& drive, const std::string& dir, const std::string& fname,
                                   const std::string& ext);

}  // namespace symvault
