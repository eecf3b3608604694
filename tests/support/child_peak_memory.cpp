// Runs work in a forked child and measures the child's peak memory.
#include "support/child_peak_memory.h"

#include <chrono>
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvek::test {

namespace {

// A size line of /proc/self/status, KiB.
long statusKiB(const std::string& name)
{
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(name, 0) == 0)
      return std::stol(line.substr(name.size()));
  return 0;
}

} // namespace

ChildRun runInChild(const std::function<bool()>& work)
{
  int channel[2];
  if (::pipe(channel) != 0)
    return {};
  const pid_t child = ::fork();
  if (child < 0)
    return {};
  if (child == 0) {
    ::close(channel[0]);
    ChildRun run;
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    run.answer = work();
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKiB = statusKiB("VmHWM:") - before;
    run.ended = true;
    static_cast<void>(::write(channel[1], &run, sizeof run));
    ::_exit(0);
  }
  ::close(channel[1]);
  ChildRun run;
  if (::read(channel[0], &run, sizeof run) != static_cast<ssize_t>(sizeof run))
    run = {};
  ::close(channel[0]);
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) == child)
    run.maxRssKiB = usage.ru_maxrss;
  return run;
}

} // namespace tarvek::test
