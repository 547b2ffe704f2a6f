// The symbol picker, layout "Standard 3x3": 9 icons a page.

sv_symvault : dialog {
    label = "SYMVAULT";
    : row {
        : text { key = "libname"; label = ""; width = 16; }
        : text { key = "libdescription"; label = ""; width = 40; }
    }
    : text { key = "banner"; label = ""; width = 60; }
    : popup_list { key = "group"; label = "Group:"; width = 40; }
    : row {
        : column {
            : row { : image_button { key = "symbol1"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol2"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol3"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } }
            : row { : image_button { key = "symbol4"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol5"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol6"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } }
            : row { : image_button { key = "symbol7"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol8"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } : image_button { key = "symbol9"; width = 10; aspect_ratio = 1.33; color = 0; allow_accept = true; } }
        }
        : list_box { key = "names"; label = "Symbols"; width = 30; height = 9; }
    }
    : text { key = "fulldescription"; label = ""; width = 70; }
    : row {
        : button { key = "prev"; label = "< Previous"; fixed_width = true; width = 12; }
        : button { key = "next"; label = "Next >"; fixed_width = true; width = 12; }
    }
    : row { : toggle { key = "explode"; label = "Explode"; } : toggle { key = "scale"; label = "Scale"; } : toggle { key = "rotate"; label = "Rotate"; } : toggle { key = "xref"; label = "Xref"; } : toggle { key = "multi"; label = "Multi"; } : toggle { key = "recall"; label = "Recall"; } }
    ok_cancel_help;
}
