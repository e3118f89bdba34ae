# Printing (vwPrint.cpp and HtmlviewPrint.cpp are part of vx_htmlview): the metafile seam
# tests, and the same program on a machine whose print server cannot be reached, where the
# printer's own message must come.
if(VORNIX_WIN32)
  vornix_test(NAME vwprint_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/vwprint_wintest.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc
            ${CMAKE_SOURCE_DIR}/imagelib/tests/ImageFiles.cpp
    LIBS vx_framview
    SYSTEM_INCLUDES ${VORNIX_STB_INCLUDE}
    CASES Seam=-NoPrinter.* NoPrinter=NoPrinter.*)
  set_tests_properties(vwprint_tests.NoPrinter PROPERTIES ENVIRONMENT "CUPS_SERVER=/nonexistent/vornix-cups.sock")
endif()

# The printing benchmark: a program, run by hand against a PDF queue.
if(VORNIX_WIN32)
  add_executable(printbench ${CMAKE_CURRENT_LIST_DIR}/bench/printbench.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc)
  target_link_libraries(printbench PRIVATE vx_htmlview)
endif()
