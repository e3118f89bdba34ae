# The document builder: symbols into the document model. Portable like the model, so its
# golden model dumps run natively too.
add_library(vx_viewbuild STATIC ${CMAKE_CURRENT_LIST_DIR}/ReadHTML.cpp)
target_include_directories(vx_viewbuild PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vx_viewbuild PUBLIC vx_viewmodel vx_htmlscan)

file(GLOB builder_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/tests/builder_*_test.cpp)
vornix_test(NAME builder_tests SOURCES ${builder_tests} LIBS vx_viewbuild)

vornix_fuzz(NAME builder_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/builder_fuzz.cpp
  LIBS vx_viewbuild
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/builder_corpus)
