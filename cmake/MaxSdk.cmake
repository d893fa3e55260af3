# The SDK that the module is built against, as the target MaxSdk::SDK.
#
# With AURIVEL_MAXSDK_DIR it is a folder laid out as the 3ds Max 2024 SDK:
# headers in include/, import libraries in lib/x64/Release/. That is the real
# SDK on a developer's machine, or the stand-in's own folder, which the
# stand-in writes during the build (AURIVEL_STANDIN_SDK_FOLDER) so that the
# module is built exactly as against the real one. Without it the module
# links the stand-in's library directly.
if(NOT AURIVEL_MAXSDK_DIR)
  add_library(MaxSdk::SDK ALIAS standin_sdk)
  return()
endif()

get_filename_component(_sdk ${AURIVEL_MAXSDK_DIR} ABSOLUTE)
if(AURIVEL_STANDIN_SDK_FOLDER)
  file(MAKE_DIRECTORY ${_sdk}/include)
elseif(NOT EXISTS ${_sdk}/include/max.h)
  message(FATAL_ERROR "AURIVEL_MAXSDK_DIR=${AURIVEL_MAXSDK_DIR} holds no 3ds Max SDK (include/max.h not found)")
endif()

add_library(MaxSdk::SDK INTERFACE IMPORTED)
set_target_properties(MaxSdk::SDK PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_sdk}/include)
# Windows finds a file whatever the case of its name, and the real SDK
# spells one import library so (Paramblk2.lib): each is looked up without
# regard to case. The stand-in's own folder is laid out during the build.
if(AURIVEL_STANDIN_SDK_FOLDER)
  set(_libraries ${AURIVEL_MAXSDK_LIBRARIES})
  list(TRANSFORM _libraries APPEND .lib)
else()
  file(GLOB _libraries RELATIVE ${_sdk}/lib/x64/Release ${_sdk}/lib/x64/Release/*)
endif()
foreach(name IN LISTS AURIVEL_MAXSDK_LIBRARIES)
  set(_found "")
  foreach(file IN LISTS _libraries)
    string(TOLOWER "${file}" _lower)
    if(_lower STREQUAL "${name}.lib")
      set(_found ${file})
    endif()
  endforeach()
  if(NOT _found)
    message(FATAL_ERROR "AURIVEL_MAXSDK_DIR=${AURIVEL_MAXSDK_DIR} has no import library ${name}.lib in lib/x64/Release "
                        "(looked up regardless of case)")
  endif()
  set_property(TARGET MaxSdk::SDK APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${_sdk}/lib/x64/Release/${_found})
endforeach()

if(AURIVEL_STANDIN_SDK_FOLDER)
  return()
endif()
# What Autodesk's headers ask of every build: their IniUtil.h's
# using-declarations clash with <windows.h>'s *PrivateProfile*W functions.
set_property(TARGET MaxSdk::SDK APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS NO_INIUTIL_USING)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND MSVC)
  # And of clang in Visual C++'s mode: some of them rely on Visual C++
  # parsing a template only when it is used (two-phase look-up, access into
  # a type completed later), which clang's /permissive- turns off; the
  # product's code compiles under /permissive- against the stand-in (preset
  # msvc) and with Visual C++ against the real SDK.
  set_property(TARGET MaxSdk::SDK APPEND PROPERTY INTERFACE_COMPILE_OPTIONS /clang:-fdelayed-template-parsing)
  if(NOT CMAKE_HOST_WIN32)
    # Their file names differ in case from the spellings that include them,
    # and they include Windows' headers in Windows' spelling (<WTypes.h>,
    # <CommCtrl.h>), where Wine's are lower-case: a case-sensitive file
    # system forgives neither, so clang reads the SDK's folder and Wine's
    # header folders through an overlay that looks names up regardless of
    # case.
    include(${CMAKE_CURRENT_LIST_DIR}/CaseInsensitiveOverlay.cmake)
    aurivel_case_insensitive_overlay(${PROJECT_BINARY_DIR}/maxsdk-overlay.json ${_sdk}/include
      ${AURIVEL_WINDOWS_HEADER_DIRS})
    set_property(TARGET MaxSdk::SDK APPEND PROPERTY INTERFACE_COMPILE_OPTIONS
      "SHELL:/clang:-ivfsoverlay /clang:${PROJECT_BINARY_DIR}/maxsdk-overlay.json"
      /clang:-Wno-nonportable-include-path)
  endif()
endif()
