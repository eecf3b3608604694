#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarvek {

// How a waited-for outside program ended.
struct ProcessResult {
  enum class Outcome { Finished, FailedToStart, Cancelled };

  Outcome outcome = Outcome::Finished;
  // The program's exit code when it finished; -1 when a signal ended it.
  int exitCode = 0;
  // Why the program did not start, or how it ended abnormally.
  std::string message;

  static ProcessResult finished(int code, std::string why = {})
  {
    return {Outcome::Finished, code, std::move(why)};
  }
  static ProcessResult failedToStart(std::string why) { return {Outcome::FailedToStart, 0, std::move(why)}; }
  static ProcessResult cancelled() { return {Outcome::Cancelled, 0, {}}; }

  bool succeeded() const { return outcome == Outcome::Finished && exitCode == 0; }
};

// Starts outside programs with argument lists, never through a shell.
class Processes {
public:
  virtual ~Processes() = default;

  // Full path of a program found on PATH, or "" when there is none.
  virtual std::string findExecutable(const std::string& name) = 0;

  // Starts the program and returns at once; false when it could not start.
  // An empty folder keeps the current folder.
  virtual bool startDetached(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder) = 0;

  // Starts the program and returns at once, like startDetached, but keeps
  // an eye on it: when it ends with an exit code other than 0 or by a
  // signal, onError gets the last lines it wrote to its error output (or
  // how it ended). False when it could not start.
  virtual bool startWatched(const std::string& program, const std::vector<std::string>& args,
                            const std::string& folder,
                            std::function<void(const std::string&)> onError) = 0;

  // Starts the program and waits for its end while the window stays alive,
  // showing waitText with a Cancel button. Cancel ends the program.
  virtual ProcessResult run(const std::string& program, const std::vector<std::string>& args,
                            const std::string& folder, const std::string& waitText) = 0;
};

} // namespace tarvek
