// Relay identification dialog of the electrical design application: how
// coils and contacts are recognised, and the texts around contact places.

relay_id_defn : dialog {
    label = "Wirecraft 5 - Relay identification";
    : text { key = "p_title"; label = ""; width = 58; }
    : row {
        : boxed_column {
            label = "Identification";
            : edit_box { key = "coil_id"; label = "Coil:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "no_id"; label = "N/O contact:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "nc_id"; label = "N/C contact:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "co_id"; label = "C/O contact:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "tm_id"; label = "Timer contact:"; edit_width = 19; edit_limit = 19; }
        }
        : boxed_column {
            label = "Contact references";
            : edit_box { key = "no_prefix"; label = "N/O prefix:"; edit_width = 4; edit_limit = 4; }
            : edit_box { key = "no_postfix"; label = "N/O postfix:"; edit_width = 4; edit_limit = 4; }
            : edit_box { key = "nc_prefix"; label = "N/C prefix:"; edit_width = 4; edit_limit = 4; }
            : edit_box { key = "nc_postfix"; label = "N/C postfix:"; edit_width = 4; edit_limit = 4; }
            : edit_box { key = "tm_prefix"; label = "Timer prefix:"; edit_width = 4; edit_limit = 4; }
            : edit_box { key = "tm_postfix"; label = "Timer postfix:"; edit_width = 4; edit_limit = 4; }
        }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
