# aurivel_add_map_module(<target>)
#
# The map's module, Aurivel.dlt, as <target>: the one plug-in library that
# the host loads (plugin/). plugin/ builds the shipped module with it; the
# benchmarks build their peers with another gamma power the same way, so
# that what they measure is the module as shipped.
#
# The module is made of parts (aurivel_add_module_part), each a target in
# its folder, which the module links. What each part uses, one way:
#   resources (aurivel_resource_ids, resources/): nothing
#   entry (aurivel_entry, plugin/DllEntry.cpp): resources
#   parameter block (aurivel_param_block, map/params/): entry, preset table, resources
#   presets (aurivel_preset_rules, presets/rules/): parameter block, preset table
#   editor (aurivel_editor, editor/): presets, parameter block, entry, resources
#   map (aurivel_map, map/): editor, presets, parameter block, entry, preset table, shading, resources
#   class descriptor (plugin/AurivelClassDesc.cpp, the module's own source): map, entry, resources
# The parts' objects are built once (for the fuzz targets, instrumented) and
# shared by the module and the benchmarks' peers.
set(AURIVEL_MAP_MODULE_PARTS aurivel_entry aurivel_param_block aurivel_preset_rules aurivel_editor aurivel_map)

function(aurivel_add_map_module target)
  set(root ${PROJECT_SOURCE_DIR})
  aurivel_add_plugin_module(${target}
    DEF ${root}/plugin/Aurivel.def
    RC ${root}/resources/Aurivel.rc
    SOURCES ${root}/plugin/AurivelClassDesc.cpp)
  target_link_libraries(${target} PRIVATE
    ${AURIVEL_MAP_MODULE_PARTS} aurivel_presets aurivel_shading aurivel_resource_ids MaxSdk::SDK)
  if(TARGET standin_sdk_folder)
    add_dependencies(${target} standin_sdk_folder)
  endif()
endfunction()
