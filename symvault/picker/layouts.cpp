// Picker layouts, paging and toggle rules.
#include "picker/layouts.h"

#include <algorithm>

namespace symvault {

namespace {

const PickerLayout kLayouts[kLayoutCount] = {
    {"Standard 4x5", "sv_dlg20.dcl", "sv_dlg40.dcl", "sv_dlg5S.dcl", 20},
    {"Standard 4x4", "sv_dlg21.dcl", "sv_dlg41.dcl", "sv_dlg5S.dcl", 16},
    {"Standard 4x3", "sv_dlg22.dcl", "sv_dlg42.dcl", "sv_dlg5S.dcl", 12},
    {"Standard 3x3", "sv_dlg23.dcl", "sv_dlg43.dcl", "sv_dlg5S.dcl", 9},
    {"Large 3x3", "sv_dlg24.dcl", "sv_dlg44.dcl", "sv_dlg5L.dcl", 9},
    {"Large 3x2", "sv_dlg25.dcl", "sv_dlg45.dcl", "sv_dlg5L.dcl", 6},
    {"Large 2x3", "sv_dlg26.dcl", "sv_dlg46.dcl", "sv_dlg5L.dcl", 6},
    {"Large 2x2", "sv_dlg27.dcl", "sv_dlg47.dcl", "sv_dlg5L.dcl", 4},
};

}  // namespace

const PickerLayout& picker_layout(int dialog_type) {
    return kLayouts[dialog_type >= 0 && dialog_type < kLayoutCount ? dialog_type : 0];
}

PageSpan page_span(size_t symbols, int page, int tiles, FillKind kind) {
    PageSpan s;
    size_t start = page < 0 ? symbols + 1 : static_cast<size_t>(page) * static_cast<size_t>(tiles);
    bool beyond = start > symbols || (kind == OPENING_FILL && page > 0 && start == symbols);
    if (beyond) {
        s.error = kind == OPENING_FILL ? ERR_PAGE_OPEN : ERR_PAGE_LATER;
        return s;
    }
    s.start = start;
    s.count = std::min(symbols - start, static_cast<size_t>(tiles));
    s.more = start + s.count < symbols ? 1 : 0;
    return s;
}

ToggleModes toggle_modes(int symbol_type) {
    switch (symbol_type) {
    case 1: return {1, 1, 1, 1, 1};
    case 2: return {0, 0, 1, 0, 1};
    default: return {0, 0, 0, 0, 0};
    }
}

bool set_toggle(PickerToggles& t, const std::string& key, int value) {
    value = value ? 1 : 0;
    if (key == "explode") {
        t.explode = value;
        if (value) t.xref = 0;
    } else if (key == "xref") {
        t.xref = value;
        if (value) t.explode = 0;
    } else if (key == "multi") {
        t.multi = value;
        if (value) t.recall = 0;
    } else if (key == "recall") {
        t.recall = value;
        if (value) t.multi = 0;
    } else if (key == "scale") {
        t.scale = value;
    } else if (key == "rotate") {
        t.rotate = value;
    } else {
        return false;
    }
    return true;
}

}  // namespace symvault
