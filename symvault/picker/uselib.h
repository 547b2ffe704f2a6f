// SV_USELIB: load the named library, let the user pick a symbol and a scale,
// and hand back the insertion list.
#pragma once

#include "host/host_api.h"
#include "picker/insertion.h"

namespace symvault {

Reply sv_uselib(const struct resbuf* args);

// The scale choice for an option name among the library's options; shows
// the scale values dialog when there is something to choose.
ScaleChoice choose_scale(const LibraryRecord& lib, const std::string& option_name);

}  // namespace symvault
