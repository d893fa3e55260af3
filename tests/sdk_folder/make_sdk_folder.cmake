cmake_minimum_required(VERSION 3.25)
# Writes <FOLDER>, a folder laid out as the 3ds Max SDK is (include/,
# lib/x64/Release/{core,geom,maxutil,Paramblk2}.lib), which the msvc-sdk
# preset builds the module against as against Autodesk's SDK. It is made of
# this project's own text only: the headers of a stand-in SDK folder
# (<STANDIN_INCLUDE>, the include/ of the stand-in built as the release the
# folder is for, whose maxversion.h names it), some under other spellings of
# their names (for 2026 the colour and point headers in Geom/, as 2026's),
# plus the headers of Util/ here, which ask of the build what the real SDK's
# headers ask of it (one of them marks inline members for export, which a
# module then exports), and import libraries made by <DLLTOOL> from .def
# files listing the names that each of the host's DLLs exports
# (<HOST_EXPORTS>).
#   cmake -DSTANDIN_INCLUDE=... -DHOST_EXPORTS=... -DDLLTOOL=llvm-dlltool -DFOLDER=... -P make_sdk_folder.cmake
foreach(input STANDIN_INCLUDE HOST_EXPORTS DLLTOOL FOLDER)
  if(NOT ${input})
    message(FATAL_ERROR "make_sdk_folder.cmake: ${input} is not given")
  endif()
endforeach()
file(STRINGS ${STANDIN_INCLUDE}/maxversion.h year_line REGEX "^#define[ \t]+MAX_PRODUCT_YEAR_NUMBER[ \t]+[0-9]+")
string(REGEX MATCH "[0-9]+$" RELEASE "${year_line}")

get_filename_component(STANDIN_INCLUDE ${STANDIN_INCLUDE} ABSOLUTE)
get_filename_component(FOLDER ${FOLDER} ABSOLUTE)

file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER}/include ${FOLDER}/lib/x64/Release)

# Headers whose file names differ in case from the spelling that includes
# them, as in the real SDK: found only through case-insensitive look-up.
set(renamed_maxheap.h MaxHeap.h)
set(renamed_strclass.h StrClass.h)
set(renamed_animtbl.h AnimTbl.h)
set(renamed_iparamm2.h IParamM2.h)
if(RELEASE GREATER_EQUAL 2026)
  # 2026 keeps the colour and point headers in Geom/.
  set(renamed_acolor.h Geom/AColor.h)
  set(renamed_color.h Geom/Color.h)
  set(renamed_point3.h Geom/Point3.h)
endif()
file(GLOB headers RELATIVE ${STANDIN_INCLUDE} ${STANDIN_INCLUDE}/*.h)
foreach(header IN LISTS headers)
  set(name ${header})
  if(DEFINED renamed_${header})
    set(name ${renamed_${header}})
  endif()
  file(READ ${STANDIN_INCLUDE}/${header} text)
  if(RELEASE GREATER_EQUAL 2026)
    string(REGEX REPLACE "#include \"(acolor|color|point3)\\.h\"" "#include \"Geom/\\1.h\"" text "${text}")
  endif()
  if(header STREQUAL "max.h")
    # Everything of the SDK comes in through max.h, these too.
    string(APPEND text "\n#include \"util/iniutil.h\"\n#include \"util/heaphandler.h\"\n"
                       "#include \"util/colourconverter.h\"\n#include \"util/sharedowner.h\"\n"
                       "#include \"util/windowsheaders.h\"\n#include \"util/meshchannels.h\"\n")
  elseif(header STREQUAL "strclass.h")
    string(REPLACE "#pragma once\n" "#pragma once\n\n#include <iostream>\n" text "${text}")
  endif()
  file(WRITE ${FOLDER}/include/${name} "${text}")
endforeach()
file(COPY ${CMAKE_CURRENT_LIST_DIR}/Util DESTINATION ${FOLDER}/include)

# One import library per DLL, from a .def file of the names it exports,
# named as the real SDK names them: paramblk2's is Paramblk2.lib.
set(library_paramblk2 Paramblk2)
file(STRINGS ${HOST_EXPORTS} export_lines REGEX "^[a-z0-9]+\\.dll [^ ]+$")
set(dlls "")
foreach(line IN LISTS export_lines)
  string(REGEX MATCH "^([a-z0-9]+)\\.dll (.+)$" _ "${line}")
  set(dll ${CMAKE_MATCH_1})
  set(name "${CMAKE_MATCH_2}")
  if(NOT dll IN_LIST dlls)
    list(APPEND dlls ${dll})
    set(def_${dll} "LIBRARY ${dll}.dll\nEXPORTS\n")
  endif()
  # Variables ("...@@3...") are data, not functions.
  if(name MATCHES "^\\?[^@]+@@3")
    string(APPEND def_${dll} "    ${name} DATA\n")
  else()
    string(APPEND def_${dll} "    ${name}\n")
  endif()
endforeach()
foreach(dll IN LISTS dlls)
  set(library ${dll})
  if(DEFINED library_${dll})
    set(library ${library_${dll}})
  endif()
  set(def_file ${FOLDER}/lib/x64/Release/${dll}.def)
  file(WRITE ${def_file} "${def_${dll}}")
  execute_process(COMMAND ${DLLTOOL} -m i386:x86-64 -d ${def_file} -l ${FOLDER}/lib/x64/Release/${library}.lib
    COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${def_file})
endforeach()
# Marks the folder as the project's own, never Autodesk's SDK: a package
# built from it is a test package (packaging/).
file(WRITE ${FOLDER}/standin-sdk.txt "Made by tests/sdk_folder/make_sdk_folder.cmake: not the 3ds Max SDK.\n")
message(STATUS "SDK folder ${FOLDER} for 3ds Max ${RELEASE}: ${dlls}")
