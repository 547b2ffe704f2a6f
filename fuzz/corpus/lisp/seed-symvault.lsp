; AutoLISP support code of the symbol library manager: start-up loading
; of the module and the managed applications, and the command SVLIBRARY,
; which lets the user pick a library symbol (SV_USELIB) and inserts it from
; the list that comes back.

(setq sv:dir "C:\\SYMVAULT\\")
(setq sv:dwgext ".DXF")   ; the host's drawing file extension

; --- start-up -------------------------------------------------------------

; Loads the module when it is not loaded, then every enabled application
; of the application manager's list.
(defun sv:startup (/ apps)
  (if (not SV_USELIB) (arxload (strcat sv:dir "symvault.arx") nil))
  (if SV_APP_LIST (setq apps (SV_APP_LIST)))
  (if (and apps (listp apps)) (foreach a apps (sv:load-app a)))
  (princ))

; One entry ((1 . name) (2 . description) (3 . type) (4 . enabled) (5 . debug)).
(defun sv:load-app (a / name kind)
  (setq name (cdr (assoc 1 a)) kind (cdr (assoc 3 a)))
  (if (equal (cdr (assoc 4 a)) 1)
    (cond ((equal kind 2) (arxload name nil))
          ((equal kind 3) (load name))
          (T (princ (strcat "\nSYMVAULT : ADS application " name " not loaded: this host loads ARX and AutoLISP only."))))))

; --- inserting a symbol ------------------------------------------------------

(defun sv:get (code r) (cdr (assoc code r)))
; Is the flag of this code 1? (Absent flags are off.)
(defun sv:on (code r) (equal (sv:get code r) 1))

; The file of a symbol in its library's directory.
(defun sv:file (r ext) (strcat (sv:get 3 r) (sv:get 4 r) ext))

; Calls a function by name when it is defined.
(defun sv:call (fname / f)
  (setq f (eval (read fname)))
  (if f (eval (list (read fname))) (princ (strcat "\nSYMVAULT : function " fname " is not defined."))))

; The AutoLISP routine that a block or group symbol runs before (50) or
; after (51) its insertion: NAME_PRE or NAME_POST in NAME.LSP.
(defun sv:para (r code suffix / lsp)
  (if (sv:on code r)
    (progn
      (setq lsp (findfile (sv:file r ".LSP")))
      (if lsp (load lsp))
      (sv:call (strcat (sv:get 4 r) suffix)))))

; Scale factors: the scale choice (60 . 1), else asked when the scale
; toggle is on, else 1.
(defun sv:scales (r / s)
  (cond ((sv:on 60 r) (list (sv:get 61 r) (sv:get 62 r)))
        ((sv:on 21 r)
         (setq s (getreal "\nScale factor <1>: "))
         (if (null s) (setq s 1.0))
         (list s s))
        (T (list 1.0 1.0))))

(defun sv:rotation (r pt / a)
  (if (sv:on 20 r)
    (progn (setq a (getangle pt "\nRotation angle <0>: ")) (if a (* a (/ 180.0 pi)) 0.0))
    0.0))

; INSERT of a block symbol from its drawing file, at one point. The block
; is defined from its file when the drawing does not have it yet.
(defun sv:insert-at (r pt / name blk sc)
  (setq name (sv:get 4 r))
  (setq blk (if (tblsearch "BLOCK" name) name (strcat name "=" (sv:file r sv:dwgext))))
  (setq sc (sv:scales r))
  (command "_.INSERT" blk pt (car sc) (cadr sc) (sv:rotation r pt))
  (if (sv:on (if (equal (sv:get 7 r) 2) 32 30) r) (SV_BREAKLINE (entlast))))

(defun sv:insert-block (r / pt more)
  (if (sv:on 22 r) (princ "\nSYMVAULT : this host has no external references; the symbol is inserted as a block."))
  (if (or (sv:on 23 r) (equal (sv:get 7 r) 2))
    (princ "\nSYMVAULT : this host has no EXPLODE; the symbol stays one block."))
  (sv:para r 50 "_PRE")
  (setq more T)
  (while (and more (setq pt (getpoint "\nInsertion point: ")))
    (sv:insert-at r pt)
    (setq more (sv:on 11 r)))
  (sv:para r 51 "_POST"))

; A drawing symbol goes in at the place, scale and rotation of its data.
(defun sv:insert-drawing (r / name)
  (setq name (sv:get 4 r))
  (command "_.INSERT" (strcat name "=" (sv:file r sv:dwgext))
           (list (sv:get 50 r) (sv:get 51 r) (sv:get 52 r)) (sv:get 53 r) (sv:get 53 r) (sv:get 54 r)))

; A script symbol runs from the point given: its lines use "@" points.
(defun sv:run-script (r / pt)
  (if (setq pt (getpoint "\nInsertion point: "))
    (progn (setvar "LASTPOINT" pt) (command "_.SCRIPT" (sv:file r ".SCR")))))

; A parametric symbol: its AutoLISP file (one per symbol, or the library's
; master file) is loaded when needed, then its function (one per symbol,
; or the master function given the symbol's name) is called.
(defun sv:run-parametric (r / file fname)
  (setq file (if (sv:on 40 r) (strcat (sv:get 3 r) (sv:get 1 r) ".LSP") (sv:file r ".LSP")))
  (setq fname (if (sv:on 42 r) (sv:get 1 r) (sv:get 4 r)))
  (if (sv:on 43 r) (princ (strcat "\nSYMVAULT debug : " file ", function " fname)))
  (if (or (sv:on 41 r) (not (eval (read fname)))) (load file))
  (if (sv:on 42 r)
    (eval (list (read fname) (sv:get 4 r)))
    (sv:call fname)))

; Inserts the symbol the list describes, on its layer when it names one.
(defun sv:insert (r / layer old kind)
  (setq layer (sv:get 8 r) kind (sv:get 7 r) old (getvar "CLAYER"))
  (if (/= layer "") (command "_.LAYER" "_M" layer ""))
  (cond ((member kind '(1 2)) (sv:insert-block r))
        ((equal kind 3) (sv:insert-drawing r))
        ((equal kind 4) (sv:run-script r))
        ((equal kind 5) (sv:run-parametric r)))
  (if (/= layer "") (setvar "CLAYER" old))
  (princ))

; Picks and inserts symbols of a library until the user cancels the
; picker, or once when recall is off. Group and page start where the
; last pick left them.
(defun sv:library (lib grp / r again)
  (setq again T)
  (while again
    (setq r (if grp (SV_USELIB lib grp) (SV_USELIB lib)))
    (if r
      (progn
        (sv:insert r)
        (setq grp (sv:get 5 r) again (sv:on 10 r)))
      (setq again nil)))
  (princ))

; SVLIBRARY: asks for the library name (Enter for the last one used).
(defun C:SVLIBRARY (/ lib)
  (if (null sv:lastlib) (setq sv:lastlib "ELEC"))
  (setq lib (getstring (strcat "\nSymbol library <" sv:lastlib ">: ")))
  (if (= lib "") (setq lib sv:lastlib))
  (setq sv:lastlib lib)
  (sv:library lib nil))

; For menu macros: (SVLIBRARY "ELEC" "Contacts") or (SVLIBRARY "ELEC" nil).
(defun SVLIBRARY (lib grp) (setq sv:lastlib lib) (sv:library lib grp))

(princ)
