// Attribute dialog of the electrical design application: the layer, block
// and attribute names the post-processor looks for.

attrib_defn : dialog {
    label = "Wirecraft 5 - Attribute names";
    : text { key = "p_title"; label = ""; width = 58; }
    : row {
        : boxed_column {
            label = "Sheets";
            : edit_box { key = "grid_ref"; label = "Grid reference layer:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "title_block"; label = "Title block:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "sheetno"; label = "Sheet number:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "sheetmax"; label = "Total sheets:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "zonename"; label = "Zone name:"; edit_width = 19; edit_limit = 19; }
        }
        : boxed_column {
            label = "Components";
            : edit_box { key = "ref"; label = "Reference:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "bom"; label = "BOM number:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "bomatt"; label = "BOM attribute:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "tag"; label = "Tag:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "cid"; label = "Relay identification:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "user"; label = "User:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "id"; label = "Connection point:"; edit_width = 19; edit_limit = 19; }
            : edit_box { key = "cv"; label = "Coil voltage:"; edit_width = 19; edit_limit = 19; }
        }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
