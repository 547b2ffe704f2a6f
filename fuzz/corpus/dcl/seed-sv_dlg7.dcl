// The destination dialog of library distribution.

sv_fdrive_defn : dialog {
    label = "SYMVAULT - Distribute library";
    : boxed_radio_column {
        label = "Destination";
        : radio_button { key = "A"; label = "Drive A:"; }
        : radio_button { key = "B"; label = "Drive B:"; }
        : radio_button { key = "E"; label = "Export directory"; }
    }
    : button { key = "refresh"; label = "Refresh"; }
    ok_cancel_help;
}
