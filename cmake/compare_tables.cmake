# cmake -DGENERATOR=... -DOUTPUT=... -DEXPECTED=... -P compare_tables.cmake
execute_process(COMMAND ${GENERATOR} ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED} RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "${EXPECTED} is not what ${GENERATOR} writes (${OUTPUT})")
endif()
