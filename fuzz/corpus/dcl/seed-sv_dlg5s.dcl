// The symbol definition dialogs, one per symbol type, for the standard layouts.

sv_edit_block : dialog {
    label = "SYMVAULT - Block symbol";
    : row {
        : column {
            : edit_box { key = "name"; label = "Name:"; edit_width = 16; edit_limit = 16; }
            : edit_box { key = "description"; label = "Description:"; edit_width = 30; edit_limit = 100; }
            : row { : edit_box { key = "layer"; label = "Layer:"; edit_width = 20; edit_limit = 32; } : button { key = "slayer"; label = "Layers..."; } }
        }
        : column {
            : image_button { key = "slide"; width = 16; aspect_ratio = 0.75; color = 0; allow_accept = true; }
            : button { key = "createslide"; label = "Create slide..."; }
        }
    }
    : boxed_radio_row {
        label = "Type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : row { : button { key = "selectblock"; label = "Select block <"; } : toggle { key = "prepara"; label = "Routine before"; } : toggle { key = "postpara"; label = "Routine after"; } : button { key = "editpara"; label = "Edit routines..."; } }
    : row { : edit_box { key = "scale_option"; label = "Scale option:"; edit_width = 20; edit_limit = 32; } : button { key = "select_scale_option"; label = "Options..."; } }
    ok_cancel_help;
}

sv_edit_group : dialog {
    label = "SYMVAULT - Group symbol";
    : row {
        : column {
            : edit_box { key = "name"; label = "Name:"; edit_width = 16; edit_limit = 16; }
            : edit_box { key = "description"; label = "Description:"; edit_width = 30; edit_limit = 100; }
            : row { : edit_box { key = "layer"; label = "Layer:"; edit_width = 20; edit_limit = 32; } : button { key = "slayer"; label = "Layers..."; } }
        }
        : column {
            : image_button { key = "slide"; width = 16; aspect_ratio = 0.75; color = 0; allow_accept = true; }
            : button { key = "createslide"; label = "Create slide..."; }
        }
    }
    : boxed_radio_row {
        label = "Type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : row { : button { key = "selectgroup"; label = "Select objects <"; } : toggle { key = "prepara"; label = "Routine before"; } : toggle { key = "postpara"; label = "Routine after"; } : button { key = "editpara"; label = "Edit routines..."; } }
    : row { : edit_box { key = "scale_option"; label = "Scale option:"; edit_width = 20; edit_limit = 32; } : button { key = "select_scale_option"; label = "Options..."; } }
    ok_cancel_help;
}

sv_edit_drawing : dialog {
    label = "SYMVAULT - Drawing symbol";
    : row {
        : column {
            : edit_box { key = "name"; label = "Name:"; edit_width = 16; edit_limit = 16; }
            : edit_box { key = "description"; label = "Description:"; edit_width = 30; edit_limit = 100; }
            : row { : edit_box { key = "layer"; label = "Layer:"; edit_width = 20; edit_limit = 32; } : button { key = "slayer"; label = "Layers..."; } }
        }
        : column {
            : image_button { key = "slide"; width = 16; aspect_ratio = 0.75; color = 0; allow_accept = true; }
            : button { key = "createslide"; label = "Create slide..."; }
        }
    }
    : boxed_radio_row {
        label = "Type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : button { key = "selectdrawing"; label = "Select objects <"; }
    : row { : edit_box { key = "x"; label = "X:"; edit_width = 10; edit_limit = 49; } : edit_box { key = "y"; label = "Y:"; edit_width = 10; edit_limit = 49; } : edit_box { key = "z"; label = "Z:"; edit_width = 10; edit_limit = 49; } }
    : row { : edit_box { key = "scl"; label = "Scale:"; edit_width = 10; edit_limit = 49; } : edit_box { key = "rot"; label = "Rotation:"; edit_width = 10; edit_limit = 49; } }
    ok_cancel_help;
}

sv_edit_script : dialog {
    label = "SYMVAULT - Script symbol";
    : row {
        : column {
            : edit_box { key = "name"; label = "Name:"; edit_width = 16; edit_limit = 16; }
            : edit_box { key = "description"; label = "Description:"; edit_width = 30; edit_limit = 100; }
            : row { : edit_box { key = "layer"; label = "Layer:"; edit_width = 20; edit_limit = 32; } : button { key = "slayer"; label = "Layers..."; } }
        }
        : column {
            : image_button { key = "slide"; width = 16; aspect_ratio = 0.75; color = 0; allow_accept = true; }
            : button { key = "createslide"; label = "Create slide..."; }
        }
    }
    : boxed_radio_row {
        label = "Type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : button { key = "editscript"; label = "Edit script..."; }
    ok_cancel_help;
}

sv_edit_para : dialog {
    label = "SYMVAULT - Parametric symbol";
    : row {
        : column {
            : edit_box { key = "name"; label = "Name:"; edit_width = 16; edit_limit = 16; }
            : edit_box { key = "description"; label = "Description:"; edit_width = 30; edit_limit = 100; }
            : row { : edit_box { key = "layer"; label = "Layer:"; edit_width = 20; edit_limit = 32; } : button { key = "slayer"; label = "Layers..."; } }
        }
        : column {
            : image_button { key = "slide"; width = 16; aspect_ratio = 0.75; color = 0; allow_accept = true; }
            : button { key = "createslide"; label = "Create slide..."; }
        }
    }
    : boxed_radio_row {
        label = "Type";
        : radio_button { key = "block"; label = "Block"; }
        : radio_button { key = "group"; label = "Group"; }
        : radio_button { key = "drawing"; label = "Drawing"; }
        : radio_button { key = "script"; label = "Script"; }
        : radio_button { key = "parametric"; label = "Parametric"; }
    }
    : row { : radio_row { : radio_button { key = "ads"; label = "ADS"; } : radio_button { key = "arx"; label = "ARX"; } : radio_button { key = "lsp"; label = "AutoLISP"; } } : button { key = "editpara"; label = "Edit AutoLISP..."; } }
    ok_cancel_help;
}
