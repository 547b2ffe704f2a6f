; Support file of the post-processor runs. The run's script loads it before
; each call and names its three functions as commands:
;   wcrPPRO1    at the start of the script,
;   wcrPPRO2_4  once per drawing, with wcrshtn set to the drawing's sheet,
;   WCRPPRO3_5  after the last drawing.
; The script is run twice. The first pass reads every drawing (stage 2);
; at its end the project-wide work (stage 3) runs and the same script is
; started again, so that the second pass writes back into every drawing
; (stage 4); its end finishes the run (stage 5). The application keeps the
; stage and publishes it as wcrstage again in every drawing it opens.

; The run's script: install directory, PROCESS folder, project name.
(defun wcr_ppro_script ()
  (strcat wcridir "PROCESS\\" WCRpname ".SCR"))

; Calls the outside application named for the current stage, if any.
(defun wcr_ppro_interface (/ found)
  (setq found (WCRPPROINT))
  (if (and (eq (type found) 'LIST) (eq (type (car found)) 'STR) (/= (car found) ""))
    (progn
      (if (and (eq (type (cadr found)) 'STR) (/= (cadr found) ""))
        (load (cadr found)))
      (eval (list (read (car found)))))))

; One stage's work for the open drawing.
(defun wcr_ppro_stage (option)
  (setq wcroptn option)
  (wcr_ppro_interface)
  (WCRCTRL))

(defun wcrPPRO1 ()
  (if (equal wcrstage 1)
    (progn
      (wcr_ppro_stage 1000)
      (WCRNEXTSTAGE)))
  (princ))

(defun wcrPPRO2_4 ()
  (cond
    ((equal wcrstage 2) (wcr_ppro_stage 2000))
    ((equal wcrstage 4) (wcr_ppro_stage 4000)))
  (princ))

(defun WCRPPRO3_5 ()
  (cond
    ((equal wcrstage 2)
      (WCRNEXTSTAGE)
      (wcr_ppro_stage 3000)
      (WCRNEXTSTAGE)
      (if (equal wcrstage 4) (command "_.SCRIPT" (wcr_ppro_script))))
    ((equal wcrstage 4)
      (WCRNEXTSTAGE)
      (wcr_ppro_stage 5000)
      (WCRNEXTSTAGE)))
  (princ))

; A bare word in a script runs a command, so the three are commands too.
(defun C:wcrPPRO1 () (wcrPPRO1))
(defun C:wcrPPRO2_4 () (wcrPPRO2_4))
(defun C:WCRPPRO3_5 () (WCRPPRO3_5))
(princ)
