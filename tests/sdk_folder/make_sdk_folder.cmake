cmake_minimum_required(VERSION 3.25)
# Writes <FOLDER>, a folder laid out as the 3ds Max SDK is (include/,
# lib/x64/Release/{core,geom,maxutil,Paramblk2}.lib), which the msvc-sdk
# preset builds the module against as against Autodesk's SDK. It is made of
# this project's own text only: the stand-in's headers (<STANDIN_INCLUDE>),
# some under other spellings of their names, plus the headers of Util/ here,
# which ask of the build what the real SDK's headers ask of it (one of
# them marks inline members for export, which a module then exports), and import
# libraries made by <DLLTOOL> from .def files listing the names that each
# of the host's DLLs exports (<HOST_EXPORTS>). <RELEASE> (default 2024) is
# the 3ds Max release the folder is for: its maxversion.h and plugapi.h give
# that release's numbers, and for 2026 the headers differ as 2026's do
# (Geom/, the saver's two new members, no deprecated one-argument slot name).
#   cmake -DSTANDIN_INCLUDE=... -DHOST_EXPORTS=... -DDLLTOOL=llvm-dlltool -DFOLDER=... [-DRELEASE=2026]
#         -P make_sdk_folder.cmake
foreach(input STANDIN_INCLUDE HOST_EXPORTS DLLTOOL FOLDER)
  if(NOT ${input})
    message(FATAL_ERROR "make_sdk_folder.cmake: ${input} is not given")
  endif()
endforeach()
# MAX_RELEASE and MAX_API_NUM of each release, as its plugapi.h has them.
set(numbers_2024 26000 64)
set(numbers_2025 27000 66)
set(numbers_2026 28000 68)
if(NOT RELEASE)
  set(RELEASE 2024)
endif()
if(NOT DEFINED numbers_${RELEASE})
  message(FATAL_ERROR "make_sdk_folder.cmake: RELEASE=${RELEASE} is not one of 2024, 2025, 2026")
endif()
list(GET numbers_${RELEASE} 0 max_release)
list(GET numbers_${RELEASE} 1 max_api_num)

# Replaces <pattern> (a regular expression) in <text_var> by <replacement>;
# a header that no longer holds the pattern stops the folder's making.
function(rewrite text_var pattern replacement)
  if(NOT "${${text_var}}" MATCHES "${pattern}")
    message(FATAL_ERROR "make_sdk_folder.cmake: no '${pattern}' to rewrite for release ${RELEASE}")
  endif()
  string(REGEX REPLACE "${pattern}" "${replacement}" text "${${text_var}}")
  set(${text_var} "${text}" PARENT_SCOPE)
endfunction()
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
  elseif(header STREQUAL "maxversion.h")
    rewrite(text "MAX_PRODUCT_YEAR_NUMBER [0-9]+" "MAX_PRODUCT_YEAR_NUMBER ${RELEASE}")
  elseif(header STREQUAL "plugapi.h")
    rewrite(text "MAX_RELEASE [0-9]+" "MAX_RELEASE ${max_release}")
    rewrite(text "MAX_API_NUM [0-9]+" "MAX_API_NUM ${max_api_num}")
  elseif(header STREQUAL "ioapi.h" AND RELEASE GREATER_EQUAL 2026)
    # 2026 added these two to the saver's interface.
    string(FIND "${text}" "class ISave " isave_begin)
    if(isave_begin EQUAL -1)
      message(FATAL_ERROR "make_sdk_folder.cmake: no class ISave in ioapi.h to add 2026's members to")
    endif()
    string(SUBSTRING "${text}" ${isave_begin} -1 isave_text)
    string(FIND "${isave_text}" "\n};" isave_length)
    math(EXPR isave_end "${isave_begin} + ${isave_length}")
    string(SUBSTRING "${text}" 0 ${isave_end} before)
    string(SUBSTRING "${text}" ${isave_end} -1 after)
    string(CONCAT text "${before}\n    virtual void DisableChunkWarnings(bool disable) = 0;\n"
                       "    virtual bool AreChunkWarningsEnabled() const = 0;${after}")
  elseif(header STREQUAL "imtl.h" AND RELEASE GREATER_EQUAL 2026)
    # 2026 removed the deprecated one-argument slot name.
    rewrite(text "\n    \\[\\[deprecated[^\n]*GetSubTexmapSlotName\\(int i\\) final {\n[^\n]*\n    }" "")
  elseif(header STREQUAL "strclass.h")
    string(REPLACE "#pragma once\n" "#pragma once\n\n#include <iostream>\n" text "${text}")
  elseif(header STREQUAL "iparamm2.h")
    # A plug-in's dialog procedure is then shared: its destructor releases
    # a weak reference.
    string(REPLACE "class ParamMap2UserDlgProc : public MaxHeapOperators {\n"
                   "class ParamMap2UserDlgProc : public MaxHeapOperators, public SharedOwner {\n" text "${text}")
    string(REPLACE "#include \"imtl.h\"\n" "#include \"imtl.h\"\n#include \"Util/SharedOwner.h\"\n" text "${text}")
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
