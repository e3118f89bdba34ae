# Tag definitions, window side: the attribute grid, the attribute editor, the filter
# editor and the image file dialog. Programs that use them get the grid's bitmaps
# through the library's resource script; they link the viewer's own script themselves.
if(VORNIX_WIN32)
  enable_language(RC)
  add_library(vx_tagdefs_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/XGrid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ImgDlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ParEd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FilterEd.cpp)
  target_link_libraries(vx_tagdefs_ui PUBLIC vx_tagdefs vx_toolkit vx_win vx_htmlview vx_viewgdi msimg32)
  target_sources(vx_tagdefs_ui INTERFACE ${CMAKE_CURRENT_LIST_DIR}/tagdefs.rc)

  vornix_test(NAME tagdefs_ui_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/xgrid_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/pared_test.cpp
            ${CMAKE_SOURCE_DIR}/viewer/HTMLView.rc
    LIBS vx_tagdefs_ui vx_screen_driver
    DEPENDS standard_vxt)  # the editor is tried on the shipped definitions

  # The editor on a shipped tag, to look at (not a test).
  add_executable(pared_demo ${CMAKE_CURRENT_LIST_DIR}/tests/pared_demo.cpp ${CMAKE_SOURCE_DIR}/viewer/HTMLView.rc)
  target_link_libraries(pared_demo PRIVATE vx_tagdefs_ui)
endif()
