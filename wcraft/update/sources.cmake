# Write-back into the drawings (paths relative to wcraft/).
set(WCRAFT_UPDATE_HOST_SOURCES
  update/wire_writeback.cpp
  update/attribute_writeback.cpp
  update/contact_display.cpp
  update/run_index.cpp
)
