# Coverage for the fuzz targets that drive the core's readers.
if(VORNIX_FUZZ)
  target_compile_options(vx_core PRIVATE -fsanitize=fuzzer-no-link)
endif()
