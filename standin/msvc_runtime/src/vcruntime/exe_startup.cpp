// The entry point of a console program: arguments and environment from the
// C runtime, static objects constructed, main, and exit, which runs the
// atexit handlers.
#include <stdlib.h>

#include "startup.h"

int main(int argc, char** argv);

extern "C" int mainCRTStartup() {
    msvc_runtime::InitializeSecurityCookie();
    _set_app_type(_crt_console_app);
    if (_configure_narrow_argv(_crt_argv_unexpanded_arguments) != 0 || _initialize_narrow_environment() != 0 ||
        !msvc_runtime::RunInitializers())
        _exit(255);
    exit(main(*__p___argc(), *__p___argv()));
}
