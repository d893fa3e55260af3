# The LLVM whose programs the build runs: the one that llvm-config names
# (Debian's llvm, whose clang, lld and libc++ scripts/setup.sh installs in
# the same version); AURIVEL_LLVM_CONFIG=/path/to/llvm-config-<N> chooses
# another. Its tools are taken from its own bin folder alone, so that a
# second LLVM on PATH never mixes in. Shared by the Microsoft-ABI toolchain,
# which finds its compiler and linker before the project exists, and by
# cmake/Dependencies.cmake.
include_guard(GLOBAL)

find_program(AURIVEL_LLVM_CONFIG NAMES llvm-config DOC "llvm-config of the LLVM whose tools the build runs")
if(NOT AURIVEL_LLVM_CONFIG)
  message(FATAL_ERROR "llvm-config not found: install llvm (scripts/setup.sh build), "
                      "or set AURIVEL_LLVM_CONFIG to an LLVM's llvm-config")
endif()
execute_process(COMMAND ${AURIVEL_LLVM_CONFIG} --version --prefix --bindir
  OUTPUT_VARIABLE _llvm_facts OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" _llvm_facts "${_llvm_facts}")
list(GET _llvm_facts 0 AURIVEL_LLVM_VERSION)
list(GET _llvm_facts 1 AURIVEL_LLVM_PREFIX)
list(GET _llvm_facts 2 AURIVEL_LLVM_BINDIR)
string(REGEX MATCH "^[0-9]+" AURIVEL_LLVM_MAJOR "${AURIVEL_LLVM_VERSION}")

# aurivel_find_llvm_tool(<var> <program> <package>)
#
# Sets the cache entry <var> to <program> in the LLVM's bin folder, or stops
# naming the Debian package that holds it, <package>-<LLVM's major version>.
function(aurivel_find_llvm_tool var program package)
  find_program(${var} NAMES ${program} HINTS ${AURIVEL_LLVM_BINDIR} NO_DEFAULT_PATH
    DOC "${program} of LLVM ${AURIVEL_LLVM_VERSION}")
  if(NOT ${var})
    message(FATAL_ERROR "${program} not found in ${AURIVEL_LLVM_BINDIR}, the programs of LLVM "
                        "${AURIVEL_LLVM_VERSION} (${AURIVEL_LLVM_CONFIG}): install ${package}-${AURIVEL_LLVM_MAJOR} "
                        "(scripts/setup.sh)")
  endif()
endfunction()
