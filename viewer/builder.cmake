# The document builder: symbols into the document model. Portable like the model, so its
# golden model dumps run natively too.
add_library(vx_viewbuild STATIC ${CMAKE_CURRENT_LIST_DIR}/ReadHTML.cpp)
target_include_directories(vx_viewbuild PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vx_viewbuild PUBLIC vx_viewmodel vx_htmlscan)

vornix_test(NAME builder_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/builder_finish_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/builder_golden_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/builder_hostile_test.cpp
  LIBS vx_viewbuild)

vornix_fuzz(NAME builder_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/builder_fuzz.cpp
  LIBS vx_viewbuild
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/builder_corpus)

# The model's own speed: a program that prints its figures, not a test. The native one is
# built without the host build's sanitizers, the core's sources with it, so that it measures
# the code and the platform's own allocator; the Windows one runs it for its reference.
if(NOT VORNIX_FUZZ)
  if(VORNIX_WIN32)
    add_executable(layoutbench ${CMAKE_CURRENT_LIST_DIR}/bench/layoutbench.cpp)
    target_link_libraries(layoutbench PRIVATE vx_viewbuild)
    target_compile_definitions(layoutbench PRIVATE
      VORNIX_NATIVE_LAYOUTBENCH="${CMAKE_SOURCE_DIR}/build/host/bin/layoutbench")
  else()
    get_target_property(model_sources vx_viewmodel SOURCES)
    get_target_property(scan_sources vx_htmlscan SOURCES)
    get_target_property(core_sources vx_core SOURCES)
    get_target_property(core_dir vx_core SOURCE_DIR)
    list(TRANSFORM core_sources PREPEND ${core_dir}/)
    add_executable(layoutbench ${CMAKE_CURRENT_LIST_DIR}/bench/layoutbench.cpp ${CMAKE_CURRENT_LIST_DIR}/ReadHTML.cpp
      ${model_sources} ${scan_sources} ${core_sources})
    target_include_directories(layoutbench PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(layoutbench PRIVATE -O2 -fno-sanitize=all)
    target_link_options(layoutbench PRIVATE -fno-sanitize=all)
  endif()
endif()
