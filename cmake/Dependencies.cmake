# Every dependency of the build, looked for only where a part that this
# configuration builds needs it, and the configure summary: what was found,
# where and in which version, what is missing, and which parts are off and
# why. A required dependency that is missing ends the configuration after the
# summary, which then names the Debian package that holds it
# (scripts/setup.sh installs them all). Included once, by the top
# CMakeLists.txt, after real_sdk is set.
#
# Two LLVMs: the compilers, linkers and binary tools are one LLVM's, the one
# that llvm-config names (cmake/LlvmTools.cmake; Debian 12's is LLVM 14);
# LLVM's C library, whose correctly rounded powf is a reference for the
# map's power, is packaged for LLVM 19 alone, and only that archive is taken
# from it.
include(FeatureSummary)
include(${CMAKE_CURRENT_LIST_DIR}/LlvmTools.cmake)

# Sets <var> to ON if the condition <ARGN> holds, else OFF.
function(_aurivel_part var)
  if(${ARGN})
    set(${var} ON PARENT_SCOPE)
  else()
    set(${var} OFF PARENT_SCOPE)
  endif()
endfunction()

# The parts of this configuration: the top CMakeLists.txt builds them by
# these switches.
_aurivel_part(with_host NOT real_sdk)
_aurivel_part(with_native_libs with_host AND NOT WIN32)
_aurivel_part(with_tests with_host AND AURIVEL_BUILD_TESTS)
_aurivel_part(with_tools with_native_libs AND AURIVEL_BUILD_TOOLS)
_aurivel_part(with_bench with_native_libs AND AURIVEL_BUILD_BENCH AND NOT AURIVEL_SANITIZE)
_aurivel_part(with_windows_tests with_tests AND WIN32)
_aurivel_part(with_release_package_tests with_tests AND AURIVEL_RELEASE_PACKAGE_TESTS)
_aurivel_part(with_browser_tests with_tests AND (with_tools OR with_release_package_tests) AND NOT AURIVEL_SANITIZE)
_aurivel_part(with_fuzzers with_native_libs AND AURIVEL_FUZZ)
add_feature_info("Stand-in host" with_host
  "the SDK's and Windows' stand-in, the libraries, tests and tools; off against a real SDK (AURIVEL_MAXSDK_DIR), \
where the module alone is built")
add_feature_info(Tests with_tests "the tests (AURIVEL_BUILD_TESTS)")
add_feature_info(Tools with_tools "the programs in tools/ (AURIVEL_BUILD_TOOLS); Linux only")
add_feature_info(Benchmarks with_bench "the benchmarks (AURIVEL_BUILD_BENCH); Linux only, not under sanitizers")
add_feature_info("Browser tests" with_browser_tests
  "the atlas's web page in Chromium; needs tests and tools (or the release package's checks), not under sanitizers")
add_feature_info(Fuzzers with_fuzzers "libFuzzer targets (AURIVEL_FUZZ, clang); Linux only")

# _aurivel_dependency(<name> REQUIRED|RUNTIME FOUND <bool> WHAT <what it is> DEBIAN <package>
#                     [AT <where>] [VERSION <version>] FOR <what needs it>)
#
# Lists <name> in the configure summary: found at <where> in <version>, or
# missing, with the Debian package to install. RUNTIME: the build does not
# need it, the tests named by FOR fail without it.
function(_aurivel_dependency name type)
  cmake_parse_arguments(D "" "FOUND;WHAT;DEBIAN;AT;VERSION;FOR" "" ${ARGN})
  if(D_FOUND)
    set_property(GLOBAL APPEND PROPERTY PACKAGES_FOUND ${name})
    set(description "${D_WHAT}: ${D_AT}")
    if(D_VERSION)
      string(APPEND description ", version ${D_VERSION}")
    endif()
  else()
    set_property(GLOBAL APPEND PROPERTY PACKAGES_NOT_FOUND ${name})
    set(description "${D_WHAT}: not found, install ${D_DEBIAN}")
  endif()
  set_package_properties(${name} PROPERTIES TYPE ${type} DESCRIPTION "${description}" PURPOSE "for ${D_FOR}")
endfunction()

