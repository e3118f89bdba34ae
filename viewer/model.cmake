# The document model of the viewer: sections, text layout, tables, forms, images. Portable:
# the platform's drawing, images and controls come in through the interfaces of ViewCanvas.h,
# HTMLSubs.h (TImageServices) and HTMLForms.h (TFormWidgetFactory).
add_library(vx_viewmodel STATIC
  ${CMAKE_CURRENT_LIST_DIR}/HTMLUn2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLSections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLSection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HTMLAttribs.cpp)
target_include_directories(vx_viewmodel PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vx_viewmodel PUBLIC vx_core vx_htmlscan)

set(model_tests attr form hostile image print table text)
list(TRANSFORM model_tests REPLACE "(.+)" "${CMAKE_CURRENT_LIST_DIR}/tests/model_\\1_test.cpp")
vornix_test(NAME model_tests SOURCES ${model_tests} LIBS vx_viewmodel)

# The model on GDI: canvas, pictures, masks, palette, resources.
if(VORNIX_WIN32)
  enable_language(RC)
  add_library(vx_viewgdi STATIC ${CMAKE_CURRENT_LIST_DIR}/HTMLGdi.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLFormWidgets.cpp)
  target_link_libraries(vx_viewgdi PUBLIC vx_viewmodel vx_win vx_imagebridge)
  vornix_test(NAME model_gdi_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/model_gdi_wintest.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc
            ${CMAKE_SOURCE_DIR}/imagelib/tests/ImageFiles.cpp
    LIBS vx_viewgdi)
  target_include_directories(model_gdi_tests SYSTEM PRIVATE ${VORNIX_STB_INCLUDE})
  vornix_test(NAME model_widget_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/model_widgets_wintest.cpp
    LIBS vx_viewgdi)
endif()

vornix_fuzz(NAME model_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/model_fuzz.cpp
  LIBS vx_viewmodel
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/model_corpus)
