# aurivel_add_plugin_module(<target> DEF <deffile> RC <rcfile> SOURCES <files...>)
#
# Builds a plug-in module of the host: a loadable library named
# <OUTPUT_NAME>.dlt, exporting exactly the functions that the .def file lists,
# with DllMain as its entry point and the compiled resource script inside.
#
# On Linux the module is an ELF shared object that the Win32 shim loads as
# Windows loads a PE module:
#  - symbols are hidden unless marked __declspec(dllexport), and a version
#    script made from the .def file keeps only the listed functions global;
#  - DllMain is the ELF entry point (e_entry), which LoadLibraryW calls;
#  - the resource script is compiled by llvm-rc into a .res file whose bytes
#    are added as the non-loaded section .rsrc, where the shim's FindResourceW
#    finds them.

find_program(AURIVEL_LLVM_RC NAMES llvm-rc llvm-rc-14 DOC "LLVM resource compiler")

# Writes a version script that keeps the functions named in <def_file>
# global. A .def file names functions without their parameter types, and
# these exports are C++ functions at global scope, so each is matched by the
# prefix of its mangled name: _Z, the name's length, the name. The length
# keeps LibClassDesc from matching LibClassDescription.
function(_aurivel_version_script_from_def def_file script_file)
  file(STRINGS ${def_file} def_lines)
  set(in_exports FALSE)
  set(patterns "")
  foreach(line IN LISTS def_lines)
    string(REGEX REPLACE ";.*$" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    endif()
    if(line MATCHES "^(LIBRARY|NAME|DESCRIPTION|HEAPSIZE|STACKSIZE|SECTIONS|VERSION)([ \t]|$)")
      set(in_exports FALSE)
      continue()
    endif()
    if(line MATCHES "^EXPORTS([ \t]|$)")
      set(in_exports TRUE)
      string(REGEX REPLACE "^EXPORTS[ \t]*" "" line "${line}")
      if(line STREQUAL "")
        continue()
      endif()
    endif()
    if(NOT in_exports)
      continue()
    endif()
    string(REGEX MATCH "^[^ \t]+" name "${line}")
    if(NOT name MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
      message(FATAL_ERROR "${def_file}: export '${name}' is not a plain function name (aliases are not supported)")
    endif()
    string(LENGTH "${name}" name_length)
    string(APPEND patterns "    _Z${name_length}${name}*;\n")
  endforeach()
  if(patterns STREQUAL "")
    message(FATAL_ERROR "${def_file}: no EXPORTS found")
  endif()
  file(CONFIGURE OUTPUT ${script_file} CONTENT "{\n  global:\n${patterns}  local: *;\n};\n" @ONLY)
endfunction()

# Compiles <rc_file> into <res_file>. The script may include headers from its
# own folder, resources/ and the shim's winres.h, and files beside it
# (bitmaps, manifest); all of those are dependencies.
function(_aurivel_compile_resources rc_file res_file)
  if(NOT AURIVEL_LLVM_RC)
    message(FATAL_ERROR "llvm-rc is needed to compile ${rc_file}")
  endif()
  get_filename_component(rc_dir ${rc_file} DIRECTORY)
  get_filename_component(shim_include_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../standin/win32/include ABSOLUTE)
  file(GLOB_RECURSE rc_inputs CONFIGURE_DEPENDS
    ${rc_dir}/*.h ${rc_dir}/*.bmp ${rc_dir}/*.ico ${rc_dir}/*.manifest)
  file(GLOB shim_headers CONFIGURE_DEPENDS ${shim_include_dir}/*.h)
  add_custom_command(
    OUTPUT ${res_file}
    # llvm-rc ignores #pragma code_page, so the code page is given here.
    COMMAND ${AURIVEL_LLVM_RC} /C 65001
            /I ${rc_dir} /I ${PROJECT_SOURCE_DIR}/resources /I ${shim_include_dir}
            /FO ${res_file} ${rc_file}
    DEPENDS ${rc_file} ${rc_inputs} ${shim_headers}
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
endfunction()

function(aurivel_add_plugin_module target)
  cmake_parse_arguments(M "" "DEF;RC" "SOURCES" ${ARGN})
  if(NOT M_DEF OR NOT M_RC OR NOT M_SOURCES)
    message(FATAL_ERROR "aurivel_add_plugin_module(${target}): DEF, RC and SOURCES are required")
  endif()
  get_filename_component(def_file ${M_DEF} ABSOLUTE)
  get_filename_component(rc_file ${M_RC} ABSOLUTE)

  if(WIN32)
    # A PE module: the toolchain compiles the .rc and takes the .def as the
    # export list; DllMain is the entry point of the C runtime's DLL start-up.
    # The RC language must be enabled in the top-level CMakeLists.txt.
    add_library(${target} MODULE ${M_SOURCES} ${rc_file} ${def_file})
    set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".dlt")
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
    return()
  endif()

  add_library(${target} MODULE ${M_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    SUFFIX ".dlt"
    CXX_VISIBILITY_PRESET hidden
    C_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  # The shim stands in for the system libraries that every PE module links.
  target_link_libraries(${target} PRIVATE win32shim)

  set(script_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.exports.map)
  _aurivel_version_script_from_def(${def_file} ${script_file})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
  target_link_options(${target} PRIVATE
    "LINKER:--version-script=${script_file}"
    "LINKER:-e,DllMain")
  # A sanitized module leaves the sanitizer runtime's symbols to the
  # executable (clang links that runtime into executables only).
  if(NOT AURIVEL_SANITIZE)
    target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  endif()

  set(res_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.res)
  _aurivel_compile_resources(${rc_file} ${res_file})
  add_custom_target(${target}_resources DEPENDS ${res_file})
  add_dependencies(${target} ${target}_resources)
  # Relinking rewrites the module without its resources, so a changed .res
  # relinks and the POST_BUILD step adds them again.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${res_file} ${script_file})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --add-section .rsrc=${res_file} --set-section-flags .rsrc=contents,readonly
            $<TARGET_FILE:${target}>
    COMMENT "Embedding resources in $<TARGET_FILE_NAME:${target}>"
    VERBATIM)
endfunction()
