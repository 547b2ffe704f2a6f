// The library options dialog of the library editor.

sv_lib_options_defn : dialog {
    label = "SYMVAULT - Library options";
    : popup_list { key = "dialog_type"; label = "Dialog layout:"; width = 40; }
    : boxed_column {
        label = "Insertion";
        : row { : toggle { key = "rotate"; label = "Rotate"; } : toggle { key = "scale"; label = "Scale"; } : toggle { key = "xref"; label = "Xref"; } }
        : row { : toggle { key = "blines"; label = "Break lines (blocks)"; } : toggle { key = "gtags"; label = "Dot tags (groups)"; } : toggle { key = "glines"; label = "Break lines (groups)"; } }
    }
    : boxed_column {
        label = "Parametric symbols";
        : radio_row { : radio_button { key = "pmaster"; label = "Master file"; } : radio_button { key = "pindiv"; label = "File per symbol"; } }
        : radio_row { : radio_button { key = "masterfn"; label = "Master function"; } : radio_button { key = "indivfn"; label = "Function per symbol"; } }
        : row { : toggle { key = "force"; label = "Always load"; } : toggle { key = "debug"; label = "Debug"; } }
        : edit_box { key = "peditor"; label = "Editor:"; edit_width = 40; edit_limit = 256; }
    }
    : boxed_radio_row {
        label = "Base type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : edit_box { key = "banner"; label = "Banner:"; edit_width = 40; edit_limit = 64; }
    : button { key = "scaleoptions"; label = "Scale options..."; }
    ok_cancel_help;
}
