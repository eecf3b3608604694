// The terminating signals turned into a call in the event loop, with a
// watchdog for a main thread that cannot take the call.
#include "platform/quit_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <exception>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
// Written to the watchdog's pipe by the destructor: the program ends normally.
constexpr char kStopWatch = 0;

volatile sig_atomic_t g_writeEnd = -1;
volatile sig_atomic_t g_watchEnd = -1;

void onSignal(int number)
{
  const int saved = errno;
  const char byte = static_cast<char>(number);
  if (g_writeEnd >= 0)
    static_cast<void>(::write(g_writeEnd, &byte, 1));
  if (g_watchEnd >= 0)
    static_cast<void>(::write(g_watchEnd, &byte, 1));
  errno = saved;
}

void setAction(void (*handler)(int))
{
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals)
    ::sigaction(number, &action, nullptr);
}

// Reads one byte, waiting at most timeoutMs (-1: for ever); -1 on time-out.
int readByte(int fd, int timeoutMs)
{
  pollfd entry{fd, POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&entry, 1, timeoutMs);
    if (ready < 0 && errno == EINTR)
      continue;
    if (ready <= 0)
      return -1;
    char byte = 0;
    const ssize_t got = ::read(fd, &byte, 1);
    if (got == 1)
      return static_cast<unsigned char>(byte);
    if (got < 0 && (errno == EINTR || errno == EAGAIN))
      continue;
    return kStopWatch;
  }
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> onSignalCall, std::chrono::milliseconds deadline)
    : m_onSignal(std::move(onSignalCall))
{
  if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return;
  if (::pipe2(m_watchPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
    m_pipe[0] = m_pipe[1] = -1;
    return;
  }
  m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::drain);
  // The watchdog starts with the signals blocked, so they always go to the
  // other threads: a main thread waiting in a system call sees them.
  sigset_t quitSignals;
  sigset_t previous;
  sigemptyset(&quitSignals);
  for (int number : kSignals)
    sigaddset(&quitSignals, number);
  ::pthread_sigmask(SIG_BLOCK, &quitSignals, &previous);
  try {
    m_watchdog = std::thread([this, deadline] { watch(deadline); });
  } catch (const std::exception&) {
    // Without its watchdog the program keeps the system's handling of the
    // signals, as when the pipes cannot be made.
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    for (int* fd : {&m_pipe[0], &m_pipe[1], &m_watchPipe[0], &m_watchPipe[1]}) {
      ::close(*fd);
      *fd = -1;
    }
    return;
  }
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  g_writeEnd = m_pipe[1];
  g_watchEnd = m_watchPipe[1];
  setAction(onSignal);
}

QuitSignals::~QuitSignals()
{
  if (m_pipe[0] < 0)
    return;
  setAction(SIG_DFL);
  g_writeEnd = -1;
  g_watchEnd = -1;
  static_cast<void>(::write(m_watchPipe[1], &kStopWatch, 1));
  m_watchdog.join();
  delete m_notifier;
  for (int fd : {m_pipe[0], m_pipe[1], m_watchPipe[0], m_watchPipe[1]})
    ::close(fd);
}

void QuitSignals::setLastRites(std::function<void()> lastRites)
{
  const std::lock_guard<std::mutex> hold(m_lastRitesLock);
  m_lastRites = std::move(lastRites);
}

void QuitSignals::watch(std::chrono::milliseconds deadline)
{
  const int first = readByte(m_watchPipe[0], -1);
  if (first <= kStopWatch)
    return;
  const int second = readByte(m_watchPipe[0], static_cast<int>(deadline.count()));
  if (second == kStopWatch)
    return;
  {
    const std::lock_guard<std::mutex> hold(m_lastRitesLock);
    if (m_lastRites)
      m_lastRites();
  }
  // Ends the process the way the signal would have without a handler.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(first, &action, nullptr);
  ::kill(::getpid(), first);
  ::_exit(128 + first);
}

void QuitSignals::drain()
{
  char bytes[64];
  bool any = false;
  while (::read(m_pipe[0], bytes, sizeof bytes) > 0)
    any = true;
  if (!any)
    return;
  m_received = true;
  if (m_onSignal)
    m_onSignal();
}

} // namespace tarvek
