; Parametric symbol TSTRIP of the sample library: a strip of terminals,
; 5 apart, with its rails, as many as the user asks for.
(defun TSTRIP (/ n pt i x y)
  (setq n (getint "\nNumber of terminals <4>: "))
  (if (null n) (setq n 4))
  (setq pt (getpoint "\nFirst terminal: "))
  (if pt
    (progn
      (setq x (car pt) y (cadr pt) i 0)
      (while (< i n)
        (entmake (list '(0 . "CIRCLE") (cons 10 (list (+ x (* 5.0 i)) y 0.0)) '(40 . 1.0)))
        (setq i (1+ i)))
      (entmake (list '(0 . "LINE") (cons 10 (list (- x 2.0) (- y 2.0) 0.0))
                     (cons 11 (list (+ x (* 5.0 (1- n)) 2.0) (- y 2.0) 0.0))))
      (entmake (list '(0 . "LINE") (cons 10 (list (- x 2.0) (+ y 2.0) 0.0))
                     (cons 11 (list (+ x (* 5.0 (1- n)) 2.0) (+ y 2.0) 0.0))))))
  (princ))
