// The scale options dialog of the library editor.

sv_lib_scale_defn : dialog {
    label = "SYMVAULT - Scale options";
    : row {
        : column {
            : list_box { key = "options"; label = "Options"; width = 24; height = 8; }
            : edit_box { key = "option"; label = "Option:"; edit_width = 20; edit_limit = 32; }
            : edit_box { key = "xtitle"; label = "X title:"; edit_width = 20; edit_limit = 32; }
            : edit_box { key = "ytitle"; label = "Y title:"; edit_width = 20; edit_limit = 32; }
            : edit_box { key = "ztitle"; label = "Z title:"; edit_width = 20; edit_limit = 32; }
            : toggle { key = "userscale"; label = "User may enter a value"; }
            : row { : button { key = "addoption"; label = "Add"; } : button { key = "modoption"; label = "Mod"; } : button { key = "deloption"; label = "Del"; } }
        }
        : column {
            : list_box { key = "values"; label = "Values"; width = 24; height = 8; }
            : edit_box { key = "value"; label = "Value:"; edit_width = 20; edit_limit = 32; }
            : edit_box { key = "xvalue"; label = "X:"; edit_width = 12; edit_limit = 20; }
            : edit_box { key = "yvalue"; label = "Y:"; edit_width = 12; edit_limit = 20; }
            : edit_box { key = "zvalue"; label = "Z:"; edit_width = 12; edit_limit = 20; }
            : row { : button { key = "addvalue"; label = "Add"; } : button { key = "modvalue"; label = "Mod"; } : button { key = "delvalue"; label = "Del"; } }
        }
    }
    ok_cancel_help;
}
