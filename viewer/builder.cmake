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
