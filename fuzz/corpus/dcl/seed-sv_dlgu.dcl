// The alert and message boxes of the symbol library manager.

sv_alert : dialog {
    label = "SYMVAULT - Warning";
    : text { key = "msg1"; label = ""; width = 50; }
    : text { key = "msg2"; label = ""; width = 50; }
    ok_only;
}

sv_message : dialog {
    label = "SYMVAULT";
    : text { key = "msg1"; label = ""; width = 50; }
    : text { key = "msg2"; label = ""; width = 50; }
    ok_only;
}
