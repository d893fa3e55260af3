cmake_minimum_required(VERSION 3.25)
# Reads the export and import tables of the PE module <MODULE> with
# llvm-readobj (<READOBJ>):
#  - it exports exactly the functions of <DEF_FILE>, by name, under the
#    ordinals that the .def file gives them;
#  - it imports from <ALLOWED_DLLS> only (system DLLs, the C runtime and the
#    host's SDK DLL <SDK_DLL>; "|"-separated), so it needs no other runtime;
#  - everything it imports from the SDK is a C++ name in the ABI <CXX_ABI>
#    (microsoft: "?...", itanium: "_Z..."), and nothing it imports has the
#    other ABI's decoration: the host can only be spoken to in its own ABI.
function(read_table option out_var)
  execute_process(COMMAND ${READOBJ} ${option} ${MODULE} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  set(${out_var} "${dump}" PARENT_SCOPE)
endfunction()

# "<ordinal> <name>" for each export of the .def file.
file(STRINGS ${DEF_FILE} def_lines REGEX "^[ \t]*[A-Za-z_][A-Za-z0-9_]*[ \t]+@[0-9]+")
set(expected "")
foreach(line IN LISTS def_lines)
  string(REGEX MATCH "([A-Za-z_][A-Za-z0-9_]*)[ \t]+@([0-9]+)" _ "${line}")
  list(APPEND expected "${CMAKE_MATCH_2} ${CMAKE_MATCH_1}")
endforeach()
list(SORT expected)

# Unused ordinals below the last appear as entries without a name.
read_table(--coff-exports exports_dump)
string(REGEX MATCHALL "Ordinal: [0-9]+\n *Name: [^\n]+" entries "${exports_dump}")
set(exports "")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "Ordinal: ([0-9]+)\n *Name: ([^\n]+)" _ "${entry}")
  list(APPEND exports "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
endforeach()
list(SORT exports)
if(NOT exports STREQUAL expected)
  message(FATAL_ERROR "${MODULE} exports [${exports}], expected [${expected}] (ordinal name)")
endif()

string(REPLACE "|" ";" allowed "${ALLOWED_DLLS}")
if(CXX_ABI STREQUAL "microsoft")
  set(sdk_decoration "^\\?")
  set(foreign_decoration "^_Z")
else()
  set(sdk_decoration "^_Z")
  set(foreign_decoration "^\\?")
endif()
read_table(--coff-imports imports_dump)
string(REGEX MATCHALL "Import {[^}]*}" imports "${imports_dump}")
set(dlls "")
foreach(import IN LISTS imports)
  string(REGEX MATCH "Name: ([^\n]+)" _ "${import}")
  string(TOLOWER "${CMAKE_MATCH_1}" dll)
  list(APPEND dlls ${dll})
  if(NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${MODULE} imports ${dll}; allowed are: ${allowed}")
  endif()
  string(REGEX MATCHALL "Symbol: [^ \n]+" symbols "${import}")
  list(TRANSFORM symbols REPLACE "^Symbol: " "")
  foreach(symbol IN LISTS symbols)
    if(symbol MATCHES "${foreign_decoration}")
      message(FATAL_ERROR "${MODULE} imports ${symbol} from ${dll}, a name in another C++ ABI than ${CXX_ABI}")
    endif()
    if(dll STREQUAL SDK_DLL AND NOT symbol MATCHES "${sdk_decoration}")
      message(FATAL_ERROR "${MODULE} imports ${symbol} from the SDK, which is not a C++ name of the ${CXX_ABI} ABI")
    endif()
  endforeach()
endforeach()
message(STATUS "exports: ${exports}; imports from: ${dlls}")
