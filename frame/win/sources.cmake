list(APPEND BRIXEN_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ansi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_case.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runtime_errors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/msgbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sendkeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dir.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer.cpp)
