// The Universal CRT's <time.h> defines struct timespec (C11), which libc++'s
// thread support uses; Wine's does not.
#pragma once

#include_next <time.h>

struct timespec {
    time_t tv_sec;
    long tv_nsec;
};
