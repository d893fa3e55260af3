# aurivel_add_map_module(<target>)
#
# The map's module, Aurivel.dlt, as <target>: the one plug-in library that
# the host loads (plugin/), built from its sources with its include and link
# rules. plugin/ builds the shipped module with it; the benchmarks build
# their peers with another gamma power the same way, so that what they
# measure is the module as shipped.
function(aurivel_add_map_module target)
  set(root ${PROJECT_SOURCE_DIR})
  aurivel_add_plugin_module(${target}
    DEF ${root}/plugin/Aurivel.def
    RC ${root}/resources/Aurivel.rc
    SOURCES
      ${root}/plugin/DllEntry.cpp
      ${root}/plugin/AurivelClassDesc.cpp
      ${root}/map/AurivelParams.cpp
      ${root}/map/Aurivel.cpp
      ${root}/map/AurivelEval.cpp
      ${root}/presets/Presets.cpp
      ${root}/editor/AurivelDlgProc.cpp
      ${root}/editor/Editor.cpp)
  # The plug-in's own headers, and through aurivel_module_headers those that
  # the module shares with the programs that load it (map/, editor/, its
  # presets and resource ids). No source sees the repository's root.
  target_include_directories(${target} PRIVATE ${root}/plugin/include)
  target_link_libraries(${target} PRIVATE MaxSdk::SDK aurivel_shading aurivel_module_headers)
  if(TARGET standin_sdk_folder)
    add_dependencies(${target} standin_sdk_folder)
  endif()
endfunction()
