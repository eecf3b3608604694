// The terminating signals turned into a call in the event loop.
#include "platform/quit_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace tarvek {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

volatile sig_atomic_t g_writeEnd = -1;

void onSignal(int number)
{
  const int saved = errno;
  const char byte = static_cast<char>(number);
  if (g_writeEnd >= 0)
    static_cast<void>(::write(g_writeEnd, &byte, 1));
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

} // namespace

QuitSignals::QuitSignals(std::function<void()> onSignalCall) : m_onSignal(std::move(onSignalCall))
{
  if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return;
  m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::drain);
  g_writeEnd = m_pipe[1];
  setAction(onSignal);
}

QuitSignals::~QuitSignals()
{
  if (m_pipe[0] < 0)
    return;
  setAction(SIG_DFL);
  g_writeEnd = -1;
  delete m_notifier;
  ::close(m_pipe[0]);
  ::close(m_pipe[1]);
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
