# aurivel_import_library(<target> DEF <def file> OUTPUT <lib file>)
#
# The import library <lib file> of the DLL that <def file> describes (its
# LIBRARY name and EXPORTS), made as Windows builds make one without the DLL
# at hand (lib /def); here by llvm-dlltool, as LLVM 14's llvm-lib reads no
# .def file (cmake/Dependencies.cmake finds it). <target> builds it.

function(aurivel_import_library target)
  cmake_parse_arguments(L "" "DEF;OUTPUT" "" ${ARGN})
  get_filename_component(def_file ${L_DEF} ABSOLUTE)
  add_custom_command(OUTPUT ${L_OUTPUT}
    COMMAND ${AURIVEL_LLVM_DLLTOOL} -m i386:x86-64 -d ${def_file} -l ${L_OUTPUT}
    DEPENDS ${def_file}
    COMMENT "Import library ${L_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${L_OUTPUT})
endfunction()
