(defun two (a b) a) (two 1) (/ 1 0) (defun *error* (msg) (princ (strcat "[" msg "]")))
(car 1) (exit)
