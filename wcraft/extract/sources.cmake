# Store and drawing extraction (paths relative to wcraft/).
set(WCRAFT_EXTRACT_PURE_SOURCES extract/store.cpp)
set(WCRAFT_EXTRACT_HOST_SOURCES)
