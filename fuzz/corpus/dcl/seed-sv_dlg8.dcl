// The application manager and its entry dialog.

sv_app_control : dialog {
    label = "SYMVAULT - Application manager";
    : list_box { key = "app_names"; label = "Applications loaded at start-up"; width = 60; height = 10; tabs = "12"; }
    : row {
        : radio_column { : radio_button { key = "ads"; label = "ADS"; } : radio_button { key = "arx"; label = "ARX"; } : radio_button { key = "lsp"; label = "AutoLISP"; } }
        : radio_column { : radio_button { key = "enable"; label = "Enabled"; } : radio_button { key = "disable"; label = "Disabled"; } }
        : radio_column { : radio_button { key = "debug"; label = "Debug"; } : radio_button { key = "nodebug"; label = "No debug"; } }
    }
    : row {
        : button { key = "add"; label = "Add..."; }
        : button { key = "mod"; label = "Modify..."; }
        : button { key = "del"; label = "Delete"; }
    }
    : text { key = "error_msg"; label = ""; width = 60; }
    ok_cancel_help;
}

sv_app_control_new : dialog {
    label = "SYMVAULT - Application";
    : row {
        : edit_box { key = "appname"; label = "Application:"; edit_width = 40; edit_limit = 140; }
        : button { key = "select"; label = "Browse..."; }
    }
    : edit_box { key = "descript"; label = "Description:"; edit_width = 40; edit_limit = 64; }
    : radio_row { : radio_button { key = "ads"; label = "ADS"; } : radio_button { key = "arx"; label = "ARX"; } : radio_button { key = "lsp"; label = "AutoLISP"; } }
    ok_cancel_help;
}
