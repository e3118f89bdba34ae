# The viewer control on Windows: THTMLViewer with its paint panel and scroll bars.
if(VORNIX_WIN32)
  add_library(vx_htmlview STATIC ${CMAKE_CURRENT_LIST_DIR}/Htmlview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HtmlviewPrint.cpp ${CMAKE_CURRENT_LIST_DIR}/vwPrint.cpp)
  target_link_libraries(vx_htmlview PUBLIC vx_viewgdi vx_viewbuild)

  vornix_test(NAME htmlview_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/htmlview_control_wintest.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc
            ${CMAKE_SOURCE_DIR}/imagelib/tests/ImageFiles.cpp
    LIBS vx_htmlview vx_screen_driver)
  target_include_directories(htmlview_tests SYSTEM PRIVATE ${VORNIX_STB_INCLUDE})
  vornix_test(NAME htmlview_forms_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/htmlview_forms_wintest.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc
    LIBS vx_htmlview vx_screen_driver)
endif()

# The benchmark and the reference page: programs, not tests.
if(VORNIX_WIN32)
  add_executable(htmlbench ${CMAKE_CURRENT_LIST_DIR}/bench/htmlbench.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc)
  target_link_libraries(htmlbench PRIVATE vx_htmlview)
  add_executable(refpage ${CMAKE_CURRENT_LIST_DIR}/bench/refpage.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc)
  target_link_libraries(refpage PRIVATE vx_htmlview)
endif()

# How long a page of thousands of forms takes to load and to paint: a program, not a test.
if(VORNIX_WIN32)
  add_executable(formbench ${CMAKE_CURRENT_LIST_DIR}/bench/formbench.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc)
  target_link_libraries(formbench PRIVATE vx_htmlview)
endif()
