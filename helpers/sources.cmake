list(APPEND BRIXEN_PURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/err_log_text.cpp)
list(APPEND BRIXEN_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/clsMethod.cpp
  ${CMAKE_CURRENT_LIST_DIR}/errreg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/query.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_size.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_default.cpp
  ${CMAKE_CURRENT_LIST_DIR}/waiting.cpp)
