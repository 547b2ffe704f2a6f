// Zone definitions dialog of the electrical design application: the zones
// of one level under one parent zone, with the way down and back up.

zone_defn : dialog {
    label = "Wirecraft 5 - Zone definitions";
    : text { key = "p_title"; label = ""; width = 58; }
    : row {
        : boxed_column {
            label = "Level";
            : text { key = "c_level"; label = ""; width = 16; }
            : text { key = "p_level"; label = ""; width = 16; }
            : text { key = "p_zone"; label = ""; width = 20; }
        }
        : boxed_column {
            label = "Zones";
            : list_box { key = "z_names"; height = 10; width = 24; }
            : edit_box { key = "z_edit"; label = "Zone name:"; edit_width = 20; edit_limit = 20; }
            : text { key = "l_name"; label = ""; width = 32; }
            : edit_box { key = "colnum"; label = "Layer colour number:"; edit_width = 5; edit_limit = 5; }
            : row {
                : button { key = "add"; label = "Add"; }
                : button { key = "del"; label = "Delete"; }
                : button { key = "mod"; label = "Modify"; }
                : button { key = "setcolour"; label = "Set colour"; }
            }
            : row {
                : button { key = "prev"; label = "< Level up"; }
                : button { key = "next"; label = "Level down >"; }
            }
        }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
