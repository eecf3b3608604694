// Runs work in a forked child and measures the child's peak memory.
#include "support/child_peak_memory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvek::test {

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
    run.answer = work();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    run.peakKiB = usage.ru_maxrss;
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
  ::waitpid(child, &status, 0);
  return run;
}

} // namespace tarvek::test
