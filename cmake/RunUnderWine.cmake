# Included by the Windows toolchain files: test programs run under Wine, in a
# prefix of their own inside the build tree, so that a build never touches
# the user's ~/.wine.
get_filename_component(AURIVEL_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/run-under-wine.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${AURIVEL_WINE_RUNNER} ${CMAKE_BINARY_DIR}/wine-prefix)
