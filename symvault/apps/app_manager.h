// The application manager: its control file on disk, SV_APP_LIST with
// the first-run check, and the manager dialog.
#pragma once

#include <vector>

#include "apps/app_file.h"
#include "host/host_api.h"

namespace symvault {

// The entries of the control file; empty when it is missing.
std::vector<ApplicationEntry> load_applications();
// 1 when saved, else 0 with error 5078 set.
int save_applications(const std::vector<ApplicationEntry>& entries);

Reply sv_app_list(const struct resbuf* args);
Reply sv_app_manager(const struct resbuf* args);

}  // namespace symvault
