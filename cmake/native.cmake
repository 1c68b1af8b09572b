# Native Linux build: the code that needs no Win32, tested under AddressSanitizer and UBSan.
set(BRIXEN_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(brixen_pure STATIC ${BRIXEN_PURE_SOURCES})
target_include_directories(brixen_pure PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(brixen_pure PUBLIC ${BRIXEN_SANITIZE})
target_link_options(brixen_pure PUBLIC ${BRIXEN_SANITIZE})

find_package(GTest REQUIRED)
enable_testing()
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/native/CMakeLists.txt)
  add_subdirectory(tests/native)
endif()
