# aurivel_add_plugin_module(<target> DEF <deffile> RC <rcfile> SOURCES <files...>)
# aurivel_add_module_part(<target> SOURCES <files...>)
#
# Builds a plug-in module of the host: a loadable library named
# <OUTPUT_NAME>.dlt, exporting exactly the functions that the .def file lists,
# with DllMain as its entry point and the compiled resource script inside.
#
# On Linux the module is an ELF shared object that the Win32 shim loads as
# Windows loads a PE module:
#  - symbols are hidden unless declared visible (the SDK's plugapi.h
#    declares the entry points so, test modules use __declspec(dllexport)),
#    and a version script made from the .def file keeps only the listed
#    functions global;
#  - DllMain is the ELF entry point (e_entry), which LoadLibraryW calls;
#  - the resource script is compiled by llvm-rc into a .res file whose bytes
#    are added as the non-loaded section .rsrc, where the shim's FindResourceW
#    finds them.
#
# On Windows the module is a PE DLL whose export table holds the .def file's
# names alone: Microsoft's linker (and lld-link) matches an undecorated name
# in a .def file to the decorated C++ function itself.
#
# A part of a module is an OBJECT library compiled as the module's own
# sources are, which the module links: its sources see the include roots of
# the parts it links and no others, so an include across the parts'
# boundaries fails to compile.

include(${CMAKE_CURRENT_LIST_DIR}/ModuleDefinition.cmake)

# The project's version, which the resource scripts include.
set(AURIVEL_GENERATED_RESOURCES ${PROJECT_BINARY_DIR}/generated/resources)
configure_file(${PROJECT_SOURCE_DIR}/resources/aurivel_version.h.in ${AURIVEL_GENERATED_RESOURCES}/aurivel_version.h
  @ONLY)

# The prefix of the mangled name of a C++ function named <name> at global
# scope: _Z, the name's length, the name. The length keeps LibClassDesc from
# matching LibClassDescription.
function(_aurivel_mangled_prefix name out_var)
  string(LENGTH "${name}" name_length)
  set(${out_var} "_Z${name_length}${name}" PARENT_SCOPE)
endfunction()

# Writes a version script that keeps the functions named in <def_file>
# global. A .def file names functions without their parameter types, and
# these exports are C++ functions, so each is matched by the prefix of its
# mangled name.
function(_aurivel_version_script_from_def def_file script_file)
  aurivel_def_exports(${def_file} exports)
  list(TRANSFORM exports REPLACE "@.*$" "")
  set(patterns "")
  foreach(name IN LISTS exports)
    _aurivel_mangled_prefix(${name} prefix)
    string(APPEND patterns "    ${prefix}*;\n")
  endforeach()
  file(CONFIGURE OUTPUT ${script_file} CONTENT "{\n  global:\n${patterns}  local: *;\n};\n" @ONLY)
endfunction()

