// The library edit dialog, layout "Large 3x3": 9 icons a page.

sv_edit_symvault : dialog {
    label = "SYMVAULT - Library editor";
    : row {
        : text { key = "libtype"; label = ""; width = 28; }
        : text { key = "libname"; label = ""; width = 16; }
        : edit_box { key = "libdescription"; label = "Description:"; edit_width = 40; edit_limit = 64; }
    }
    : text { key = "banner"; label = ""; width = 60; }
    : popup_list { key = "group"; label = "Group:"; width = 40; }
    : row {
        : column {
            : row { : image_button { key = "symbol1"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol2"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol3"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } }
            : row { : image_button { key = "symbol4"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol5"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol6"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } }
            : row { : image_button { key = "symbol7"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol8"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol9"; width = 15; aspect_ratio = 1.33; color = 0; allow_accept = true; } }
        }
        : list_box { key = "names"; label = "Symbols"; width = 30; height = 9; }
    }
    : text { key = "fulldescription"; label = ""; width = 70; }
    : row {
        : button { key = "prev"; label = "< Previous"; fixed_width = true; width = 12; }
        : button { key = "next"; label = "Next >"; fixed_width = true; width = 12; }
    }
    : row {
        : button { key = "edit"; label = "Edit..."; } : button { key = "add"; label = "Add..."; }
        : button { key = "ins"; label = "Insert..."; } : button { key = "del"; label = "Delete"; }
    }
    : row {
        : button { key = "newgroup"; label = "New group..."; } : button { key = "modgroup"; label = "Rename group..."; }
        : button { key = "delgroup"; label = "Delete group"; } : button { key = "options"; label = "Options..."; }
    }
    ok_cancel_help;
}
