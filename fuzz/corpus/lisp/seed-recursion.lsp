(defun down () (down)) (down)
