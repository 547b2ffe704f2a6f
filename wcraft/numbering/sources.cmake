# Numbering and correlation (paths relative to wcraft/).
set(WCRAFT_NUMBERING_HOST_SOURCES)
