list(APPEND BRIXEN_PURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/conversions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monthly_code.cpp)
list(APPEND BRIXEN_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/words.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pwd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graphics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clsProperty.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/actions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer.cpp)
