// Application interface dialog of the electrical design application: the
// AutoLISP function and file called at each of five interfaces.

application_defn : dialog {
    label = "Wirecraft 5 - Application interfaces";
    : text { key = "p_title"; label = ""; width = 58; }
    : boxed_row {
        label = "Interface 1";
        : edit_box { key = "int1x"; label = "Function:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "int1f"; label = "AutoLISP file:"; edit_width = 8; edit_limit = 8; }
    }
    : boxed_row {
        label = "Interface 2";
        : edit_box { key = "int2x"; label = "Function:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "int2f"; label = "AutoLISP file:"; edit_width = 8; edit_limit = 8; }
    }
    : boxed_row {
        label = "Interface 3";
        : edit_box { key = "int3x"; label = "Function:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "int3f"; label = "AutoLISP file:"; edit_width = 8; edit_limit = 8; }
    }
    : boxed_row {
        label = "Interface 4";
        : edit_box { key = "int4x"; label = "Function:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "int4f"; label = "AutoLISP file:"; edit_width = 8; edit_limit = 8; }
    }
    : boxed_row {
        label = "Interface 5";
        : edit_box { key = "int5x"; label = "Function:"; edit_width = 14; edit_limit = 14; }
        : edit_box { key = "int5f"; label = "AutoLISP file:"; edit_width = 8; edit_limit = 8; }
    }
    : text { key = "errormsg"; label = ""; width = 50; }
    : row {
        ok_button;
        cancel_button;
        : button { key = "info"; label = "Info..."; fixed_width = true; width = 8; }
    }
}
