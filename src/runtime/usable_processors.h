// How many processors this thread may run on.
#pragma once

namespace tarvek {

// The processors in the calling thread's affinity mask (what `taskset` or a
// container's CPU set leaves it), at least 1. A work team sized by the
// machine's count instead would put several threads on one processor, each
// waiting for the others. The machine's count stands in where the system
// cannot tell the mask.
unsigned usableProcessors();

} // namespace tarvek
