// Running a piece of a test on a thread held to a few processors.
#pragma once

#include <sched.h>

#include <functional>
#include <thread>
#include <vector>

namespace tarvek::test {

// The processors the calling thread may run on, by number.
inline std::vector<int> allowedProcessors()
{
  cpu_set_t set;
  CPU_ZERO(&set);
  std::vector<int> cpus;
  if (sched_getaffinity(0, sizeof set, &set) != 0)
    return cpus;
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
    if (CPU_ISSET(cpu, &set))
      cpus.push_back(cpu);
  return cpus;
}

// Runs body on a new thread whose affinity mask holds the given processors
// alone, as `taskset -c` would give it; false when the system refused the
// mask (body then does not run). The test's own thread keeps its mask.
inline bool runOnProcessors(const std::vector<int>& cpus, const std::function<void()>& body)
{
  bool masked = false;
  std::thread([&] {
    cpu_set_t set;
    CPU_ZERO(&set);
    for (const int cpu : cpus)
      CPU_SET(cpu, &set);
    masked = sched_setaffinity(0, sizeof set, &set) == 0;
    if (masked)
      body();
  }).join();
  return masked;
}

} // namespace tarvek::test
