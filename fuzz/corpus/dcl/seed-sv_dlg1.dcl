// The library manager and the load dialog of the symbol library manager.

sv_lib_defn : dialog {
    label = "SYMVAULT - Library manager";
    : list_box { key = "l_names"; label = "Loaded libraries"; width = 60; height = 10; tabs = "18"; }
    : row {
        : button { key = "select"; label = "Select"; }
        : button { key = "load"; label = "Load..."; }
        : button { key = "unload"; label = "Unload"; }
        : button { key = "show"; label = "Show"; }
        : button { key = "hide"; label = "Hide"; }
    }
    ok_cancel_help;
}

sv_lib_load_defn : dialog {
    label = "SYMVAULT - Load library";
    : list_box { key = "l_names"; label = "Libraries on disk (* shared on the network)"; width = 60; height = 10; tabs = "18"; }
    ok_cancel_help;
}
