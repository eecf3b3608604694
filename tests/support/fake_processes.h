#pragma once

#include "platform/processes.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tarvek::test {

// Outside programs from a script. findExecutable answers from `installed`
// (name to full path; others are missing); startDetached and startWatched
// record and answer `detachedStarts`; run answers the scripted results in order, and a run
// without one fails the current test and reports a failed start. onRun, when
// set, is called with each run before its answer, so a test can write the
// files the program would leave.
class FakeProcesses : public Processes {
public:
  struct Call {
    std::string program;
    std::vector<std::string> args;
    std::string folder;
    std::string waitText;
    bool detached = false;
  };

  void answerRun(ProcessResult result) { m_results.push_back(std::move(result)); }

  std::string findExecutable(const std::string& name) override;
  bool startDetached(const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder) override;
  bool startWatched(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder,
                    std::function<void(const std::string&)> onError) override;
  ProcessResult run(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder, const std::string& waitText) override;

  std::map<std::string, std::string> installed;
  bool detachedStarts = true;
  std::vector<Call> calls;
  std::function<void(const Call&)> onRun;
  // The error callback of the last watched start, for a test to call.
  std::function<void(const std::string&)> watchedError;

private:
  std::deque<ProcessResult> m_results;
};

} // namespace tarvek::test
