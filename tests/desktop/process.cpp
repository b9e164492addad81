// A child process in a process group of its own.
#include "tests/desktop/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

extern char **environ;

namespace desktop {

namespace {

std::vector<std::string> environmentWith(const EnvironmentChanges &changes) {
  std::vector<std::string> result;
  for (char **entry = environ; *entry; ++entry) {
    std::string line = *entry;
    if (!changes.count(line.substr(0, line.find('=')))) result.push_back(line);
  }
  for (const auto &[name, value] : changes)
    if (value) result.push_back(name + "=" + *value);
  return result;
}

std::vector<char *> pointers(std::vector<std::string> &strings) {
  std::vector<char *> result;
  for (auto &s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// In the child, after fork: only async-signal-safe calls.
[[noreturn]] void becomeChild(char **argv, char **envp, const SpawnRequest &request) {
  setpgid(0, 0);
  const char *output = request.outputPath.c_str();
  if (!request.workingDirectory.empty() && chdir(request.workingDirectory.c_str()) != 0) _exit(126);
  int out = output[0] ? open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644) : open("/dev/null", O_WRONLY);
  int in = open("/dev/null", O_RDONLY);
  if (out < 0 || in < 0) _exit(126);
  dup2(in, 0);
  dup2(out, 1);
  dup2(out, 2);
  if (request.inheritedFd >= 0) fcntl(request.inheritedFd, F_SETFD, 0);
  execvpe(argv[0], argv, envp);
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const SpawnRequest &request) {
  std::vector<std::string> args = request.argv, env = environmentWith(request.environment);
  std::vector<char *> argv = pointers(args), envp = pointers(env);
  pid_ = fork();
  if (pid_ == 0) becomeChild(argv.data(), envp.data(), request);
  if (pid_ > 0) setpgid(pid_, pid_);  // also here, so that stop() never races the child's own call
}

ChildProcess::ChildProcess(ChildProcess &&other) noexcept
    : pid_(std::exchange(other.pid_, -1)), status_(other.status_) {}

ChildProcess &ChildProcess::operator=(ChildProcess &&other) noexcept {
  if (this != &other) {
    stop();
    pid_ = std::exchange(other.pid_, -1);
    status_ = other.status_;
  }
  return *this;
}

ChildProcess::~ChildProcess() { stop(); }

bool ChildProcess::reap(bool block) {
  if (pid_ <= 0 || status_) return true;
  int raw = 0;
  pid_t got = waitpid(pid_, &raw, block ? 0 : WNOHANG);
  if (got != pid_) return false;
  status_ = WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
  return true;
}

bool ChildProcess::running() { return pid_ > 0 && !reap(false); }

std::optional<int> ChildProcess::waitForExit(Millis timeout) {
  if (pid_ <= 0) return std::nullopt;
  waitUntil([&] { return reap(false); }, timeout);
  return status_;
}

void ChildProcess::stop() {
  if (pid_ <= 0) return;
  if (!status_) {
    kill(-pid_, SIGTERM);
    if (!waitUntil([&] { return reap(false); }, 2s)) {
      kill(-pid_, SIGKILL);
      reap(true);
    }
  }
  kill(-pid_, SIGKILL);  // whatever the leader left behind in its group
  pid_ = -1;
}

}  // namespace desktop
