// The library registry: loaded libraries, the library files found on disk,
// the library manager dialog and loading a library by name.
#pragma once

#include <string>
#include <vector>

#include "host/host_api.h"
#include "library/records.h"
#include "library/registry_rows.h"

namespace symvault {

// SV_SELECTLIB: the manager dialog; ((1 . name) (2 . description)
// (3 . directory)) for the library selected, else nil.
Reply sv_selectlib(const struct resbuf* args);

// The manager dialog for picking a loaded library: true with its name and
// description, false (both empty) when nothing was picked.
bool pick_loaded_library(std::string& name, std::string& description);

// The load dialog: a library file chosen and read into the list; true
// when one was read.
bool load_library_dialog();

// The library files of the local and then the network library directory.
// False when the scan stopped at an error (the entries found stay).
bool scan_available(std::vector<AvailableLibrary>& out);

// The loaded library of this name, read from the local and then the network
// directory when it is not loaded yet; null when it cannot be had.
LibraryRecord* library_for_use(const std::string& name);

}  // namespace symvault
