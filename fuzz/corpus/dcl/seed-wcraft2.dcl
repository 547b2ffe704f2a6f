// Wire definitions dialog of the electrical design application: one wire
// type at a time, with its layer, colour, report texts and numbering.

wire_defn : dialog {
    label = "Wirecraft 5 - Wire definitions";
    : row {
        : boxed_column {
            label = "Wire type";
            : edit_box { key = "w_name"; label = "Wire name:"; edit_width = 20; edit_limit = 20; }
            : edit_box { key = "l_name"; label = "Layer name:"; edit_width = 32; edit_limit = 32; }
            : edit_box { key = "colnum"; label = "Layer colour number:"; edit_width = 5; edit_limit = 5; }
            : edit_box { key = "colour"; label = "Colour:"; edit_width = 10; edit_limit = 10; }
            : edit_box { key = "size"; label = "Size:"; edit_width = 10; edit_limit = 10; }
            : edit_box { key = "signal"; label = "Signal:"; edit_width = 10; edit_limit = 10; }
            : toggle { key = "nodepts"; label = "Node points"; }
            : toggle { key = "default"; label = "Default wire type"; }
        }
        : column {
            : boxed_column {
                label = "Wire numbers";
                : edit_box { key = "init"; label = "Initial number:"; edit_width = 5; edit_limit = 5; }
                : edit_box { key = "incr"; label = "Increment:"; edit_width = 5; edit_limit = 5; }
                : radio_row {
                    : radio_button { key = "pref"; label = "Prefix"; }
                    : radio_button { key = "post"; label = "Postfix"; }
                    : radio_button { key = "none"; label = "None"; }
                }
                : edit_box { key = "pp_val"; label = "Prefix/postfix:"; edit_width = 5; edit_limit = 5; }
            }
            : boxed_column {
                label = "Wire number text";
                : edit_box { key = "t_height"; label = "Text height:"; edit_width = 7; edit_limit = 7; }
                : edit_box { key = "x_off"; label = "X offset:"; edit_width = 7; edit_limit = 7; }
                : edit_box { key = "y_off"; label = "Y offset:"; edit_width = 7; edit_limit = 7; }
            }
        }
    }
    : row {
        : button { key = "prev"; label = "< Previous"; }
        : button { key = "next"; label = "Next >"; }
        : button { key = "pick"; label = "Pick..."; }
        : button { key = "add"; label = "Add"; }
        : button { key = "del"; label = "Delete"; }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
