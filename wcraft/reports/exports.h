// The relay contact listing (RLF), the parts listing (PLF), the analysis
// file (ALF), the audit and the stage hook for outside applications.
#pragma once

#include <cstdio>

namespace wcraft {

// Each returns 1 when written, 0 with error 2018 when the file cannot be
// opened or written whole; the previous file then stays.
int write_relay_listing(FILE* log);
int write_parts_listing(FILE* log);
int write_analysis_file(FILE* log);
// Appends the dump of the store to the run-time event log. Returns 1.
int write_audit(FILE* log);
// WCRPPROINT: returns nil, or (function file) of the current stage's
// outside application, to AutoLISP. Returns RTNORM.
int wcr_pproint();

}  // namespace wcraft
