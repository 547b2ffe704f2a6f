// The about box, the yes/no question and the password box of the symbol
// library manager.

sv_about : dialog {
    label = "About SYMVAULT";
    : image { key = "sv_info"; width = 40; height = 12; color = 0; }
    : text { key = "sv_version"; label = ""; width = 40; alignment = centered; }
    : text { key = "sv_platform"; label = ""; width = 40; alignment = centered; }
    ok_only;
}

sv_yesno : dialog {
    label = "SYMVAULT";
    : text { key = "msg1"; label = ""; width = 45; }
    : text { key = "msg2"; label = ""; width = 45; }
    : text { key = "msg3"; label = ""; width = 45; }
    : row {
        fixed_width = true;
        alignment = centered;
        : button { key = "yes"; label = "Yes"; is_default = true; fixed_width = true; width = 8; }
        : button { key = "no"; label = "No"; is_cancel = true; fixed_width = true; width = 8; }
    }
}

sv_password : dialog {
    label = "SYMVAULT - Library password";
    : edit_box { key = "password"; label = "Password:"; edit_width = 16; edit_limit = 16; password_char = "*"; }
    ok_cancel_help;
}
