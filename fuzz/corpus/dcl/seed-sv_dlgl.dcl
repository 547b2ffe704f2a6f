// The scale values dialog of the symbol library manager.

sv_scale_values : dialog {
    label = "SYMVAULT - Scale";
    : text { key = "option"; label = ""; width = 40; }
    : row {
        : list_box { key = "scale_values"; label = "Values"; width = 20; height = 8; }
        : column {
            : row { : text { key = "xtitle"; label = ""; width = 12; } : edit_box { key = "x"; edit_width = 10; edit_limit = 20; } : button { key = "pickx"; label = "Pick <"; } }
            : row { : text { key = "ytitle"; label = ""; width = 12; } : edit_box { key = "y"; edit_width = 10; edit_limit = 20; } : button { key = "picky"; label = "Pick <"; } }
            : row { : text { key = "ztitle"; label = ""; width = 12; } : edit_box { key = "z"; edit_width = 10; edit_limit = 20; } : button { key = "pickz"; label = "Pick <"; } }
            : button { key = "skip"; label = "No scaling"; }
        }
    }
    ok_cancel;
}

// The layer list and the scale option choice of the symbol definition.

sv_layers : dialog {
    label = "SYMVAULT - Layers";
    : list_box { key = "l_layers"; label = "Layers"; width = 32; height = 10; }
    cancel_button;
}

sv_scale_options : dialog {
    label = "SYMVAULT - Scale option";
    : list_box { key = "scale_options"; label = "Scale options"; width = 32; height = 8; }
    : row { : button { key = "select"; label = "Select"; } : button { key = "edit"; label = "Edit..."; } : button { key = "none"; label = "None"; } }
    cancel_button;
}
