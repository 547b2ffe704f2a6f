// The picker's eight layouts, its paging rule, and which insertion
// toggles each symbol type offers. Nothing here calls the host.
#pragma once

#include <string>

namespace symvault {

struct PickerLayout {
    const char* name;        // as the library options dialog lists it
    const char* picker_dcl;  // the picker dialog "sv_symvault"
    const char* editor_dcl;  // the library edit dialog
    const char* symbol_dcl;  // the symbol definition dialog
    int tiles;               // icons a page
};

inline constexpr int kLayoutCount = 8;
inline constexpr int kMostTiles = 20;
// The layout of a library's dialog_type; layout 0 for a value out of range.
const PickerLayout& picker_layout(int dialog_type);

enum PageError { PAGE_OK = 0, ERR_GROUP_LATER = 5004, ERR_PAGE_LATER = 5005, ERR_GROUP_OPEN = 5040, ERR_PAGE_OPEN = 5041 };
enum FillKind { OPENING_FILL, LATER_FILL };

struct PageSpan {
    int error = PAGE_OK;
    size_t start = 0;  // index in the group of the page's first symbol
    size_t count = 0;  // symbols shown
    int more = 0;      // symbols follow the page
};

// The symbols page `page` shows of a group of `symbols`. A page beyond the
// group is an error. One that begins exactly at the group's end shows
// nothing; only the page the caller asked for at opening must hold symbols
// (unless it is the first page, which an empty group has).
PageSpan page_span(size_t symbols, int page, int tiles, FillKind kind);

struct ToggleModes {
    int explode, scale, rotate, xref, multi;  // 1 enabled
};
// Which toggles a symbol type offers ("recall" always).
ToggleModes toggle_modes(int symbol_type);

struct PickerToggles {
    int explode = 0, scale = 0, rotate = 0, xref = 0, multi = 0, recall = 1;
};
// A toggle set by the user, with the rules that tie pairs together:
// explode and xref exclude each other, as do multi and recall. False for an
// unknown key.
bool set_toggle(PickerToggles& t, const std::string& key, int value);

}  // namespace symvault
