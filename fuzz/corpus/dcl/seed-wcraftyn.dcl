// The yes/no question of the electrical design application.

wcr_yesno : dialog {
    label = "Wirecraft 5";
    : text { key = "msg1"; label = ""; width = 45; }
    : text { key = "msg2"; label = ""; width = 45; }
    : text { key = "msg3"; label = ""; width = 45; }
    : row {
        : button { key = "yes"; label = "Yes"; is_default = true; fixed_width = true; width = 8; }
        : button { key = "no"; label = "No"; fixed_width = true; width = 8; }
        : button { key = "cancel"; label = "Cancel"; is_cancel = true; fixed_width = true; width = 8; }
    }
}
