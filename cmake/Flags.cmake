# Compiler flags shared by every target.
#
# Results must match single-precision reference values bit for bit, so the
# compiler may not fuse a*b+c into one FMA nor reassociate anything.
if(MSVC)
  # Visual C++ and clang-cl. /fp:precise keeps the order of operations;
  # clang-cl would still contract within an expression, so that is turned
  # off. (cl.exe of Visual Studio 2019 emits no FMA without /arch:AVX2,
  # which the module is not built with.)
  add_compile_options(/fp:precise /W4 /permissive- /EHsc /utf-8)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(/clang:-ffp-contract=off)
  endif()
  if(AURIVEL_WERROR)
    add_compile_options(/WX)
  endif()
  return()
endif()

add_compile_options(-ffp-contract=off -fno-fast-math)
add_compile_options(-Wall -Wextra -Wpedantic)
# g++ takes any operator new without an exception specification never to
# return null, even where it is called directly; the host heap's nothrow
# form is declared so, and returns null when the heap is full.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fcheck-new>)
endif()
if(AURIVEL_WERROR)
  add_compile_options(-Werror)
endif()

if(AURIVEL_SANITIZE)
  string(REPLACE ";" "," _san "${AURIVEL_SANITIZE}")
  add_compile_options(-fsanitize=${_san} -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${_san})
endif()
