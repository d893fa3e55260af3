# Compiler flags shared by every target.
#
# Results must match single-precision reference values bit for bit, so the
# compiler may not fuse a*b+c into one FMA nor reassociate anything.
add_compile_options(-ffp-contract=off -fno-fast-math)
add_compile_options(-Wall -Wextra -Wpedantic)
if(AURIVEL_WERROR)
  add_compile_options(-Werror)
endif()

if(AURIVEL_SANITIZE)
  string(REPLACE ";" "," _san "${AURIVEL_SANITIZE}")
  add_compile_options(-fsanitize=${_san} -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=${_san})
endif()
