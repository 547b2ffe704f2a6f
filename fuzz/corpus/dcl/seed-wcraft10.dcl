// Wire type selection dialog of the electrical design application: choose
// one wire type from the list (double-click or OK).

wire_sel_defn : dialog {
    label = "Wirecraft 5 - Select wire type";
    : text { key = "p_title"; label = ""; width = 58; }
    : row {
        : list_box { key = "wire_names"; height = 10; width = 22; }
        : boxed_column {
            label = "Wire type";
            : text { key = "l_name"; label = ""; width = 32; }
            : text { key = "colour"; label = ""; width = 12; }
            : text { key = "size"; label = ""; width = 12; }
            : text { key = "signal"; label = ""; width = 12; }
        }
    }
    : button { key = "config"; label = "Wire definitions..."; }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
