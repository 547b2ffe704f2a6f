// Distribution sets: a loaded library copied out to a drive or the export
// directory (C:SV_SAVELIB), and a set installed again (C:SV_LOADLIB).
#pragma once

#include <string>

#include "host/host_api.h"

namespace symvault {

Reply sv_savelib(const struct resbuf* args);
Reply sv_loadlib(const struct resbuf* args);

// Which files of a library's own directory travel: never backups, and no
// single slides of a locked library (its slide library holds them).
bool distributed_file(const std::string& name, int locked);

}  // namespace symvault
