d : dialog {
}
/* never closed

