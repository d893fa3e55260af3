# LLVM's C library (AURIVEL_LLVM_LIBC_ARCHIVE, cmake/Dependencies.cmake) ships a
# correctly rounded powf,
# the peer of the map's power in the benchmarks and a second oracle in its
# tests. The archive's powf object also defines the plain C symbol powf, which
# would replace the C library's in every program that links it, and reaches
# LLVM's tables through relocations that a shared module cannot take. So its
# three objects are joined into one with every symbol local but the C++ powf
# in LLVM's versioned namespace. Defines the target llvm_libc_powf, whose
# users see that namespace as AURIVEL_LLVM_LIBC_NAMESPACE.

execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${AURIVEL_LLVM_LIBC_ARCHIVE}
  OUTPUT_VARIABLE _llvm_libc_symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
if(NOT _llvm_libc_symbols MATCHES " T (_ZN[0-9]+(__llvm_libc_[0-9a-z_]+)4powfEff)\n")
  message(FATAL_ERROR "no C++ powf in ${AURIVEL_LLVM_LIBC_ARCHIVE}")
endif()
set(_llvm_powf_symbol ${CMAKE_MATCH_1})
set(_llvm_libc_namespace ${CMAKE_MATCH_2})

set(_dir ${PROJECT_BINARY_DIR}/llvm_libc_powf)
set(_objects powf.cpp.o libc_errno.cpp.o common_constants.cpp.o)
file(MAKE_DIRECTORY ${_dir})
execute_process(COMMAND ${CMAKE_AR} x ${AURIVEL_LLVM_LIBC_ARCHIVE} ${_objects}
  WORKING_DIRECTORY ${_dir} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_LINKER} -r -o joined.o ${_objects}
  WORKING_DIRECTORY ${_dir} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_OBJCOPY} --keep-global-symbol=${_llvm_powf_symbol} joined.o powf.o
  WORKING_DIRECTORY ${_dir} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${_dir}/libllvm_libc_powf.a)
execute_process(COMMAND ${CMAKE_AR} rcs libllvm_libc_powf.a powf.o
  WORKING_DIRECTORY ${_dir} COMMAND_ERROR_IS_FATAL ANY)

add_library(llvm_libc_powf STATIC IMPORTED GLOBAL)
set_target_properties(llvm_libc_powf PROPERTIES
  IMPORTED_LOCATION ${_dir}/libllvm_libc_powf.a
  INTERFACE_COMPILE_DEFINITIONS AURIVEL_LLVM_LIBC_NAMESPACE=${_llvm_libc_namespace})
