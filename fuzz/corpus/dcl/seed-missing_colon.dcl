d dialog { }
