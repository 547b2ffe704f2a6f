// Zone selection dialog of the electrical design application: choose one
// zone from the whole zone tree (double-click or OK).

zone_sel_defn : dialog {
    label = "Wirecraft 5 - Select zone";
    : text { key = "p_title"; label = ""; width = 58; }
    : row {
        : list_box { key = "z_names"; height = 12; width = 36; }
        : boxed_column {
            label = "Zone";
            : text { key = "c_level"; label = ""; width = 16; }
            : text { key = "z_edit"; label = ""; width = 20; }
            : text { key = "colnum"; label = ""; width = 5; }
        }
    }
    : button { key = "config"; label = "Zone definitions..."; }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
