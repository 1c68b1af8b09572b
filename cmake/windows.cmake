# Cross build of QUENTA01.DLL and its Wine-run tests.
set(GEN ${CMAKE_BINARY_DIR}/gen)
file(MAKE_DIRECTORY ${GEN})
set(IDL ${CMAKE_SOURCE_DIR}/typelib/brixen.idl)
set(WIDL_IMPORTS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)  # stdole2.tlb
set(WIDL_INCLUDES -I/usr/include/wine/wine/windows -L${WIDL_IMPORTS})
separate_arguments(WIDL_EXTRA UNIX_COMMAND "${BRIXEN_WIDL_FLAGS}")

# The header and identifiers come from the IDL as it stands. The library comes from a copy in
# which ByRef text parameters with a text default are ByVal (widl writes no text default on a
# BSTR*), put back to ByRef in widl's output afterwards (tools/tlb_text_defaults.py).
set(TLB_TOOL ${CMAKE_SOURCE_DIR}/tools/tlb_text_defaults.py)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(
  OUTPUT ${GEN}/brixen.tlb ${GEN}/brixen.h ${GEN}/brixen_i.c
  COMMAND Python3::Interpreter ${TLB_TOOL} derive ${IDL} ${GEN}/brixen_tlb.idl
  COMMAND ${BRIXEN_WIDL} ${WIDL_EXTRA} ${WIDL_INCLUDES} -t -o ${GEN}/brixen_widl.tlb ${GEN}/brixen_tlb.idl
  COMMAND Python3::Interpreter ${TLB_TOOL} patch ${IDL} ${GEN}/brixen_widl.tlb ${GEN}/brixen.tlb
  COMMAND ${BRIXEN_WIDL} ${WIDL_EXTRA} ${WIDL_INCLUDES} -h -o ${GEN}/brixen.h ${IDL}
  COMMAND ${BRIXEN_WIDL} ${WIDL_EXTRA} ${WIDL_INCLUDES} -u -o ${GEN}/brixen_i.c ${IDL}
  DEPENDS ${IDL} ${TLB_TOOL} ${CMAKE_SOURCE_DIR}/tools/msft_typelib.py
  COMMENT "Type library BRIXEN")

# docs/reference.md is made from the built library by the 64-bit build. The committed copy must
# be the one made: the build fails while they differ (with the difference), and the target
# update_reference copies the made one over the committed one.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(REFERENCE_TOOL ${CMAKE_SOURCE_DIR}/tools/gen_reference.py)
  set(REFERENCE ${CMAKE_SOURCE_DIR}/docs/reference.md)
  add_custom_command(
    OUTPUT ${GEN}/reference.md
    COMMAND Python3::Interpreter ${REFERENCE_TOOL} write ${GEN}/brixen.tlb ${WIDL_IMPORTS} ${GEN}/reference.md
    DEPENDS ${GEN}/brixen.tlb ${REFERENCE_TOOL} ${CMAKE_SOURCE_DIR}/tools/msft_typelib.py
    COMMENT "Reference documentation from the type library")
  add_custom_command(
    OUTPUT ${GEN}/reference.checked
    COMMAND Python3::Interpreter ${REFERENCE_TOOL} check ${GEN}/reference.md ${REFERENCE}
    COMMAND ${CMAKE_COMMAND} -E touch ${GEN}/reference.checked
    DEPENDS ${GEN}/reference.md ${REFERENCE}
    COMMENT "docs/reference.md against the type library")
  add_custom_target(reference ALL DEPENDS ${GEN}/reference.checked)
  add_custom_target(update_reference
    COMMAND ${CMAKE_COMMAND} -E copy ${GEN}/reference.md ${REFERENCE}
    DEPENDS ${GEN}/reference.md)
endif()

add_custom_command(
  OUTPUT ${GEN}/glue.cpp
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/gen_glue.py ${IDL} ${GEN}/glue.cpp
  DEPENDS ${IDL} ${CMAKE_SOURCE_DIR}/tools/gen_glue.py
  COMMENT "COM glue from the type library")

configure_file(${CMAKE_SOURCE_DIR}/typelib/QUENTA01.rc.in ${GEN}/QUENTA01.rc @ONLY)
set_source_files_properties(${GEN}/QUENTA01.rc PROPERTIES OBJECT_DEPENDS ${GEN}/brixen.tlb)

set(BRIXEN_SYSTEM_LIBS ole32 oleaut32 uuid user32 gdi32 advapi32 shell32 shlwapi comdlg32 comctl32
    winspool imm32 version ws2_32 iphlpapi)

# Everything but the entry points, shared by the DLL and the white-box tests.
add_library(brixen_core STATIC ${BRIXEN_PURE_SOURCES} ${BRIXEN_WIN_SOURCES} ${GEN}/glue.cpp ${GEN}/brixen_i.c)
target_include_directories(brixen_core PUBLIC ${CMAKE_SOURCE_DIR} ${GEN})
target_compile_definitions(brixen_core PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 COBJMACROS)
target_link_libraries(brixen_core PUBLIC ${BRIXEN_SYSTEM_LIBS})
target_link_options(brixen_core PUBLIC -static -static-libgcc -static-libstdc++)

add_library(QUENTA01 SHARED frame/com/exports.cpp ${CMAKE_SOURCE_DIR}/typelib/QUENTA01.def ${GEN}/QUENTA01.rc)
set_target_properties(QUENTA01 PROPERTIES PREFIX "" OUTPUT_NAME QUENTA01 SUFFIX .DLL)
target_link_libraries(QUENTA01 PRIVATE -Wl,--whole-archive brixen_core -Wl,--no-whole-archive)
target_link_options(QUENTA01 PRIVATE -Wl,--enable-stdcall-fixup -Wl,--kill-at)

if(BRIXEN_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/win/CMakeLists.txt)
    add_subdirectory(tests/win)
  endif()
  if(EXISTS ${CMAKE_SOURCE_DIR}/tools/CMakeLists.txt)
    add_subdirectory(tools)
  endif()
  add_subdirectory(tests/bench)
endif()
