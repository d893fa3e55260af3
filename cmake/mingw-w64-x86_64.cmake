# Cross build of the Windows module (x86_64, PE) with mingw-w64, its tests
# run under Wine. The posix flavour of the compilers is the one whose C++
# runtime has std::thread and std::mutex (over winpthreads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(AURIVEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${AURIVEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${AURIVEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${AURIVEL_MINGW_TRIPLE}-windres)

# Libraries and headers come from the target's tree only; programs (objdump,
# python) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${AURIVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

include(${CMAKE_CURRENT_LIST_DIR}/RunUnderWine.cmake)
