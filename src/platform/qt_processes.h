#pragma once

#include "platform/processes.h"

namespace tarvek {

// Outside programs through QProcess. While run() waits, a modal progress
// dialog keeps the window painted and offers Cancel; Cancel sends SIGTERM
// and, when the program is still there after killDelayMs, SIGKILL. run()
// returns only once the program has ended. The program's output goes to
// ours; its input is empty.
class QtProcesses : public Processes {
public:
  explicit QtProcesses(int killDelayMs = 3000) : m_killDelayMs(killDelayMs) {}

  std::string findExecutable(const std::string& name) override;
  bool startDetached(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override;
  bool startWatched(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder,
                    std::function<void(const std::string&)> onError) override;
  ProcessResult run(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder, const std::string& waitText) override;

private:
  int m_killDelayMs;
};

} // namespace tarvek
