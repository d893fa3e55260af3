// Keeps a target's inputs within what the reader it drives accepts of a file:
// LLVMFuzzerInitialize adds -max_len=<limit> to libFuzzer's arguments, which
// it reads after that call, unless a length within the limit is given.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

namespace aurivel_fuzz {

inline bool GivesLengthWithin(const std::string& arg, size_t limit) {
    const std::string flag = "-max_len=";
    if (arg.compare(0, flag.size(), flag) != 0) return false;
    const unsigned long long length = std::strtoull(arg.c_str() + flag.size(), nullptr, 10);
    return length > 0 && length <= limit;  // 0 lets libFuzzer choose
}

inline void LimitInputLength(int* argc, char*** argv, size_t limit) {
    for (int i = 1; i < *argc; ++i) {
        if (GivesLengthWithin((*argv)[i], limit)) return;
    }
    static std::string flag;
    static std::vector<char*> args;
    flag = "-max_len=" + std::to_string(limit);
    args.assign(*argv, *argv + *argc);
    args.push_back(flag.data());
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size() - 1);
    *argv = args.data();
}

}  // namespace aurivel_fuzz
