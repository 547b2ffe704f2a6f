// Rules of the library editor that need no host: where a new scale option
// or value goes, name clashes, the parametric templates, a new library's
// record and a new symbol's defaults.
#pragma once

#include <string>
#include <vector>

#include "library/records.h"

namespace symvault {

std::string upper_copy(const std::string& s);

// Index in front of which a new name goes: before the first one that
// compares greater without regard to case.
template <typename T>
size_t ordered_place(const std::vector<T>& items, const std::string& name) {
    std::string key = upper_copy(name);
    for (size_t i = 0; i < items.size(); ++i)
        if (upper_copy(items[i].name) > key) return i;
    return items.size();
}

// The index of an item of this name, any case, other than `except`; -1.
template <typename T>
int clash(const std::vector<T>& items, const std::string& name, int except = -1) {
    for (size_t i = 0; i < items.size(); ++i)
        if (static_cast<int>(i) != except && upper_copy(items[i].name) == upper_copy(name)) return static_cast<int>(i);
    return -1;
}

// Whether another symbol of the library (any group, exact case) has the
// name; `self` is not counted.
bool symbol_name_taken(const LibraryRecord& lib, const std::string& name, const SymbolRecord* self);

// One template line with "%LIBNAME%" and "%SYMNAME%" replaced (any case).
std::string fill_template_line(const std::string& line, const std::string& library, const std::string& symbol);

// A new symbol of a type, with that type's defaults.
SymbolRecord symbol_defaults(int type);
// The same symbol switched to another type: its type data take the new
// type's defaults, the rest stays.
void change_symbol_type(SymbolRecord& s, int type);

// A new library record: the file's defaults, name and description the
// library name, one group ("DEFAULT" when none is named).
LibraryRecord new_library(const std::string& name, const std::string& group, int location, int base_type);

// Is a name safe as one part of a path: no separator, no "..", not empty?
bool safe_file_part(const std::string& name);

}  // namespace symvault
