// The library editor: the librarian (SV_EDITLIB), the edit loop and its
// dialogs, the scale options dialog, the lock and the symbol definition.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/host_api.h"
#include "library/records.h"
#include "picker/layouts.h"

namespace symvault {

Reply sv_editlib(const struct resbuf* args);

enum EditAction { ACT_NONE = 0, ACT_EDIT = 1, ACT_ADD = 2, ACT_INSERT = 3, ACT_REOPEN = 5 };
enum EditStatus { EDIT_CANCELLED = 0, EDIT_ACCEPTED = 1, EDIT_REOPEN = 3 };

// What the edit dialog shares with the picker: the group and page shown,
// and the symbol chosen on it.
struct EditState {
    LibraryRecord* lib = nullptr;
    std::string group;
    int page = 0;
    int selected = -1;  // index in the group of the chosen symbol, -1 for none
    int action = ACT_NONE;
    // The symbol files written since the editor opened, each with what it
    // held before (nullopt: it was not there), to be put back on a cancel.
    std::vector<std::pair<std::string, std::optional<std::string>>> written;
};

// Notes a symbol file about to be written, the first time only.
void keep_original(EditState& st, const std::string& path);

// Runs the edit dialog and the symbol work it asks for until the user
// accepts (the library is written) or cancels.
void edit_library(LibraryRecord& lib);

// The scale options dialog on the library in memory; the library takes
// its changes only when it is accepted.
void scale_options_dialog(LibraryRecord& lib);

// Lock and unlock as the librarian's buttons do them.
void lock_library(LibraryRecord& lib);
void unlock_library(LibraryRecord& lib);

// The symbol definition for an action; 1 when the dialog ended normally,
// 0 when it could not be opened.
int define_symbol(EditState& st, int action);

}  // namespace symvault
