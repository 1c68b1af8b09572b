list(APPEND BRIXEN_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clsDialogColor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clsDialogOpenSave.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_hook.cpp)