# _aurivel_find_package(<package> [COMPONENTS <component>...] WHAT <what it is> AT <variable>
#                       [VERSION <variable>] DEBIAN <package> FOR <what needs it>)
#
# find_package(<package>), listed as a required dependency: found at the
# value of AT's variable, in the value of VERSION's. A macro, as some
# packages (Python3) leave their results in plain variables of the caller.
macro(_aurivel_find_package package)
  cmake_parse_arguments(_package "" "WHAT;AT;VERSION;DEBIAN;FOR" "COMPONENTS" ${ARGN})
  if(_package_COMPONENTS)
    find_package(${package} QUIET COMPONENTS ${_package_COMPONENTS})
  else()
    find_package(${package} QUIET)
  endif()
  _aurivel_dependency(${package} REQUIRED FOUND "${${package}_FOUND}" WHAT "${_package_WHAT}" AT "${${_package_AT}}"
    VERSION "${${_package_VERSION}}" DEBIAN ${_package_DEBIAN} FOR "${_package_FOR}")
endmacro()

# _aurivel_find_runtime_program(<var> <name> NAMES <program>... [VALIDATOR <function>] WHAT <what it is>
#                               DEBIAN <package> FOR <what needs it>)
#
# find_program(<var>) for a program that tests run, listed in the summary.
function(_aurivel_find_runtime_program var name)
  cmake_parse_arguments(P "" "VALIDATOR;WHAT;DEBIAN;FOR" "NAMES" ${ARGN})
  set(validator "")
  if(P_VALIDATOR)
    set(validator VALIDATOR ${P_VALIDATOR})
  endif()
  find_program(${var} NAMES ${P_NAMES} ${validator} DOC "${P_WHAT}")
  _aurivel_dependency(${name} RUNTIME FOUND "${${var}}" WHAT "${P_WHAT}" AT "${${var}}" DEBIAN "${P_DEBIAN}"
    FOR "${P_FOR}")
endfunction()

# A program of the LLVM that llvm-config names, needed by <what needs it>.
function(_aurivel_llvm_tool var program package needed_by)
  aurivel_find_llvm_tool(${var} ${program} ${package})
  _aurivel_dependency(${program} REQUIRED FOUND ON WHAT "LLVM's ${program}" AT ${${var}}
    VERSION ${AURIVEL_LLVM_VERSION} FOR "${needed_by}")
endfunction()

if(WIN32)
  # Found by the toolchain (cmake/clang-msvc-x86_64.cmake).
  foreach(tool IN ITEMS CLANG_CL:clang-cl LLD_LINK:lld-link LLVM_LIB:llvm-lib LLVM_RC:llvm-rc LLVM_MT:llvm-mt)
    string(REPLACE ":" ";" tool ${tool})
    list(GET tool 0 var)
    list(GET tool 1 program)
    _aurivel_dependency(${program} REQUIRED FOUND ON WHAT "LLVM's ${program}" AT ${AURIVEL_${var}}
      VERSION ${AURIVEL_LLVM_VERSION} FOR "the Microsoft-ABI toolchain")
  endforeach()
  _aurivel_dependency(libc++ REQUIRED FOUND ON WHAT "libc++'s headers" AT ${AURIVEL_LIBCXX_INCLUDE}
    VERSION ${AURIVEL_LLVM_VERSION} FOR "the C++ standard library of the Microsoft-ABI build")
  _aurivel_dependency(Wine-headers REQUIRED FOUND ON WHAT "Wine's C runtime and Windows headers and import libraries"
    AT "${AURIVEL_WINE_INCLUDE}, ${AURIVEL_WINE_IMPORT_LIBS}" FOR "the Windows API of the Microsoft-ABI build")
else()
  _aurivel_llvm_tool(AURIVEL_LLVM_RC llvm-rc llvm "the module's resources (cmake/PluginModule.cmake)")
endif()

if(with_host)
  _aurivel_find_package(Python3 COMPONENTS Interpreter WHAT "Python" AT Python3_EXECUTABLE VERSION Python3_VERSION
    DEBIAN python3
    FOR "the stand-in's generated virtual functions, the ABI, package and colour-bar tests")
  _aurivel_llvm_tool(AURIVEL_LLVM_UNDNAME llvm-undname llvm "the stand-in's generated virtual functions")
  find_package(Threads QUIET)
  set(threads_where "the C library")
  if(CMAKE_THREAD_LIBS_INIT)
    set(threads_where ${CMAKE_THREAD_LIBS_INIT})
  endif()
  _aurivel_dependency(Threads REQUIRED FOUND ${Threads_FOUND} WHAT "threads" AT "${threads_where}" DEBIAN libc6-dev
    FOR "the tests and tools")
