# The README's table of the presets against what the preview tool computes:
# each row's ΔE2000 head-on and at most, as `aurivel-preview --compare`
# prints them for that preset.
#   cmake -D TOOL=<aurivel-preview> -D NK_DB=<data/refractiveindex.info>
#         -D README=<README.md> -D WORK_DIR=<dir> -P readme_preset_distances.cmake
execute_process(
  COMMAND ${TOOL} --nk-db ${NK_DB} --compare --size 15 -o ${WORK_DIR}/compare.png
  OUTPUT_VARIABLE printed
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TOOL} --compare failed (${status}): ${errors}")
endif()

file(READ ${README} readme)
string(FIND "${readme}" "\n## The presets\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${README} has no section \"The presets\"")
endif()
math(EXPR start "${start} + 1")
string(SUBSTRING "${readme}" ${start} -1 section)
string(FIND "${section}" "\n## " end)
string(SUBSTRING "${section}" 0 ${end} section)
string(REGEX MATCHALL "\n\\| [A-Za-z]+ \\| [^|\n]+ \\| [0-9.]+ \\| [0-9.]+ \\|" rows "${section}")
list(LENGTH rows row_count)
if(row_count EQUAL 0)
  message(FATAL_ERROR "${README}: no rows of ΔE figures in the section \"The presets\"")
endif()

set(wrong "")
foreach(row IN LISTS rows)
  string(REGEX MATCH "\\| ([A-Za-z]+) \\| [^|]+ \\| ([0-9.]+) \\| ([0-9.]+) \\|" _ "${row}")
  set(preset ${CMAKE_MATCH_1})
  set(expected "the map's preset ${preset} against these data: ΔE2000 ${CMAKE_MATCH_2} at 0°, at most ${CMAKE_MATCH_3}")
  string(FIND "${printed}" "${expected}" found)
  if(found EQUAL -1)
    string(REGEX MATCH "the map's preset ${preset} against[^\n]*" computed "${printed}")
    string(APPEND wrong "\n  README: ${expected}\n  tool:   ${computed}")
  endif()
endforeach()
if(wrong)
  message(FATAL_ERROR "The README's ΔE figures of the presets differ from the computed ones:${wrong}")
endif()
message(STATUS "${row_count} presets' ΔE figures in the README are the computed ones")
