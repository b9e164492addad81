// A child process in a process group of its own, so that it and everything it starts end together.
#ifndef OXBYTE_TESTS_DESKTOP_PROCESS_H
#define OXBYTE_TESTS_DESKTOP_PROCESS_H

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/desktop/wait.h"

namespace desktop {

// Changes to this process's environment: a value sets a variable, nullopt removes it.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

struct SpawnRequest {
  std::vector<std::string> argv;
  EnvironmentChanges environment;
  std::string outputPath;  // stdout and stderr together; empty: /dev/null
  std::string workingDirectory;  // empty: this process's
  int inheritedFd = -1;    // one descriptor the child keeps open (Xvfb's -displayfd)
};

class ChildProcess {
 public:
  ChildProcess() = default;
  explicit ChildProcess(const SpawnRequest &request);
  ChildProcess(ChildProcess &&other) noexcept;
  ChildProcess &operator=(ChildProcess &&other) noexcept;
  ~ChildProcess();

  pid_t pid() const { return pid_; }
  bool running();
  // The exit status (128 + the signal for a signalled end), or nullopt if it is still running then.
  std::optional<int> waitForExit(Millis timeout);
  // Ends the whole group: SIGTERM, then SIGKILL if it lingers.
  void stop();

 private:
  bool reap(bool block);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace desktop

#endif
