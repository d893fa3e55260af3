# aurivel_case_insensitive_overlay(<overlay file> <dir>...)
#
# Writes a virtual file system overlay for clang (-ivfsoverlay) that lists
# every file below each <dir> under its own path and is "case-sensitive":
# false, so that an #include names a file below a <dir> in any case, as on
# Windows. Files added to a <dir> later need CMake to run again.

# The JSON entries of the files and folders in <dir>, indented by <indent>.
function(_aurivel_overlay_entries dir indent out_var)
  file(GLOB children LIST_DIRECTORIES true ${dir}/*)
  set(entries "")
  foreach(child IN LISTS children)
    get_filename_component(name ${child} NAME)
    if(IS_DIRECTORY ${child})
      _aurivel_overlay_entries(${child} "${indent}  " contents)
      list(APPEND entries
        "${indent}{\"type\": \"directory\", \"name\": \"${name}\", \"contents\": [\n${contents}\n${indent}]}")
    else()
      list(APPEND entries "${indent}{\"type\": \"file\", \"name\": \"${name}\", \"external-contents\": \"${child}\"}")
    endif()
  endforeach()
  list(JOIN entries ",\n" text)
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

function(aurivel_case_insensitive_overlay overlay_file)
  set(roots "")
  foreach(dir IN LISTS ARGN)
    get_filename_component(dir ${dir} ABSOLUTE)
    _aurivel_overlay_entries(${dir} "      " contents)
    list(APPEND roots "    {\"type\": \"directory\", \"name\": \"${dir}\", \"contents\": [\n${contents}\n    ]}")
  endforeach()
  list(JOIN roots ",\n" text)
  file(WRITE ${overlay_file} "{\n  \"version\": 0,\n  \"case-sensitive\": \"false\",\n  \"roots\": [\n"
    "${text}\n  ]\n}\n")
endfunction()
