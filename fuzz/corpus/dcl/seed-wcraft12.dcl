// Global wire-number dialog of the electrical design application: one text
// height and one pair of offsets for every wire type, when enabled.

glwire_defn : dialog {
    label = "Wirecraft 5 - Global wire numbers";
    : text { key = "p_title"; label = ""; width = 58; }
    : toggle { key = "en"; label = "Use these settings for every wire type"; }
    : row {
        : boxed_column {
            label = "Wire number text";
            : edit_box { key = "v_x"; label = "Vertical wire X offset:"; edit_width = 6; edit_limit = 6; }
            : edit_box { key = "v_y"; label = "Vertical wire Y offset:"; edit_width = 6; edit_limit = 6; }
            : edit_box { key = "h_x"; label = "Horizontal wire X offset:"; edit_width = 6; edit_limit = 6; }
            : edit_box { key = "h_y"; label = "Horizontal wire Y offset:"; edit_width = 6; edit_limit = 6; }
            : edit_box { key = "height"; label = "Text height:"; edit_width = 6; edit_limit = 6; }
        }
        : boxed_column {
            label = "Options";
            : toggle { key = "ls"; label = "LS"; }
            : toggle { key = "us"; label = "US"; }
            : toggle { key = "gs"; label = "GS"; }
            : toggle { key = "wbs"; label = "WBS"; }
            : toggle { key = "wbg"; label = "WBG"; }
            : toggle { key = "ftg"; label = "FTG"; }
        }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
