// The main of a generator of a checked-in table: it writes to the file its
// one argument names, or to standard output without one.
#pragma once

#include <cstdio>
#include <exception>
#include <functional>

namespace aurivel::table_generator {

// Runs `write` on the output; a failure to open or write it, or an exception
// from `write`, is reported on standard error with exit status 1.
inline int Run(int argc, char** argv, const char* name, const std::function<void(std::FILE*)>& write) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [output file]\n", name);
        return 2;
    }
    std::FILE* out = argc == 2 ? std::fopen(argv[1], "w") : stdout;
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    try {
        write(out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", name, e.what());
        return 1;
    }
    if (std::ferror(out) != 0 || (out != stdout && std::fclose(out) != 0)) {
        std::fprintf(stderr, "%s: writing failed\n", name);
        return 1;
    }
    return 0;
}

}  // namespace aurivel::table_generator
