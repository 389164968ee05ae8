// What both Windows benchmarks need besides the shared process and input
// helpers: a clock, and a way out.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

// Ends the benchmark, saying what failed, unless `ok`.
inline void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "%s (error %lu)\n", what, GetLastError());
        std::exit(1);
    }
}

inline double secondsNow() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

}  // namespace bench
