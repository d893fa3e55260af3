# Regenerates the colour bars into a scratch folder and compares them with
# the checked-in ones.
#   cmake -DPYTHON=<python3> -DSOURCE_DIR=<resources> -DWORK_DIR=<scratch> -P check_bars.cmake
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/make_bars.py ${WORK_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_bars.py failed: ${result}")
endif()
foreach(bar red_bar.bmp green_bar.bmp blue_bar.bmp)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/${bar} ${SOURCE_DIR}/bitmaps/${bar}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "bitmaps/${bar} differs from what make_bars.py writes")
  endif()
endforeach()
