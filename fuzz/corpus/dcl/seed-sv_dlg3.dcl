// The librarian and the new library dialog of the symbol library manager.

sv_edit_lib_defn : dialog {
    label = "SYMVAULT - Librarian";
    : list_box { key = "l_names"; label = "Loaded libraries"; width = 60; height = 10; tabs = "18"; }
    : row {
        : button { key = "new"; label = "New..."; }
        : button { key = "load"; label = "Load..."; }
        : button { key = "unload"; label = "Unload"; }
        : button { key = "edit"; label = "Edit..."; }
    }
    : row {
        : button { key = "show"; label = "Show"; }
        : button { key = "hide"; label = "Hide"; }
        : button { key = "lock"; label = "Lock..."; }
        : button { key = "unlock"; label = "Unlock..."; }
    }
    ok_cancel_help;
}

sv_edit_lib_name_defn : dialog {
    label = "SYMVAULT - New library";
    : edit_box { key = "libname"; label = "Library name:"; edit_width = 16; edit_limit = 32; }
    : edit_box { key = "grpname"; label = "First group:"; edit_width = 30; edit_limit = 50; }
    : boxed_radio_row {
        label = "Library type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : boxed_radio_row {
        label = "Location";
        : radio_button { key = "local"; label = "Local"; }
        : radio_button { key = "network"; label = "Network"; }
    }
    ok_cancel_help;
}
