// Standard tiles of the host, available to every dialog file. The built-in
// tile types (dialog, button, edit_box, list_box, popup_list, toggle,
// radio_button, radio_row, radio_column, boxed_radio_row,
// boxed_radio_column, row, column, boxed_row, boxed_column, text, image,
// image_button, spacer, slider, concatenation, paragraph, text_part) need
// no definition; the tiles below are made from them.

spacer_0 : spacer {
    height = 0;
    width = 0;
    horizontal_margin = none;
    vertical_margin = none;
}

spacer_1 : spacer {
    height = 1;
    width = 1;
    horizontal_margin = none;
    vertical_margin = none;
}

// The buttons that close a dialog or ask for help.
exit_button : button {
    fixed_width = true;
    width = 8;
    alignment = centered;
}

ok_button : exit_button {
    label = "OK";
    key = "accept";
    is_default = true;
}

cancel_button : exit_button {
    label = "Cancel";
    key = "cancel";
    is_cancel = true;
}

help_button : exit_button {
    label = "&Help";
    key = "help";
    is_help = true;
}

// The line that shows error messages.
errtile : text {
    key = "error";
    label = "";
    width = 35;
    is_error_tile = true;
}

// Rows of exit buttons.
ok_only : row {
    fixed_width = true;
    alignment = centered;
    ok_button;
}

ok_cancel : row {
    fixed_width = true;
    alignment = centered;
    ok_button;
    : spacer { width = 2; }
    cancel_button;
}

ok_cancel_help : row {
    fixed_width = true;
    alignment = centered;
    ok_button;
    : spacer { width = 2; }
    cancel_button;
    : spacer { width = 2; }
    help_button;
}

ok_cancel_help_errtile : column {
    ok_cancel_help;
    errtile;
}

ok_cancel_err : column {
    ok_cancel;
    errtile;
}
