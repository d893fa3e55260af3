# aurivel_load_built_module(<target> [MODULE <module target>] [DEFINE <macro>])
#
# <target> loads the module that this build makes (default: Aurivel) by
# path, as the host does: the path is the narrow string literal <macro>
# (default AURIVEL_MODULE_PATH); L"" <macro> is the wide one. With
# AURIVEL_MODULE_UNDER_TEST, what loads the map loads that file instead: a
# module built elsewhere, against another SDK folder, put under the tests.
#
# Programs of the Windows build run under Wine, which shows the build
# machine's files on drive Z:, so paths compiled into them carry
# AURIVEL_BUILD_PATH_DRIVE.
if(WIN32)
  set(AURIVEL_BUILD_PATH_DRIVE "Z:")
else()
  set(AURIVEL_BUILD_PATH_DRIVE "")
endif()

set(AURIVEL_MODULE_UNDER_TEST "" CACHE FILEPATH
  "A map module to run the tests on instead of the one this tree builds (the Windows builds)")
set(AURIVEL_MODULE_UNDER_TEST_SDK "" CACHE PATH
  "The SDK folder that AURIVEL_MODULE_UNDER_TEST was built against, whose headers may export members from it")
if(AURIVEL_MODULE_UNDER_TEST)
  get_filename_component(AURIVEL_MODULE_UNDER_TEST ${AURIVEL_MODULE_UNDER_TEST} ABSOLUTE)
  if(NOT EXISTS ${AURIVEL_MODULE_UNDER_TEST})
    message(FATAL_ERROR "AURIVEL_MODULE_UNDER_TEST=${AURIVEL_MODULE_UNDER_TEST}: no such file")
  endif()
  message(STATUS "The tests load the map from ${AURIVEL_MODULE_UNDER_TEST}; the tests of this tree's own module "
                 "and package are not run")
endif()

# The map module the tests load: this tree's, or the one under test.
function(aurivel_tested_module out_var)
  if(AURIVEL_MODULE_UNDER_TEST)
    set(${out_var} ${AURIVEL_MODULE_UNDER_TEST} PARENT_SCOPE)
  else()
    set(${out_var} $<TARGET_FILE:Aurivel> PARENT_SCOPE)
  endif()
endfunction()

function(aurivel_load_built_module target)
  cmake_parse_arguments(L "" "MODULE;DEFINE" "" ${ARGN})
  if(NOT L_DEFINE)
    set(L_DEFINE AURIVEL_MODULE_PATH)
  endif()
  if(L_MODULE)
    set(module $<TARGET_FILE:${L_MODULE}>)
  else()
    set(L_MODULE Aurivel)
    aurivel_tested_module(module)
  endif()
  target_compile_definitions(${target} PRIVATE "${L_DEFINE}=\"${AURIVEL_BUILD_PATH_DRIVE}${module}\"")
  add_dependencies(${target} ${L_MODULE})
endfunction()
