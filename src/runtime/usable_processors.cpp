// How many processors this thread may run on.
#include "runtime/usable_processors.h"

#include <sched.h>

#include <cerrno>

#include <algorithm>
#include <thread>

namespace tarvek {

unsigned usableProcessors()
{
  // A fixed cpu_set_t holds 1024 processors; larger machines need a larger
  // set, grown until the system accepts it.
  for (int processors = CPU_SETSIZE; processors <= (1 << 16); processors *= 2) {
    cpu_set_t* const set = CPU_ALLOC(processors);
    if (set == nullptr)
      break;
    const std::size_t bytes = CPU_ALLOC_SIZE(processors);
    CPU_ZERO_S(bytes, set);
    const bool known = sched_getaffinity(0, bytes, set) == 0;
    const int count = known ? CPU_COUNT_S(bytes, set) : 0;
    CPU_FREE(set);
    if (known)
      return static_cast<unsigned>(std::max(count, 1));
    if (errno != EINVAL)
      break;
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

} // namespace tarvek
