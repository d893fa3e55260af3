# aurivel_check_generated_table(<test> <generator target> <checked-in file> <label>)
#
# The test <test> (label <label>) that <checked-in file> is what the
# program <generator target> writes (cmake/compare_tables.cmake compares).
function(aurivel_check_generated_table test generator expected label)
  if(NOT AURIVEL_BUILD_TESTS)
    return()
  endif()
  get_filename_component(name ${expected} NAME)
  add_test(NAME ${test}
    COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:${generator}> -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/${name}
      -DEXPECTED=${expected} -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/compare_tables.cmake)
  set_tests_properties(${test} PROPERTIES LABELS ${label})
endfunction()
