# Run control and stage engine (paths relative to wcraft/).
set(WCRAFT_POSTPROC_HOST_SOURCES postproc/progress.cpp)
