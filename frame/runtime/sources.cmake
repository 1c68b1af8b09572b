list(APPEND BRIXEN_PURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/decimal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_scan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/val.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calendar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pattern.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_date.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
)
