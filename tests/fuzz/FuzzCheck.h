#pragma once
// What the fuzz targets share: a check that stops the run with the input saved.

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input; libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)
