d : dialog {
  $ 
}
