// The checks of the fuzz targets. A failed check names what broke and aborts, so libFuzzer
// keeps the input as a crash and ./test fails on it.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

[[noreturn]] inline void fuzz_fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzz_fail(what, __FILE__, __LINE__);                                                   \
    } while (0)

inline bool all_finite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}
