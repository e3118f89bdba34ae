# The bridge to ILIB95HT.DLL (Windows only): readers by file kind and the GIF colour.
if(VORNIX_WIN32)
  add_library(vx_imagebridge STATIC ${CMAKE_CURRENT_LIST_DIR}/DLLINT32.cpp)
  target_include_directories(vx_imagebridge PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(vx_imagebridge PUBLIC vx_win ilib95ht_imp gdi32)

  vornix_test(NAME imagebridge_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/imagebridge_test.cpp
            ${CMAKE_SOURCE_DIR}/imagelib/tests/ImageFiles.cpp
    LIBS vx_imagebridge)
  target_include_directories(imagebridge_tests SYSTEM PRIVATE ${VORNIX_STB_INCLUDE})
endif()
