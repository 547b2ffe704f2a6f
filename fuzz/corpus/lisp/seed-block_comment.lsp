;| open comment
(+ 1 2)
