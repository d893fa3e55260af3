#include "startup.h"

// The linker sorts the .CRT sections by the letters after '$', so these
// markers enclose every initialiser that the compiler emits into .CRT$XCU
// and .CRT$XIU.
#pragma section(".CRT$XIA", long, read)
#pragma section(".CRT$XIZ", long, read)
#pragma section(".CRT$XCA", long, read)
#pragma section(".CRT$XCZ", long, read)
extern "C" {
__declspec(allocate(".CRT$XIA")) _PIFV __xi_a[] = {nullptr};
__declspec(allocate(".CRT$XIZ")) _PIFV __xi_z[] = {nullptr};
__declspec(allocate(".CRT$XCA")) _PVFV __xc_a[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) _PVFV __xc_z[] = {nullptr};

// Code that uses floating point refers to this symbol.
int _fltused = 0x9875;
}

namespace msvc_runtime {
namespace {

_onexit_table_t moduleExitTable;
bool moduleHasExitTable = false;

}  // namespace

bool RunInitializers() {
    if (_initterm_e(__xi_a, __xi_z) != 0) return false;
    _initterm(__xc_a, __xc_z);
    return true;
}

void UseModuleExitTable() {
    _initialize_onexit_table(&moduleExitTable);
    moduleHasExitTable = true;
}

void RunModuleExitHandlers() { _execute_onexit_table(&moduleExitTable); }

}  // namespace msvc_runtime

extern "C" int __cdecl atexit(_PVFV handler) {
    if (msvc_runtime::moduleHasExitTable)
        return _register_onexit_function(&msvc_runtime::moduleExitTable, reinterpret_cast<_onexit_t>(handler));
    return _crt_atexit(handler);
}
