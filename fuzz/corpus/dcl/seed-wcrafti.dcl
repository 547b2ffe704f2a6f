// The product information box of the electrical design application.

wcr_info : dialog {
    label = "About Wirecraft 5";
    : image { key = "wcr_info"; width = 40; height = 12; color = 0; }
    : text { key = "wcr_version"; label = ""; width = 40; alignment = centered; }
    ok_only;
}
