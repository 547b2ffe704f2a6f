# Store and drawing extraction (paths relative to wcraft/).
set(WCRAFT_EXTRACT_PURE_SOURCES extract/store.cpp extract/sorted_insert.cpp extract/grid_lookup.cpp)
set(WCRAFT_EXTRACT_HOST_SOURCES
  extract/entity_access.cpp
  extract/records.cpp
  extract/extract_support.cpp
  extract/wires.cpp
  extract/grid.cpp
  extract/markers.cpp
  extract/components.cpp
)
