#pragma once
// Resident memory of this process and every process it started (the HTML view's renderer and
// GPU processes), read from /proc.
#include <cstdint>

struct ProcessMemory {
    std::int64_t ownKb = 0;       // this process
    std::int64_t childrenKb = 0;  // its descendants
    int children = 0;
    std::int64_t totalKb() const { return ownKb + childrenKb; }
};

ProcessMemory MeasureProcessMemory();
