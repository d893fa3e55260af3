# Every script of scripts/ answers --help with its usage and status 0, and a
# call it cannot take (arguments separated by commas) with its usage on the error output and status 2,
# before it installs, builds or runs anything.
# cmake -DSCRIPTS=<scripts folder> -P scripts_usage_test.cmake
set(calls
  "test.sh|no-such-stage"
  "bench.sh|--no-such-option"
  "bench.sh|--repetitions"
  "package.sh|--no-such-option"
  "package.sh|--sdk"
  "rollout-picture.sh|--no-such-option"
  "rollout-picture.sh|a.png,b.png"
  "run-under-wine.sh|prefix-only"
  "setup.sh|no-such-group")
set(failures "")
foreach(call IN LISTS calls)
  string(REPLACE "|" ";" call "${call}")
  list(POP_FRONT call script)
  string(REPLACE "," ";" call "${call}")
  foreach(args IN ITEMS "--help" "${call}")
    execute_process(COMMAND bash ${SCRIPTS}/${script} ${args}
      RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
    if(args STREQUAL "--help")
      set(expected 0)
      set(usage_in "${out}")
    else()
      set(expected 2)
      set(usage_in "${err}")
    endif()
    if(NOT status STREQUAL expected OR NOT usage_in MATCHES "usage: ")
      string(APPEND failures "\n  ${script} ${args}: status ${status} (not ${expected}), output: ${out}${err}")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "scripts that do not answer as their usage says:${failures}")
endif()
