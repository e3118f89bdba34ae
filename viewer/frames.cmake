# Frames: the sizes of ROWS and COLS and the frame document as read (portable, tested
# natively and fuzzed), and the frame viewer on Windows.
add_library(vx_framesizes STATIC ${CMAKE_CURRENT_LIST_DIR}/FrameSizes.cpp)
target_include_directories(vx_framesizes PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(vx_framesizes PUBLIC vx_viewmodel)

vornix_test(NAME framesizes_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framesizes_test.cpp
  LIBS vx_framesizes)

vornix_fuzz(NAME framesizes_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framesizes_fuzz.cpp
  LIBS vx_framesizes)

# The frame document as read, with its limits (portable, tested natively and fuzzed).
add_library(vx_framedoc STATIC ${CMAKE_CURRENT_LIST_DIR}/FrameDocument.cpp)
target_link_libraries(vx_framedoc PUBLIC vx_framesizes vx_htmlscan)

vornix_test(NAME framedoc_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framedoc_test.cpp
  LIBS vx_framedoc)

vornix_fuzz(NAME framedoc_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framedoc_fuzz.cpp
  LIBS vx_framedoc
  CORPUS ${CMAKE_CURRENT_LIST_DIR}/tests/framedoc_corpus)

if(VORNIX_WIN32)
  add_library(vx_framview STATIC ${CMAKE_CURRENT_LIST_DIR}/FramView.cpp)
  target_link_libraries(vx_framview PUBLIC vx_htmlview vx_framedoc)

  vornix_test(NAME framview_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/framview_wintest.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc
    LIBS vx_framview vx_screen_driver)
endif()

# How long a frame document of thousands of frames takes to show: a program, not a test.
if(VORNIX_WIN32)
  add_executable(framebench ${CMAKE_CURRENT_LIST_DIR}/bench/framebench.cpp ${CMAKE_CURRENT_LIST_DIR}/HTMLView.rc)
  target_link_libraries(framebench PRIVATE vx_framview)
endif()
