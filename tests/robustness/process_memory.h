#pragma once
// Memory of a process and every process it started (the HTML view's renderer and GPU processes),
// read from /proc as proportional set size: a page shared by several processes (the engine's
// libraries, say) counts once in their sum, split among them, where resident sizes would count it
// in every process.
#include <cstdint>

struct ProcessMemory {
    std::int64_t ownKb = 0;  // the process itself
    std::int64_t childrenKb = 0;  // its descendants
    int children = 0;
    // Of the total, the anonymous and shared-memory pages: what the processes allocated. The rest
    // maps files (libraries, fonts), whose share moves as unrelated programs map the same files.
    std::int64_t allocatedKb = 0;
    std::int64_t ownAllocatedKb = 0;  // the part of it that is the process's own
    std::int64_t totalKb() const { return ownKb + childrenKb; }
};

// Of the given process, or of this one when pid is 0.
ProcessMemory MeasureProcessMemory(std::int64_t pid = 0);
