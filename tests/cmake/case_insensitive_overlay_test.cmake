# The overlay of a folder whose names hold a quote, a backslash and a tab is
# valid JSON that gives each name back as it is on disk.
# Usage: cmake -DWORK_DIR=<scratch folder> -P case_insensitive_overlay_test.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/CaseInsensitiveOverlay.cmake)

string(ASCII 9 tab)
set(root "${WORK_DIR}/in\"clude")
set(folder "Sub\\dir")
set(file "a\"b${tab}c\\d.h")
file(REMOVE_RECURSE ${WORK_DIR})
# CMake's file commands take a backslash for a separator; mkdir and touch do not.
execute_process(COMMAND mkdir -p "${root}/${folder}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch "${root}/${folder}/${file}" COMMAND_ERROR_IS_FATAL ANY)

set(overlay ${WORK_DIR}/overlay.json)
aurivel_case_insensitive_overlay(${overlay} "${root}")
file(READ ${overlay} json)

# string(JSON) stops the script on text that is not JSON, but takes a raw
# control character in a string, which JSON forbids.
if(json MATCHES "${tab}")
  message(FATAL_ERROR "a tab left raw in:\n${json}")
endif()
foreach(check IN ITEMS "${root}:roots;0;name" "${folder}:roots;0;contents;0;name"
                       "${file}:roots;0;contents;0;contents;0;name"
                       "${root}/${folder}/${file}:roots;0;contents;0;contents;0;external-contents")
  string(REGEX MATCH "^(.*):([^:]*)$" _ "${check}")
  set(expected "${CMAKE_MATCH_1}")
  set(path "${CMAKE_MATCH_2}")
  string(JSON actual GET "${json}" ${path})
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${path} reads '${actual}', not '${expected}', in:\n${json}")
  endif()
endforeach()
