# Drawing commands and the entity lister (paths relative to wcraft/).
set(WCRAFT_DRAW_HOST_SOURCES
  draw/draw_support.cpp
  draw/wire_command.cpp
  draw/block_commands.cpp
  draw/zone_command.cpp
  draw/entity_data.cpp
  draw/entity_lister.cpp
  draw/block_lister.cpp
)
