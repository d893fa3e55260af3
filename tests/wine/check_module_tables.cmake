cmake_minimum_required(VERSION 3.25)
# Reads the export and import tables of <MODULE> with objdump: the module
# exports the host's six entry points by name and nothing else, and imports
# from system DLLs and the host's maxsdk.dll only (the C++ runtime is linked
# in).
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" name_table "${dump}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" names "${name_table}")
list(TRANSFORM names REPLACE "^\\[ *[0-9]+\\] " "")
list(SORT names)
set(expected LibClassDesc LibDescription LibInitialize LibNumberClasses LibShutdown LibVersion)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${MODULE} exports [${names}], expected [${expected}]")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
list(TRANSFORM imports REPLACE "^DLL Name: " "")
list(TRANSFORM imports TOLOWER)
set(allowed kernel32.dll msvcrt.dll user32.dll gdi32.dll shell32.dll maxsdk.dll)
foreach(dll IN LISTS imports)
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${MODULE} imports ${dll}; allowed are system DLLs and maxsdk.dll: ${allowed}")
  endif()
endforeach()
message(STATUS "exports: ${names}; imports: ${imports}")
