// Zone level dialog of the electrical design application: the names of
// the ten levels of the zone tree.

zone_levels_defn : dialog {
    label = "Wirecraft 5 - Zone levels";
    : text { key = "p_title"; label = ""; width = 58; }
    : boxed_column {
        label = "Level names";
        : edit_box { key = "zone0"; label = "Level 0:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone1"; label = "Level 1:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone2"; label = "Level 2:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone3"; label = "Level 3:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone4"; label = "Level 4:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone5"; label = "Level 5:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone6"; label = "Level 6:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone7"; label = "Level 7:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone8"; label = "Level 8:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "zone9"; label = "Level 9:"; edit_width = 14; edit_limit = 14; }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
