// A forked child killed with SIGKILL at the point it names.
#include "support/kill_point.h"

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

namespace tarvek::test {

bool killAtStopPoint(const std::function<void(const std::function<void()>& stop)>& work)
{
  int channel[2];
  if (::pipe(channel) != 0)
    return false;
  const pid_t child = ::fork();
  if (child < 0)
    return false;
  if (child == 0) {
    ::close(channel[0]);
    work([&] {
      const char stopped = 's';
      if (::write(channel[1], &stopped, 1) == 1)
        for (;;)
          ::pause();
    });
    ::_exit(0);
  }
  ::close(channel[1]);
  char stopped = 0;
  const bool atStop = ::read(channel[0], &stopped, 1) == 1;
  ::close(channel[0]);
  if (atStop)
    ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return atStop && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace tarvek::test
