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
foreach(name IN LISTS AURIVEL_MAXSDK_LIBRARIES)
  set_property(TARGET MaxSdk::SDK APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${_sdk}/lib/x64/Release/${name}.lib)
endforeach()

