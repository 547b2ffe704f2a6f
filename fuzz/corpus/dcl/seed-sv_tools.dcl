// The yes/no question the AutoLISP support code asks through
// SV_TOOLS_YESNO_DLG; found on the host's search path.

sv_tools_yesno_dlg : dialog {
    label = "SYMVAULT";
    : text { key = "msg1"; label = ""; width = 50; }
    : text { key = "msg2"; label = ""; width = 50; }
    : row {
        fixed_width = true;
        alignment = centered;
        : button { key = "yes"; label = "Yes"; is_default = true; fixed_width = true; width = 8; }
        : button { key = "no"; label = "No"; fixed_width = true; width = 8; }
        : button { key = "cancel"; label = "Cancel"; is_cancel = true; fixed_width = true; width = 8; }
    }
}
