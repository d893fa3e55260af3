# Wine's import libraries under the names that MSVC's linker looks for
# (kernel32.lib, ucrt.lib, ...), in the folder of the build tree that the
# Microsoft-ABI toolchain names (AURIVEL_WINDOWS_LIBS). msvcrt.lib is the
# start-up library of an MSVC build, which the stand-in's runtime provides;
# Wine's libmsvcrt.a imports the old msvcrt.dll instead.
file(MAKE_DIRECTORY ${AURIVEL_WINDOWS_LIBS})
file(GLOB wine_import_libs ${AURIVEL_WINE_IMPORT_LIBS}/lib*.a)
foreach(archive IN LISTS wine_import_libs)
  get_filename_component(name ${archive} NAME_WE)
  string(REGEX REPLACE "^lib" "" name ${name})
  if(NOT name STREQUAL "msvcrt")
    file(CREATE_LINK ${archive} ${AURIVEL_WINDOWS_LIBS}/${name}.lib SYMBOLIC)
  endif()
endforeach()
file(CREATE_LINK ${AURIVEL_WINE_IMPORT_LIBS}/libucrtbase.a ${AURIVEL_WINDOWS_LIBS}/ucrt.lib SYMBOLIC)
