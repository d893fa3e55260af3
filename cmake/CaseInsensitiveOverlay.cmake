# aurivel_case_insensitive_overlay(<overlay file> <dir>...)
#
# Writes a virtual file system overlay for clang (-ivfsoverlay) that lists
# every file below each <dir> under its own path and is "case-sensitive":
# false, so that an #include names a file below a <dir> in any case, as on
# Windows. Files added to a <dir> later need CMake to run again.

# The control characters, which a JSON string holds only escaped.
string(ASCII 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31
  _aurivel_json_controls)

# Sets <out_var> to <text> as a JSON string: quoted, with backslashes,
# quotes and control characters escaped.
function(_aurivel_json_string out_var text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  if(text MATCHES "[${_aurivel_json_controls}]")
    foreach(code RANGE 1 31)
      string(ASCII ${code} char)
      string(HEX "${char}" hex)
      string(REPLACE "${char}" "\\u00${hex}" text "${text}")
    endforeach()
  endif()
  set(${out_var} "\"${text}\"" PARENT_SCOPE)
endfunction()

# The JSON entries of the files and folders in <dir>, indented by <indent>.
function(_aurivel_overlay_entries dir indent out_var)
  file(GLOB children LIST_DIRECTORIES true ${dir}/*)
  set(entries "")
  foreach(child IN LISTS children)
    get_filename_component(name ${child} NAME)
    _aurivel_json_string(name "${name}")
    if(IS_DIRECTORY ${child})
      _aurivel_overlay_entries(${child} "${indent}  " contents)
      list(APPEND entries
        "${indent}{\"type\": \"directory\", \"name\": ${name}, \"contents\": [\n${contents}\n${indent}]}")
    else()
      _aurivel_json_string(path "${child}")
      list(APPEND entries "${indent}{\"type\": \"file\", \"name\": ${name}, \"external-contents\": ${path}}")
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
    _aurivel_json_string(name "${dir}")
    list(APPEND roots "    {\"type\": \"directory\", \"name\": ${name}, \"contents\": [\n${contents}\n    ]}")
  endforeach()
  list(JOIN roots ",\n" text)
  file(WRITE ${overlay_file} "{\n  \"version\": 0,\n  \"case-sensitive\": \"false\",\n  \"roots\": [\n"
    "${text}\n  ]\n}\n")
endfunction()
