#include "support/run_tool.h"

#include "support/require_tool.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvek::test {

namespace {

void closeBoth(int fds[2])
{
  ::close(fds[0]);
  ::close(fds[1]);
}

} // namespace

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   std::chrono::seconds timeout, const std::string& workingDir)
{
  ToolResult result;
  const std::string path = findTool(program);
  if (path.empty()) {
    result.err = program + ": not found";
    return result;
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const auto& a : args)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int outPipe[2];
  int errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0)
    return result;
  if (::pipe2(errPipe, O_CLOEXEC) != 0) {
    closeBoth(outPipe);
    return result;
  }
  pid_t child = ::fork();
  if (child < 0) {
    closeBoth(outPipe);
    closeBoth(errPipe);
    return result;
  }
  if (child == 0) {
    int devNull = ::open("/dev/null", O_RDONLY);
    ::dup2(devNull, 0);
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    if (!workingDir.empty() && ::chdir(workingDir.c_str()) != 0)
      ::_exit(127);
    ::execv(path.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  while (open > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timedOut = true;
      ::kill(child, SIGKILL);
      break;
    }
    int ready = ::poll(fds, 2, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR)
      break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0)
        continue;
      char block[4096];
      ssize_t n = ::read(fds[i].fd, block, sizeof block);
      if (n > 0) {
        sinks[i]->append(block, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (auto& f : fds)
    if (f.fd >= 0)
      ::close(f.fd);

  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!result.timedOut && WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  return result;
}

} // namespace tarvek::test