endif()
if(with_host AND (WIN32 OR with_release_package_tests))
  _aurivel_llvm_tool(AURIVEL_LLVM_DLLTOOL llvm-dlltool llvm
    "import libraries of DLLs (cmake/ImportLibrary.cmake, tests/sdk_folder)")
endif()
if(WIN32)
  _aurivel_llvm_tool(AURIVEL_LLVM_READOBJ llvm-readobj llvm "the module tables' checks (packaging/, tests/wine)")
endif()

if(with_native_libs)
  find_path(MPFR_INCLUDE_DIR mpfr.h)
  find_library(MPFR_LIBRARY mpfr)
  find_library(GMP_LIBRARY gmp)
  set(mpfr_version "")
  if(MPFR_INCLUDE_DIR)
    file(STRINGS ${MPFR_INCLUDE_DIR}/mpfr.h mpfr_version REGEX "^#define MPFR_VERSION_STRING ")
    string(REGEX REPLACE ".*\"(.*)\".*" "\\1" mpfr_version "${mpfr_version}")
  endif()
  _aurivel_part(mpfr_found MPFR_INCLUDE_DIR AND MPFR_LIBRARY AND GMP_LIBRARY)
  _aurivel_dependency(MPFR REQUIRED FOUND ${mpfr_found} WHAT "GNU MPFR and GMP" AT "${MPFR_LIBRARY}, ${GMP_LIBRARY}"
    VERSION "${mpfr_version}" DEBIAN libmpfr-dev FOR "the power's exact reference (libs/exact_power)")
  if(mpfr_found)
    add_library(mpfr INTERFACE)
    target_include_directories(mpfr INTERFACE ${MPFR_INCLUDE_DIR})
    target_link_libraries(mpfr INTERFACE ${MPFR_LIBRARY} ${GMP_LIBRARY})
  endif()

  # Debian installs each LLVM in <prefix>/lib/llvm-<version>: the newest
  # that has the C library's archive.
  set(llvm_lib_dirs "")
  foreach(prefix IN LISTS CMAKE_SYSTEM_PREFIX_PATH)
    file(GLOB dirs LIST_DIRECTORIES true ${prefix}/lib/llvm-*/lib)
    list(APPEND llvm_lib_dirs ${dirs})
  endforeach()
  list(SORT llvm_lib_dirs COMPARE NATURAL ORDER DESCENDING)
  find_file(AURIVEL_LLVM_LIBC_ARCHIVE libllvmlibc.a HINTS ${llvm_lib_dirs} DOC "LLVM's C library")
  set(llvm_libc_version "")
  if(AURIVEL_LLVM_LIBC_ARCHIVE MATCHES "/llvm-([0-9]+)/")
    set(llvm_libc_version ${CMAKE_MATCH_1})
  endif()
  _aurivel_dependency(LLVM-libc REQUIRED FOUND ${AURIVEL_LLVM_LIBC_ARCHIVE} WHAT "LLVM's C library"
    AT "${AURIVEL_LLVM_LIBC_ARCHIVE}" VERSION "${llvm_libc_version}" DEBIAN libllvmlibc-19-dev
    FOR "the power's correctly rounded powf reference (cmake/LlvmLibcPowf.cmake)")

  _aurivel_find_package(yaml-cpp WHAT "yaml-cpp" AT yaml-cpp_DIR VERSION yaml-cpp_VERSION
    DEBIAN libyaml-cpp-dev FOR "the n and k readers (libs/nkdata)")
  _aurivel_find_package(PkgConfig WHAT "pkg-config" AT PKG_CONFIG_EXECUTABLE VERSION PKG_CONFIG_VERSION_STRING
    DEBIAN pkgconf FOR "Little CMS and NLopt")
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(LCMS2 QUIET IMPORTED_TARGET lcms2)
    pkg_check_modules(NLOPT QUIET IMPORTED_TARGET nlopt)
  endif()
  _aurivel_dependency(lcms2 REQUIRED FOUND "${LCMS2_FOUND}" WHAT "Little CMS" AT "${LCMS2_LINK_LIBRARIES}"
    VERSION "${LCMS2_VERSION}" DEBIAN liblcms2-dev FOR "the colour of measured metals (libs/metal_colour)")
  _aurivel_dependency(nlopt REQUIRED FOUND "${NLOPT_FOUND}" WHAT "NLopt" AT "${NLOPT_LINK_LIBRARIES}"
    VERSION "${NLOPT_VERSION}" DEBIAN libnlopt-dev FOR "the fit of the map's constants (libs/metal_colour)")
