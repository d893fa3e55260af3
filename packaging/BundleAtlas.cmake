# The library of measured metals in the bundle: the atlas (page, pictures,
# metals.json and metals.ms, which 3ds Max runs at start-up) in
# Contents/atlas/, and the macroscript that opens the page in
# Contents/scripts/. The atlas is AURIVEL_BUNDLE_ATLAS_DIR, one that the
# preview tool wrote elsewhere, or else the target bundle_atlas has this
# build's preview tool write it.
set(AURIVEL_BUNDLE_ATLAS_DIR "" CACHE PATH "The atlas the bundle holds; empty: the preview tool writes it")
if(AURIVEL_BUNDLE_ATLAS_DIR)
  set(atlas ${AURIVEL_BUNDLE_ATLAS_DIR})
elseif(AURIVEL_BUILD_TOOLS AND NOT WIN32)
  set(atlas ${CMAKE_CURRENT_BINARY_DIR}/atlas)
  set(nk_db ${PROJECT_SOURCE_DIR}/data/refractiveindex.info)
  file(GLOB_RECURSE nk_files CONFIGURE_DEPENDS ${nk_db}/database/*)
  add_custom_command(OUTPUT ${atlas}/index.html ${atlas}/metals.json ${atlas}/metals.ms
    COMMAND aurivel-preview --atlas ${atlas} --nk-db ${nk_db}
    DEPENDS aurivel-preview ${nk_files}
    COMMENT "Writing the atlas of measured metals"
    VERBATIM)
  add_custom_target(bundle_atlas DEPENDS ${atlas}/index.html)
else()
  message(FATAL_ERROR "the bundle's atlas needs AURIVEL_BUNDLE_ATLAS_DIR or a native build of the preview tool")
endif()
install(DIRECTORY ${atlas}/ DESTINATION ${bundle}/Contents/atlas COMPONENT bundle)
install(FILES AurivelAtlas.ms DESTINATION ${bundle}/Contents/scripts COMPONENT bundle)
