d : dialog {
  label = "x"
  width = 3;
}
