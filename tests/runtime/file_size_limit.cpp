#include "file_size_limit.h"

#include <csignal>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvek::test {

std::optional<std::string> runWithFileSizeLimit(long limitBytes,
                                                const std::function<std::string()>& body)
{
  int pipeFds[2];
  if (::pipe(pipeFds) != 0)
    return std::nullopt;
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    return std::nullopt;
  }
  if (child == 0) {
    ::close(pipeFds[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{static_cast<rlim_t>(limitBytes), static_cast<rlim_t>(limitBytes)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
      ::_exit(2);
    std::string answer = body();
    const char* p = answer.data();
    std::size_t left = answer.size();
    while (left > 0) {
      ssize_t n = ::write(pipeFds[1], p, left);
      if (n <= 0)
        ::_exit(3);
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string answer;
  char block[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], block, sizeof block)) > 0;)
    answer.append(block, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  return answer;
}

} // namespace tarvek::test
