# aurivel_load_built_module(<target> [MODULE <module target>] [DEFINE <macro>])
#
# <target> loads the module that this build makes (default: Aurivel) by
# path, as the host does: the path is the narrow string literal <macro>
# (default AURIVEL_MODULE_PATH); L"" <macro> is the wide one.
#
# Programs of the Windows build run under Wine, which shows the build
# machine's files on drive Z:, so paths compiled into them carry
# AURIVEL_BUILD_PATH_DRIVE.
if(WIN32)
  set(AURIVEL_BUILD_PATH_DRIVE "Z:")
else()
  set(AURIVEL_BUILD_PATH_DRIVE "")
endif()

function(aurivel_load_built_module target)
  cmake_parse_arguments(L "" "MODULE;DEFINE" "" ${ARGN})
  if(NOT L_MODULE)
    set(L_MODULE Aurivel)
  endif()
  if(NOT L_DEFINE)
    set(L_DEFINE AURIVEL_MODULE_PATH)
  endif()
  target_compile_definitions(${target} PRIVATE
    "${L_DEFINE}=\"${AURIVEL_BUILD_PATH_DRIVE}$<TARGET_FILE:${L_MODULE}>\"")
  add_dependencies(${target} ${L_MODULE})
endfunction()
