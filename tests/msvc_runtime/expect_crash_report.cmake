# Runs PROGRAM (a list: the emulator and the program) and requires what a
# crash under Wine must give at once: a non-zero status, the faulting
# address and a backtrace, rather than a debugger that waits.
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out TIMEOUT 60)
if(status EQUAL 0 OR NOT status MATCHES "^[0-9]+$")
  message(FATAL_ERROR "the crashed program's status is '${status}', not a failure's:\n${out}")
endif()
foreach(expected "page fault on read access to 0x0+ " "Backtrace:")
  if(NOT out MATCHES "${expected}")
    message(FATAL_ERROR "the crash report lacks \"${expected}\":\n${out}")
  endif()
endforeach()
