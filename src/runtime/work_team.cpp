// A few threads that run one task after another side by side.
#include "runtime/work_team.h"

#include <exception>

namespace tarvek {

WorkTeam::WorkTeam(unsigned size)
{
  if (size > 1)
    m_threads.reserve(size - 1);
  // A system out of threads, or out of memory for one, gives a smaller
  // team, not a failed task; the room is reserved, so the threads started
  // are all kept and joined.
  try {
    for (unsigned member = 1; member < size; ++member)
      m_threads.emplace_back([this, member] { serve(member); });
  } catch (const std::exception&) {
  }
}

WorkTeam::~WorkTeam()
{
  {
    const std::lock_guard lock(m_mutex);
    m_closing = true;
  }
  m_start.notify_all();
  for (std::thread& thread : m_threads)
    thread.join();
}

void WorkTeam::run(const std::function<void(unsigned)>& task)
{
  if (m_threads.empty()) {
    task(0);
    return;
  }
  {
    const std::lock_guard lock(m_mutex);
    m_task = &task;
    m_error = nullptr;
    m_running = static_cast<unsigned>(m_threads.size());
    ++m_round;
  }
  m_start.notify_all();
  std::exception_ptr own;
  try {
    task(0);
  } catch (...) {
    own = std::current_exception();
  }
  std::unique_lock lock(m_mutex);
  m_end.wait(lock, [this] { return m_running == 0; });
  m_task = nullptr;
  if (own)
    std::rethrow_exception(own);
  if (m_error)
    std::rethrow_exception(m_error);
}

void WorkTeam::serve(unsigned member)
{
  std::uint64_t done = 0;
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_start.wait(lock, [&] { return m_closing || m_round != done; });
    if (m_closing)
      return;
    done = m_round;
    const std::function<void(unsigned)>& task = *m_task;
    lock.unlock();
    std::exception_ptr error;
    try {
      task(member);
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (error && !m_error)
      m_error = error;
    if (--m_running == 0)
      m_end.notify_one();
  }
}

} // namespace tarvek
