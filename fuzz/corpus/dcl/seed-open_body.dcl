d : dialog {
  : button { key = "a"; }
