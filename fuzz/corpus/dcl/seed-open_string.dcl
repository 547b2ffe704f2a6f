d : dialog {

  label = "open;
}
