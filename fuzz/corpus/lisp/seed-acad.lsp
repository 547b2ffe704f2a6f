; Start-up file of the electrical design application, run by the host at
; every drawing load. Loads the module when it is not loaded yet and tells
; it where it is installed; on the first run that sets up the working
; folders and the demo project.
(if (not WCRSETDIR) (arxload "C:\\WCRAFT\\wcraft.arx" nil))
(if WCRSETDIR (WCRSETDIR "C:\\WCRAFT\\"))
(princ)
