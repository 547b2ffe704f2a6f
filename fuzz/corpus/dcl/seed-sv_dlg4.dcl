// The group name dialog of the library editor.

sv_edit_symvault_group : dialog {
    label = "SYMVAULT - Group";
    : text { key = "grouptext"; label = ""; width = 40; }
    : edit_box { key = "groupname"; label = "Name:"; edit_width = 40; edit_limit = 50; }
    ok_cancel_help;
}
