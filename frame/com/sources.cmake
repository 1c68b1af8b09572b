list(APPEND BRIXEN_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/variant.cpp
  ${CMAKE_CURRENT_LIST_DIR}/latebound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/invoke.cpp
  ${CMAKE_CURRENT_LIST_DIR}/factory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registration.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glue_support.cpp)
