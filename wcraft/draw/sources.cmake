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
# The selection dialogs come with the configuration dialogs; a build
# without them uses the stand-ins of this folder.
if(NOT EXISTS ${CMAKE_CURRENT_LIST_DIR}/../dialogs/wire_dialog.cpp)
  list(APPEND WCRAFT_DRAW_HOST_SOURCES draw/select_dialogs_local.cpp)
endif()
