(setq i 0 s "") (while (< i 10) (setq i (1+ i) s (strcat s "ab")))
(repeat 3 (setq l (cons i l))) (foreach x l (princ x)) (mapcar '1+ l)
(apply '+ l) (lambda (x) x) ((lambda (x / y) (setq y x)) 2)
