# Shared build helpers of the Vornix modules.

if(VORNIX_WIN32 AND NOT WIN32)
  message(FATAL_ERROR "VORNIX_WIN32 needs the mingw toolchain: use the win32 preset")
endif()

set(CMAKE_POSITION_INDEPENDENT_CODE OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
endif()

# GoogleTest from Debian's sources, built for whichever target this tree builds.
if(NOT VORNIX_FUZZ)
  set(VORNIX_GTEST_SRC /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # No test uses GoogleMock: it is not built.
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VORNIX_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # The test framework itself is not what the sanitisers are for, and instrumented it
  # compiles two and a half times slower.
  if(NOT VORNIX_WIN32 AND CMAKE_CXX_FLAGS MATCHES "-fsanitize=")
    target_compile_options(gtest PRIVATE -fno-sanitize=all)
  endif()
  add_library(vx_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp)
  target_link_libraries(vx_test_main PUBLIC GTest::gtest)
  # Every test unit reads GoogleTest and the standard library: read once into a precompiled
  # header that all test programs share. Not windows.h: its A/W macros would rename the
  # portable modules' own functions (GetObject) in tests that never include it.
  target_precompile_headers(vx_test_main PRIVATE
    <gtest/gtest.h> <algorithm> <functional> <map> <memory> <string> <vector>)
endif()
# A Windows test program's guard against a hang: ten times what the slowest takes under
# emulated Wine on a quiet machine, so that a busy machine gives the same verdicts. The
# program itself stops earlier (scripts/wine-exec's limit, 900 s) and says what it waited
# for; the rest is for its Wine session to start and end.
set(VORNIX_WINE_TEST_TIMEOUT 1080)
# What vx_test_main prints when tests skipped themselves and none failed: CTest then
# reports the program as skipped, not passed.
set(VORNIX_TEST_SKIPPED "vornix-test: [0-9]+ skipped, none failed")

# vornix_test(NAME n SOURCES ... [LIBS ...] [MANUAL] [TIMEOUT s] [DEPENDS target ...]
#             [SYSTEM_INCLUDES dir ...] [COMPILE_OPTIONS opt ...] [DEFINITIONS def ...]
#             [CASES gtest-filter|label=gtest-filter ...])
# One test program, registered with CTest; in the win32 build CTest runs it through Wine,
# each run in a Wine session of its own (scripts/wine-exec), so all of them can run at once.
# MANUAL: the program is built but not registered with CTest; it is run by hand.
# DEPENDS: targets built before it (data files it reads).
# CASES: one CTest entry n.CASE per gtest filter (Suite.Test or Suite.*), each a program run
# of its own: for windows that live once per program (the main frame). "label=filter" names
# the entry n.label (for filters with "-" or several patterns).
function(vornix_test)
  cmake_parse_arguments(T "MANUAL" "NAME;TIMEOUT" "SOURCES;LIBS;DEPENDS;SYSTEM_INCLUDES;COMPILE_OPTIONS;DEFINITIONS;CASES"
    ${ARGN})
  if(VORNIX_FUZZ)
    return()
  endif()
  if(NOT T_TIMEOUT)
    if(VORNIX_WIN32)
      set(T_TIMEOUT ${VORNIX_WINE_TEST_TIMEOUT})
    else()
      set(T_TIMEOUT 300)
    endif()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vx_test_main)
  # Options of its own would make the shared header unusable for it.
  if(NOT T_COMPILE_OPTIONS)
    target_precompile_headers(${T_NAME} REUSE_FROM vx_test_main)
  endif()
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  if(T_SYSTEM_INCLUDES)
    target_include_directories(${T_NAME} SYSTEM PRIVATE ${T_SYSTEM_INCLUDES})
  endif()
  if(T_COMPILE_OPTIONS)
    target_compile_options(${T_NAME} PRIVATE ${T_COMPILE_OPTIONS})
  endif()
  if(T_DEFINITIONS)
    target_compile_definitions(${T_NAME} PRIVATE ${T_DEFINITIONS})
  endif()
  if(T_MANUAL)
    return()
  endif()
  if(NOT T_CASES)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1 WORKING_DIRECTORY ${VORNIX_BIN})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} SKIP_REGULAR_EXPRESSION "${VORNIX_TEST_SKIPPED}")
    return()
  endif()
  foreach(c IN LISTS T_CASES)
    if(c MATCHES "^([A-Za-z0-9_]+)=(.+)$")
      set(case_name ${CMAKE_MATCH_1})
      set(filter ${CMAKE_MATCH_2})
    else()
      string(REPLACE ".*" "" case_name ${c})
      set(filter ${c})
    endif()
    add_test(NAME ${T_NAME}.${case_name} COMMAND ${T_NAME} --gtest_brief=1 --gtest_filter=${filter}
      WORKING_DIRECTORY ${VORNIX_BIN})
    set_tests_properties(${T_NAME}.${case_name} PROPERTIES TIMEOUT ${T_TIMEOUT}
      SKIP_REGULAR_EXPRESSION "${VORNIX_TEST_SKIPPED}")
  endforeach()
endfunction()

# vornix_fuzz(NAME n SOURCES ... [LIBS ...] [CORPUS dir])
# The sources define LLVMFuzzerTestOneInput. In the fuzz preset this is a libFuzzer
# program; in the host build it replays the corpus as an ordinary test.
function(vornix_fuzz)
  cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS" ${ARGN})
  if(VORNIX_WIN32)
    return()
  endif()
  if(VORNIX_FUZZ)
    add_executable(${F_NAME} ${F_SOURCES})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    set_property(GLOBAL APPEND PROPERTY VORNIX_FUZZ_TARGETS "${F_NAME}|${F_CORPUS}")
  else()
    add_executable(${F_NAME}_replay ${F_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/fuzz_replay.cpp)
    target_link_libraries(${F_NAME}_replay PRIVATE ${F_LIBS})
    if(F_CORPUS)
      add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay ${F_CORPUS})
    else()
      add_test(NAME ${F_NAME}_replay COMMAND ${F_NAME}_replay)
    endif()
    set_tests_properties(${F_NAME}_replay PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# vornix_import_lib(TARGET name DEF file.def DLL NAME.DLL)
# An import library made from a .def file with dlltool -k, so the programs bind the
# outside DLLs by ordinal at load time.
function(vornix_import_lib)
  cmake_parse_arguments(I "" "TARGET;DEF;DLL" "" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/lib${I_TARGET}.a)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_DLLTOOL} -k -d ${I_DEF} -D ${I_DLL} -l ${out}
    DEPENDS ${I_DEF} VERBATIM)
  add_custom_target(${I_TARGET}_gen DEPENDS ${out})
  add_library(${I_TARGET} INTERFACE)
  add_dependencies(${I_TARGET} ${I_TARGET}_gen)
  target_link_libraries(${I_TARGET} INTERFACE ${out})
endfunction()

# vornix_data(file ...): copy shipped data files into the program folder.
function(vornix_data)
  foreach(f IN LISTS ARGN)
    get_filename_component(name ${f} NAME)
    configure_file(${f} ${VORNIX_BIN}/${name} COPYONLY)
  endforeach()
endfunction()
