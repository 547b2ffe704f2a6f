// Project dialog of the electrical design application: project identity
// and the choice of the project's drawings.

project_main : dialog {
    label = "Wirecraft 5 - Project";
    : row {
        : column {
            : boxed_column {
                label = "Project";
                : edit_box { key = "p_name"; label = "Project name:"; edit_width = 8; edit_limit = 8; }
                : edit_box { key = "p_dir"; label = "Drawing directory:"; edit_width = 40; edit_limit = 60; }
                : edit_box { key = "p_title"; label = "Title:"; edit_width = 40; edit_limit = 58; }
            }
            : boxed_radio_column {
                label = "Drawing selection";
                : radio_button { key = "m_but"; label = "Drawings by mask"; }
                : radio_button { key = "f_but"; label = "Drawings by name"; }
                : radio_button { key = "d_but"; label = "Every drawing in the directory"; }
            }
            : edit_box { key = "f_mask"; label = "Mask:"; edit_width = 8; edit_limit = 8; }
        }
        : boxed_column {
            label = "Drawing names";
            : list_box { key = "f_names"; height = 10; width = 14; }
            : edit_box { key = "f_edit"; label = "Name:"; edit_width = 8; edit_limit = 8; }
            : row {
                : button { key = "add"; label = "Add"; }
                : button { key = "del"; label = "Delete"; }
            }
            : row {
                : button { key = "mod"; label = "Modify"; }
                : button { key = "ins"; label = "Insert"; }
            }
        }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
