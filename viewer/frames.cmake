# Frames: the sizes of ROWS and COLS (portable, tested natively and fuzzed) and the frame
# viewer on Windows.
add_library(vx_framesizes STATIC ${CMAKE_CURRENT_LIST_DIR}/FrameSizes.cpp)
target_include_directories(vx_framesizes PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vx_framesizes PUBLIC vx_viewmodel)

vornix_test(NAME framesizes_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framesizes_test.cpp
  LIBS vx_framesizes)

vornix_fuzz(NAME framesizes_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framesizes_fuzz.cpp
  LIBS vx_framesizes)

if(VORNIX_WIN32)
  add_library(vx_framview STATIC ${CMAKE_CURRENT_LIST_DIR}/FramView.cpp)
  target_link_libraries(vx_framview PUBLIC vx_htmlview vx_framesizes)

  vornix_test(NAME framview_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framview_wintest.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc
    LIBS vx_framview vx_screen_driver)
endif()