# Sets <out_var> to the files that <rc_file> may read besides itself: the
# headers, bitmaps, icons and manifests in its folder.
function(_aurivel_resource_inputs rc_file out_var)
  get_filename_component(rc_dir ${rc_file} DIRECTORY)
  file(GLOB_RECURSE rc_inputs CONFIGURE_DEPENDS
    ${rc_dir}/*.h ${rc_dir}/*.bmp ${rc_dir}/*.ico ${rc_dir}/*.manifest)
  set(${out_var} ${rc_inputs} PARENT_SCOPE)
endfunction()

# Compiles <rc_file> into <res_file> with llvm-rc. The script may include
# headers from its own folder, resources/ and <system_include_dirs> (where
# winres.h is), and files beside it (bitmaps, manifest); all of those are
# dependencies.
function(_aurivel_compile_resources rc_file res_file system_include_dirs)
  get_filename_component(rc_dir ${rc_file} DIRECTORY)
  _aurivel_resource_inputs(${rc_file} rc_inputs)
  set(include_options /I ${rc_dir} /I ${PROJECT_SOURCE_DIR}/resources /I ${AURIVEL_GENERATED_RESOURCES})
  set(system_headers "")
  foreach(dir IN LISTS system_include_dirs)
    list(APPEND include_options /I ${dir})
    file(GLOB headers CONFIGURE_DEPENDS ${dir}/winres*.h)
    list(APPEND system_headers ${headers})
  endforeach()
  add_custom_command(
    OUTPUT ${res_file}
    # llvm-rc ignores #pragma code_page, so the code page is given here. The
    # "--" keeps an absolute input path such as /check/... from being read as
    # one of llvm-rc's slash options (/C).
    COMMAND ${AURIVEL_LLVM_RC} /C 65001 ${include_options} /FO ${res_file} -- ${rc_file}
    DEPENDS ${rc_file} ${rc_inputs} ${system_headers} ${AURIVEL_GENERATED_RESOURCES}/aurivel_version.h
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_file}"
    VERBATIM)
endfunction()

# A PE module: DllMain is called by the C runtime's DLL start-up, after the
# static objects are constructed. The RC language must be enabled in the
# top-level CMakeLists.txt.
function(_aurivel_add_pe_module target def_file rc_file)
  set(sources ${ARGN})
  if(AURIVEL_RC_SYSTEM_INCLUDE_DIRS)
    # llvm-rc, which CMake would run after clang's preprocessor with the
    # same flags, where no code page can be given: compiled here, and the
    # .res file linked.
    set(res_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.res)
    _aurivel_compile_resources(${rc_file} ${res_file} "${AURIVEL_RC_SYSTEM_INCLUDE_DIRS}")
    set_source_files_properties(${res_file} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
    add_library(${target} MODULE ${sources} ${res_file})
  else()
    # rc.exe, which reads the script's #pragma code_page.
    add_library(${target} MODULE ${sources} ${rc_file})
    _aurivel_resource_inputs(${rc_file} rc_inputs)
    set_property(SOURCE ${rc_file} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS ${rc_inputs})
  endif()
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".dlt")
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/resources ${AURIVEL_GENERATED_RESOURCES})
  # The .def file is read as it is. The manifest is the resource script's;
  # the linker makes none of its own.
  target_sources(${target} PRIVATE ${def_file})
  target_link_options(${target} PRIVATE /MANIFEST:NO)
endfunction()

# On Linux a module's symbols are hidden unless declared visible.
function(_aurivel_hide_symbols target)
  if(NOT WIN32)
    set_target_properties(${target} PROPERTIES
      CXX_VISIBILITY_PRESET hidden
      C_VISIBILITY_PRESET hidden
      VISIBILITY_INLINES_HIDDEN ON)
  endif()
endfunction()

function(aurivel_add_module_part target)
  cmake_parse_arguments(P "" "" "SOURCES" ${ARGN})
  if(NOT P_SOURCES)
    message(FATAL_ERROR "aurivel_add_module_part(${target}): SOURCES are required")
  endif()
  add_library(${target} OBJECT ${P_SOURCES})
  _aurivel_hide_symbols(${target})
  target_link_libraries(${target} PUBLIC MaxSdk::SDK)
  if(TARGET standin_sdk_folder)
    add_dependencies(${target} standin_sdk_folder)
  endif()
endfunction()

function(aurivel_add_plugin_module target)
  cmake_parse_arguments(M "" "DEF;RC" "SOURCES" ${ARGN})
  if(NOT M_DEF OR NOT M_RC OR NOT M_SOURCES)
    message(FATAL_ERROR "aurivel_add_plugin_module(${target}): DEF, RC and SOURCES are required")
  endif()
  get_filename_component(def_file ${M_DEF} ABSOLUTE)
  get_filename_component(rc_file ${M_RC} ABSOLUTE)

  if(WIN32)
    _aurivel_add_pe_module(${target} ${def_file} ${rc_file} ${M_SOURCES})
    return()
  endif()

  add_library(${target} MODULE ${M_SOURCES})
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".dlt")
  _aurivel_hide_symbols(${target})
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
  _aurivel_compile_resources(${rc_file} ${res_file} ${PROJECT_SOURCE_DIR}/standin/win32/include)
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
