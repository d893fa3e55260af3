// What a function of the SDK that the stand-in host does not implement does
// when it is called: it names itself and ends the process, rather than
// return a default that a test could mistake for the host's answer. Defined
// here, so that a module calling it imports nothing for it.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void StandinUnimplemented(const char* function) {
    std::fprintf(stderr, "the stand-in host does not implement %s\n", function);
    std::fflush(stderr);
    std::abort();
}
