# Cross build of the Windows module in the Microsoft C++ ABI, the ABI that
# 3ds Max (Visual Studio 2019) speaks to its plug-ins: clang in MSVC mode
# (clang-cl) and lld-link, over Wine's C runtime and Windows headers and its
# import libraries, with libc++'s headers for the C++ standard library. The
# test programs run under Wine.
#
# What Visual C++ and the Windows SDK would bring and Wine does not is made
# up by the stand-in's Microsoft-ABI runtime (standin/msvc_runtime): the
# start-up code, operator new and delete, the type descriptors' vftable,
# thread-safe statics, corrections to Wine's CRT headers, and the few
# out-of-line parts of libc++ that the build uses. Facts about this
# toolchain that shaped it:
#  - Wine's headers make WCHAR a char16_t unless WINE_UNICODE_NATIVE is set;
#    the Windows SDK's is wchar_t, as MCHAR is.
#  - _UCRT selects the Universal CRT's declarations in Wine's headers; the
#    programs import ucrtbase.dll, as an MSVC build imports the UCRT, not
#    the old msvcrt.dll.
#  - libc++ in MSVC mode expects the vcruntime headers, which Wine does not
#    ship: _LIBCPP_NO_VCRUNTIME gives libc++'s own std::exception and
#    std::type_info instead. No compiled libc++ exists for this ABI, so only
#    header-only parts of the library are usable (no iostreams, <fstream>,
#    <filesystem>): _LIBCPP_DISABLE_EXTERN_TEMPLATE instantiates the
#    templates that libc++ would otherwise take from its DLL, and
#    _LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS keeps its declarations from
#    being dllimport.
#  - Wine's winnt.h defines _InterlockedCompareExchange128, which clang
#    treats as a builtin; the definition is renamed out of the builtin's way.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

# The compiler and linker must be known before the project exists, so the
# toolchain finds them itself (cmake/Dependencies.cmake lists them in the
# configure summary), all from one LLVM, whose libc++ headers it uses too.
include(${CMAKE_CURRENT_LIST_DIR}/LlvmTools.cmake)
aurivel_find_llvm_tool(AURIVEL_CLANG_CL clang-cl clang)
aurivel_find_llvm_tool(AURIVEL_LLD_LINK lld-link lld)
aurivel_find_llvm_tool(AURIVEL_LLVM_LIB llvm-lib llvm)
aurivel_find_llvm_tool(AURIVEL_LLVM_RC llvm-rc llvm)
aurivel_find_llvm_tool(AURIVEL_LLVM_MT llvm-mt llvm)
set(CMAKE_C_COMPILER ${AURIVEL_CLANG_CL})
set(CMAKE_CXX_COMPILER ${AURIVEL_CLANG_CL})
set(CMAKE_LINKER ${AURIVEL_LLD_LINK})
set(CMAKE_AR ${AURIVEL_LLVM_LIB})
set(CMAKE_RC_COMPILER ${AURIVEL_LLVM_RC})
set(CMAKE_MT ${AURIVEL_LLVM_MT})

set(AURIVEL_WINE_INCLUDE /usr/include/wine/wine)
set(AURIVEL_WINE_IMPORT_LIBS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
set(AURIVEL_LIBCXX_INCLUDE ${AURIVEL_LLVM_PREFIX}/include/c++/v1)
foreach(dir ${AURIVEL_WINE_INCLUDE}/msvcrt ${AURIVEL_WINE_INCLUDE}/windows ${AURIVEL_WINE_IMPORT_LIBS}
            ${AURIVEL_LIBCXX_INCLUDE})
  if(NOT IS_DIRECTORY ${dir})
    message(FATAL_ERROR "${dir} not found: install wine64-tools and libc++-${AURIVEL_LLVM_MAJOR}-dev (scripts/setup.sh windows)")
  endif()
endforeach()
get_filename_component(AURIVEL_MSVC_RUNTIME_INCLUDE ${CMAKE_CURRENT_LIST_DIR}/../standin/msvc_runtime/include ABSOLUTE)

# Where the links see Wine's import libraries under the names that MSVC's
# linker looks for (kernel32.lib, ucrt.lib, ...): the project lays the folder
# out when it is configured (cmake/WindowsImportLibraries.cmake), as a
# toolchain file is read again for every compiler check and makes nothing.
set(AURIVEL_WINDOWS_LIBS ${CMAKE_BINARY_DIR}/windows-import-libs)

# Wine's C runtime and Windows headers, which cmake/MaxSdk.cmake also lets
# the SDK's headers name in Windows' spelling.
set(AURIVEL_WINDOWS_HEADER_DIRS ${AURIVEL_WINE_INCLUDE}/msvcrt ${AURIVEL_WINE_INCLUDE}/windows)
set(_system_includes "/imsvc ${AURIVEL_LIBCXX_INCLUDE} /imsvc ${AURIVEL_MSVC_RUNTIME_INCLUDE}")
foreach(dir IN LISTS AURIVEL_WINDOWS_HEADER_DIRS)
  string(APPEND _system_includes " /imsvc ${dir}")
endforeach()
set(_definitions "-DWINE_UNICODE_NATIVE -D_UCRT -D_LIBCPP_NO_VCRUNTIME -D_LIBCPP_DISABLE_EXTERN_TEMPLATE")
string(APPEND _definitions " -D_LIBCPP_DISABLE_VISIBILITY_ANNOTATIONS -D_LIBCPP_NO_AUTO_LINK")
string(APPEND _definitions " -D_InterlockedCompareExchange128=__wine_InterlockedCompareExchange128")
set(CMAKE_C_FLAGS_INIT "/X ${_system_includes} ${_definitions}")
set(CMAKE_CXX_FLAGS_INIT "/X ${_system_includes} ${_definitions}")
# Where resource scripts find winres.h (cmake/PluginModule.cmake).
set(AURIVEL_RC_SYSTEM_INCLUDE_DIRS ${AURIVEL_MSVC_RUNTIME_INCLUDE} ${AURIVEL_WINE_INCLUDE}/windows)
# The start-up library that clang-cl names (msvcrt.lib) is the stand-in's
# runtime, which the project links explicitly; oldnames.lib (POSIX names
# for C runtime functions) is not used.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT
    "/LIBPATH:${AURIVEL_WINDOWS_LIBS} /NODEFAULTLIB:msvcrt.lib /NODEFAULTLIB:oldnames.lib")
endforeach()
# The compiler checks cannot link a program before that runtime is built.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Test programs run under Wine, in a prefix of their own inside the build
# tree, so that a build never touches the user's ~/.wine.
get_filename_component(AURIVEL_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../scripts/run-under-wine.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${AURIVEL_WINE_RUNNER} ${CMAKE_BINARY_DIR}/wine-prefix)

# Programs and modules link the stand-in's runtime, which names the UCRT.
set(AURIVEL_MSVC_RUNTIME_STANDIN ON)
