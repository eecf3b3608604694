// A few threads that run one task after another side by side.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvek {

// The calling thread and size() - 1 threads of the team's own, which live as
// long as the team: as many as asked for, or fewer when the system starts
// no more. run() gives every member the same task with its number, 0 for
// the calling thread, and returns once all of them have ended it; a team of
// one runs the task on the calling thread alone. Made and used on one
// thread; not for tasks that start a run of their own.
class WorkTeam {
public:
  explicit WorkTeam(unsigned size);
  ~WorkTeam();
  WorkTeam(const WorkTeam&) = delete;
  WorkTeam& operator=(const WorkTeam&) = delete;

  unsigned size() const { return static_cast<unsigned>(m_threads.size()) + 1; }

  // Runs task(0) .. task(size() - 1) at once. An exception thrown by a task
  // is rethrown here once all have ended (the calling thread's first).
  void run(const std::function<void(unsigned)>& task);

  // Items [0, count) cut into `parts` runs of near equal length: the first
  // item of run `part` (part = parts gives count).
  static std::size_t partStart(std::size_t count, unsigned part, unsigned parts)
  {
    return count / parts * part + count % parts * part / parts;
  }
  // The same cut into size() runs.
  std::size_t partStart(std::size_t count, unsigned part) const
  {
    return partStart(count, part, size());
  }

private:
  void serve(unsigned member);

  std::vector<std::thread> m_threads;
  std::mutex m_mutex;
  std::condition_variable m_start;
  std::condition_variable m_end;
  const std::function<void(unsigned)>* m_task = nullptr;
  std::uint64_t m_round = 0;
  unsigned m_running = 0;
  bool m_closing = false;
  std::exception_ptr m_error;
};

} // namespace tarvek