endif()

if(with_tests AND NOT AURIVEL_MSVC_RUNTIME_STANDIN)
  _aurivel_find_package(GTest WHAT "GoogleTest" AT GTest_DIR VERSION GTest_VERSION
    DEBIAN libgtest-dev FOR "the tests")
endif()
if(with_windows_tests)
  _aurivel_find_runtime_program(AURIVEL_WINE Wine NAMES wine64 wine WHAT "Wine" DEBIAN "wine wine64"
    FOR "the tests, which run under Wine (scripts/run-under-wine.sh)")
  _aurivel_find_runtime_program(AURIVEL_XVFB_RUN xvfb-run NAMES xvfb-run WHAT "Xvfb" DEBIAN "xvfb xauth"
    FOR "the tests without a display")
endif()

if(with_tools)
  _aurivel_find_package(PNG WHAT "libpng" AT PNG_LIBRARY VERSION PNG_VERSION_STRING
    DEBIAN libpng-dev FOR "the preview tool's pictures and their tests")
  if(DEFINED ZLIB_FOUND)
    _aurivel_dependency(ZLIB REQUIRED FOUND ${ZLIB_FOUND} WHAT "zlib" AT "${ZLIB_LIBRARY}"
      VERSION "${ZLIB_VERSION_STRING}" DEBIAN zlib1g-dev FOR "libpng")
  endif()
  _aurivel_find_package(Freetype WHAT "FreeType" AT FREETYPE_LIBRARY VERSION FREETYPE_VERSION_STRING
    DEBIAN libfreetype-dev FOR "the preview tool's text")
  _aurivel_find_package(Fontconfig WHAT "Fontconfig" AT Fontconfig_LIBRARY VERSION Fontconfig_VERSION
    DEBIAN libfontconfig-dev FOR "the preview tool's font")
endif()
if(with_bench)
  _aurivel_find_package(benchmark WHAT "Google Benchmark" AT benchmark_DIR VERSION benchmark_VERSION
    DEBIAN libbenchmark-dev FOR "the benchmarks")
endif()

if(with_browser_tests)
  # Debian packages Selenium for its own Python, which may not be the first
  # on PATH.
  function(_aurivel_has_selenium result python)
    execute_process(COMMAND ${python} -c "import selenium" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT status EQUAL 0)
      set(${result} FALSE PARENT_SCOPE)
    endif()
  endfunction()
  set(needed_by "the browser tests (tests/atlas)")
  _aurivel_find_runtime_program(AURIVEL_BROWSER_PYTHON Selenium NAMES python3 VALIDATOR _aurivel_has_selenium
    WHAT "Python with Selenium" DEBIAN python3-selenium FOR "${needed_by}")
  _aurivel_find_runtime_program(AURIVEL_CHROMIUM Chromium NAMES chromium WHAT "Chromium" DEBIAN chromium
    FOR "${needed_by}")
  _aurivel_find_runtime_program(AURIVEL_CHROMEDRIVER chromedriver NAMES chromedriver WHAT "Chromium's WebDriver"
    DEBIAN chromium-driver FOR "${needed_by}")
  # What the browser tests start: the programs found here.
  set(AURIVEL_BROWSER_ENVIRONMENT "AURIVEL_CHROMIUM=${AURIVEL_CHROMIUM};AURIVEL_CHROMEDRIVER=${AURIVEL_CHROMEDRIVER}")
endif()

feature_summary(WHAT ALL INCLUDE_QUIET_PACKAGES FATAL_ON_MISSING_REQUIRED_PACKAGES)
