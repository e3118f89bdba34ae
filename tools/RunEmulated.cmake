# cmake -P RunEmulated.cmake EMULATOR TOOL [ARGS...]
# Runs a build tool that is a Windows program under the cross-compiling emulator with its
# output in a file, not in the build tool's pipe: Wine's background processes, started by
# the first program of a session, inherit the program's standard handles and would keep
# that pipe open, so the build would wait for them forever.
set(cmd)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 3 ${last})
  list(APPEND cmd "${CMAKE_ARGV${i}}")
endforeach()
list(GET cmd 1 tool)
string(RANDOM LENGTH 8 tag)
set(log "${CMAKE_CURRENT_BINARY_DIR}/vxrun-${tag}.log")
execute_process(
  COMMAND ${cmd}
  INPUT_FILE /dev/null
  OUTPUT_FILE ${log}
  ERROR_FILE ${log}
  RESULT_VARIABLE rc)
file(READ ${log} text)
file(REMOVE ${log})
if(text)
  message("${text}")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${tool} failed (${rc})")
endif()
