#pragma once
// A failed check in a fuzz target: prints the condition and the input's detail, then aborts so
// libFuzzer (or the standalone driver) keeps the input as a finding.
#include <QString>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", __FILE__, __LINE__, #condition,                      \
                         QString(detail).toLocal8Bit().constData());                                                   \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
