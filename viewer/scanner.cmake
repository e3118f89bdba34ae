# The HTML scanner: portable, built and tested natively and for Windows.
add_library(vx_htmlscan STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HtmlSymbols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLScanner.cpp)
target_include_directories(vx_htmlscan PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vx_htmlscan PUBLIC vx_core)
if(VORNIX_FUZZ)
  target_compile_options(vx_htmlscan PRIVATE -fsanitize=fuzzer-no-link)  # coverage for the fuzzer
endif()

vornix_test(NAME scanner_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/scanner_symbols_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/scanner_chars_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/scanner_hostile_test.cpp
  LIBS vx_htmlscan)

vornix_fuzz(NAME htmlscan_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/scanner_fuzz.cpp
  LIBS vx_htmlscan
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/scanner_corpus)
