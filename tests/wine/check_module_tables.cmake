cmake_minimum_required(VERSION 3.25)
# Reads the export and import tables of the PE module <MODULE> with
# llvm-readobj (<READOBJ>):
#  - with <DEF_FILE>: it exports the functions of the .def file, by name,
#    under the ordinals that the .def file gives them, and nothing else of
#    its own: with <SDK_INCLUDE>, the members of the SDK's classes that its
#    headers export from every module are accepted, and listed;
#  - every name it imports from a DLL of 3ds Max is one that <HOST_EXPORTS>
#    lists for that DLL ("dll name" lines): a name that the real DLL does not
#    export would leave the module unloadable in 3ds Max;
#  - it imports from no other DLL than those, Windows' own that it uses and
#    the Universal CRT, so it needs no other runtime;
#  - nothing it imports has an Itanium C++ decoration ("_Z..."): the host
#    speaks the Microsoft C++ ABI only;
#  - with <EXACT_IMPORTS>: what it imports from the DLLs of 3ds Max is
#    exactly that list's names ("dll name" lines), as a module built against
#    the real SDK of the release imports.

include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/ModuleDefinition.cmake)

# Whether the decorated <name> is a member of a class that the SDK's
# headers (<SDK_INCLUDE>) declare, and none of the product's.
function(sdk_member_name name)
  set(sdk_member FALSE PARENT_SCOPE)
  if(name MATCHES "[Aa]urivel")
    return()
  endif()
  # ??0Class@ (a constructor, destructor or operator) or ?Member@Class@.
  if(name MATCHES "^\\?\\?[0-9A-Z_]([A-Za-z_][A-Za-z0-9_]*)@")
    set(class ${CMAKE_MATCH_1})
  elseif(name MATCHES "^\\?[A-Za-z_][A-Za-z0-9_]*@([A-Za-z_][A-Za-z0-9_]*)@")
    set(class ${CMAKE_MATCH_1})
  else()
    return()
  endif()
  execute_process(COMMAND grep -rqE --include=*.h --include=*.H "(class|struct)[[:space:]]+([A-Za-z_]+[[:space:]]+)?${class}\\b"
                          ${SDK_INCLUDE} RESULT_VARIABLE found)
  if(found EQUAL 0)
    set(sdk_member TRUE PARENT_SCOPE)
  endif()
endfunction()

function(read_table option out_var)
  execute_process(COMMAND ${READOBJ} ${option} ${MODULE} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  set(${out_var} "${dump}" PARENT_SCOPE)
endfunction()

if(DEF_FILE)
  # "<ordinal> <name>" for each export of the .def file, which gives each its
  # ordinal.
  aurivel_def_exports(${DEF_FILE} def_exports)
  set(expected "")
  foreach(export IN LISTS def_exports)
    if(NOT export MATCHES "^(.+)@([0-9]+)$")
      message(FATAL_ERROR "${DEF_FILE} exports ${export} without an ordinal, which this check compares")
    endif()
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
  # Beside them, a module exports what the SDK's headers mark for export in
  # their inline members (Visual C++ exports a dllexport inline function
  # from every module that includes it): C++ names, none of the product's.
  set(missing ${expected})
  list(REMOVE_ITEM missing ${exports})
  set(extra ${exports})
  list(REMOVE_ITEM extra ${expected})
  set(foreign "")
  set(from_headers "")
  foreach(entry IN LISTS extra)
    string(REGEX REPLACE "^[0-9]+ " "" name "${entry}")
    set(sdk_member FALSE)
    if(SDK_INCLUDE)
      sdk_member_name(${name})
    endif()
    if(sdk_member)
      list(APPEND from_headers "${name}")
    else()
      list(APPEND foreign "${entry}")
    endif()
  endforeach()
  if(missing OR foreign)
    message(FATAL_ERROR "${MODULE} exports [${exports}]: it lacks [${missing}] and exports [${foreign}], which is "
                        "neither an entry point of ${DEF_FILE} (ordinal name) nor a member the SDK's headers export")
  endif()
  if(from_headers)
    list(JOIN from_headers "\n  " listed)
    message(STATUS "${MODULE} also exports what the SDK's headers mark for export:\n  ${listed}")
  endif()
endif()

# The host's DLLs, and the names each exports.
file(STRINGS ${HOST_EXPORTS} export_lines REGEX "^[a-z0-9]+\\.dll [^ ]+$")
set(host_dlls "")
foreach(line IN LISTS export_lines)
  string(REGEX MATCH "^([^ ]+) (.+)$" _ "${line}")
  list(APPEND host_dlls ${CMAKE_MATCH_1})
  list(APPEND exports_of_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
list(REMOVE_DUPLICATES host_dlls)
set(all_host_exports "")
foreach(host_dll IN LISTS host_dlls)
  list(APPEND all_host_exports ${exports_of_${host_dll}})
endforeach()
list(JOIN host_dlls ", " host_dll_names)

set(system_dlls kernel32.dll user32.dll gdi32.dll shell32.dll ucrtbase.dll)
list(JOIN system_dlls ", " system_dll_names)
read_table(--coff-imports imports_dump)
string(REGEX MATCHALL "Import {[^}]*}" imports "${imports_dump}")
set(dlls "")
set(faults "")
set(host_imports "")
foreach(import IN LISTS imports)
  string(REGEX MATCH "Name: ([^\n]+)" _ "${import}")
  string(TOLOWER "${CMAKE_MATCH_1}" dll)
  list(APPEND dlls ${dll})
  string(REGEX MATCHALL "Symbol: [^ \n]+" symbols "${import}")
  list(TRANSFORM symbols REPLACE "^Symbol: " "")
  if(NOT dll IN_LIST host_dlls AND NOT dll IN_LIST system_dlls)
    list(LENGTH symbols count)
    list(APPEND faults "imports ${count} names from ${dll}, which is neither a DLL of 3ds Max (${host_dll_names}) nor one of ${system_dll_names}")
    foreach(symbol IN LISTS symbols)
      if(NOT symbol IN_LIST all_host_exports)
        list(APPEND faults "imports ${symbol} from ${dll}, which no DLL of 3ds Max exports")
      endif()
    endforeach()
    continue()
  endif()
  foreach(symbol IN LISTS symbols)
    if(dll IN_LIST host_dlls)
      list(APPEND host_imports "${dll} ${symbol}")
    endif()
    if(symbol MATCHES "^_Z")
      list(APPEND faults "imports ${symbol} from ${dll}, a name in the Itanium C++ ABI")
    elseif(dll IN_LIST host_dlls AND NOT symbol IN_LIST exports_of_${dll})
      list(APPEND faults "imports ${symbol} from ${dll}, which ${HOST_EXPORTS} does not list for it")
    endif()
  endforeach()
endforeach()
if(EXACT_IMPORTS)
  file(STRINGS ${EXACT_IMPORTS} expected_imports REGEX "^[a-z0-9]+\\.dll [^ ]+$")
  list(SORT expected_imports)
  list(SORT host_imports)
  set(unexpected ${host_imports})
  list(REMOVE_ITEM unexpected ${expected_imports})
  set(missing ${expected_imports})
  list(REMOVE_ITEM missing ${host_imports})
  if(unexpected OR missing)
    list(APPEND faults "imports from the host what ${EXACT_IMPORTS} does not list: [${unexpected}]; "
                       "does not import what it lists: [${missing}]")
  endif()
endif()
if(faults)
  list(JOIN faults "\n  " report)
  message(FATAL_ERROR "${MODULE}:\n  ${report}")
endif()
message(STATUS "exports: ${exports}; imports from: ${dlls}")
