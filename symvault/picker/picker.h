// The symbol picker dialog: a library's groups page by page as slide icons,
// with the insertion toggles.
#pragma once

#include <string>

#include "library/records.h"
#include "picker/layouts.h"

namespace symvault {

struct PickResult {
    const SymbolRecord* symbol = nullptr;
    std::string group;  // the group shown when the picker closed
    int page = 0;       // the page the symbol was chosen on
    PickerToggles toggles;
};

// Opens the picker on `group` (empty: the library's last group, else its
// first) at `page`. 1 when the user accepted with a symbol chosen; then the
// library keeps the rotate, scale, xref and recall toggles. 0 otherwise,
// also when the opening page cannot be shown (the error is reported).
int open_picker(LibraryRecord& lib, const std::string& group, int page, PickResult& out);

}  // namespace symvault
