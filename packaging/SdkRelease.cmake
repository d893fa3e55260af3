# The release of 3ds Max that an SDK folder is for, read from its
# include/maxversion.h, and the rule of a package: one module per release.
# Included by packaging/CMakeLists.txt. Run as a script, it reads the release
# of each of the folders SDK_DIRS for scripts/package.sh and prints one line
# "<year> <absolute folder>" for each; at the first folder it cannot read, or
# the second of one release, it says why on stderr and prints no more.
#   cmake "-DSDK_DIRS=<dir>;<dir>..." -P packaging/SdkRelease.cmake

# The year of the SDK in <sdk_dir> in <year_var>, or, in <error_var>, why the
# folder is no SDK.
function(aurivel_sdk_year sdk_dir year_var error_var)
  set(header ${sdk_dir}/include/maxversion.h)
  set(year "")
  set(error "")
  if(NOT IS_DIRECTORY ${sdk_dir})
    set(error "no such folder")
  elseif(NOT EXISTS ${header})
    set(error "it has no include/maxversion.h, so it is no 3ds Max SDK")
  else()
    file(STRINGS ${header} year_line REGEX "^#define[ \t]+MAX_PRODUCT_YEAR_NUMBER[ \t]+[0-9]+")
    if(year_line MATCHES "([0-9]+)$")
      set(year ${CMAKE_MATCH_1})
    else()
      set(error "its include/maxversion.h defines no MAX_PRODUCT_YEAR_NUMBER")
    endif()
  endif()
  set(${year_var} ${year} PARENT_SCOPE)
  set(${error_var} "${error}" PARENT_SCOPE)
endfunction()

# In <error_var>, why <source> cannot add the module of <year> to a package
# of the releases <years_var> made of <sources_var>; empty if it can.
function(aurivel_second_of_release year source years_var sources_var error_var)
  list(FIND ${years_var} ${year} earlier)
  set(error "")
  if(earlier GREATER_EQUAL 0)
    list(GET ${sources_var} ${earlier} earlier_source)
    set(error "${earlier_source} and ${source} are both for 3ds Max ${year}")
  endif()
  set(${error_var} "${error}" PARENT_SCOPE)
endfunction()

if(NOT CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  return()
endif()
set(years "")
set(sources "")
foreach(sdk_dir IN LISTS SDK_DIRS)
  aurivel_sdk_year(${sdk_dir} year error)
  if(error)
    set(error "--sdk ${sdk_dir}: ${error}")
  else()
    aurivel_second_of_release(${year} "--sdk ${sdk_dir}" years sources error)
  endif()
  if(error)
    message(NOTICE "package.sh: ${error}")
    return()
  endif()
  list(APPEND years ${year})
  list(APPEND sources "--sdk ${sdk_dir}")
  get_filename_component(sdk_dir ${sdk_dir} REALPATH)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${year} ${sdk_dir}")
endforeach()
