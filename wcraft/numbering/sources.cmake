# Numbering and correlation (paths relative to wcraft/).
set(WCRAFT_NUMBERING_HOST_SOURCES
  numbering/touch.cpp
  numbering/segment_index.cpp
  numbering/links.cpp
  numbering/groups.cpp
  numbering/wire_numbering.cpp
  numbering/nocase_index.cpp
  numbering/component_numbering.cpp
  numbering/relay_correlation.cpp
)
