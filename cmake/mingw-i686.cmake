set(CMAKE_SYSTEM_PROCESSOR i686)
set(BRIXEN_TRIPLE i686-w64-mingw32)
set(BRIXEN_WIDL_FLAGS "--win32")  # a SYS_WIN32 type library
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
