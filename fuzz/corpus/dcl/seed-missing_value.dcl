d : dialog {
  key = ;
}
