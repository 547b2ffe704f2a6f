// SV_BREAKLINE and SV_FIXLINE: lines cut at an inserted symbol's break
// points, and the two pieces joined again.
#pragma once

#include "host/host_api.h"

namespace symvault {

Reply sv_breakline(const struct resbuf* args);
Reply sv_fixline(const struct resbuf* args);

}  // namespace symvault
