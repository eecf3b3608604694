// Fixed heap thresholds in place of the C library's sliding ones.
#include "runtime/heap_policy.h"

#include <malloc.h>

namespace tarvek {

namespace {

// The largest mapping threshold the C library takes on 64-bit systems.
constexpr int kMapFromBytes = 32 << 20;
constexpr int kTrimFromBytes = 256 << 20;

} // namespace

// By default the C library maps every block above 128 KiB on its own,
// raises that bound only after such a block is freed, and hands the top of
// its heap back once 128 KiB of it are free. The GL driver frees and
// allocates its display lists anew on every compile, and so, with the
// defaults, met fresh memory each time: 0.16 page faults an atom on a warm
// compile of 10^5 atoms, about none with these bounds. The cost is up to
// 256 MiB of freed heap kept, which a model large enough to need it holds
// several times over.
void keepFreedHeapMemory()
{
  ::mallopt(M_MMAP_THRESHOLD, kMapFromBytes);
  ::mallopt(M_TRIM_THRESHOLD, kTrimFromBytes);
}

} // namespace tarvek
