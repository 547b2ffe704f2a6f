// Component definitions dialog of the electrical design application: the
// component numbering definitions, listed by name, with one edit area.

comp_defn : dialog {
    label = "Wirecraft 5 - Component definitions";
    : row {
        : boxed_column {
            label = "Components";
            : list_box { key = "c_names"; height = 10; width = 20; }
            : edit_box { key = "c_edit"; label = "Name:"; edit_width = 20; edit_limit = 20; }
        }
        : boxed_column {
            label = "Numbering";
            : radio_row {
                : radio_button { key = "pref"; label = "Prefix"; }
                : radio_button { key = "post"; label = "Postfix"; }
                : radio_button { key = "none"; label = "None"; }
            }
            : edit_box { key = "pp_val"; label = "Prefix/postfix:"; edit_width = 4; edit_limit = 4; }
            : toggle { key = "cont_wire"; label = "Continue wire"; }
            : edit_box { key = "init"; label = "Initial number:"; edit_width = 5; edit_limit = 5; }
            : edit_box { key = "incr"; label = "Increment:"; edit_width = 5; edit_limit = 5; }
        }
    }
    : row {
        : button { key = "add"; label = "Add"; }
        : button { key = "del"; label = "Delete"; }
        : button { key = "mod"; label = "Modify"; }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
