// Saves watched from outside: in this process, or in a forked child of it.
#include "tests/app/save_test.h"

#include <grp.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include "resources/resource.h"
#include "tests/support/quoted.h"

std::string SaveTest::holding(const std::string &file) const {
  std::string bytes = readFile(file);
  return bytes == before ? "old" : bytes == after ? "new" : std::to_string(bytes.size()) + " bytes of neither";
}

void SaveTest::openAndEdit(const std::string &file) {
  ASSERT_TRUE(start(quotedPath(file)));
  type("12");
  key(VK_END, true);
  type("34");
}

bool SaveTest::save(const Setup &setup, const posix_faults::Fault &fault) {
  size_t shown = dialogs.size();
  answerWith(IDOK);  // the warning, if one comes
  {
    posix_faults::Injector injector(fault);
    if (setup) setup(injector);
    command(IDM_SAVE);
  }
  answers.clear();
  return dialogs.size() > shown;
}

std::vector<std::string> SaveTest::callsOfASave(const Setup &setup) {
  std::vector<std::string> calls;
  save([&](posix_faults::Injector &injector) {
    if (setup) setup(injector);
    injector.beforeCall = [&calls](const char *call, int) { calls.push_back(call); };
  });
  return calls;
}

void SaveTest::close() {
  answers.clear();
  closing = true;
  quit();
  closing = false;
}

SaveTest::Outcome SaveTest::saveInChild(const std::function<bool()> &enter, const Setup &setup) {
  fflush(nullptr);  // nothing buffered is printed twice
  pid_t child = fork();
  if (child == 0) {
    alarm(30);  // a child that hangs ends rather than hold up the suite
    if (enter && !enter()) _exit(64);
    bool told = save(setup);
    bool greyed = menuState(IDM_SAVE) & MF_GRAYED;
    _exit((told ? 1 : 0) | (greyed ? 2 : 0));
  }
  Outcome outcome;
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    ADD_FAILURE() << "the child could not be started or waited for";
    return outcome;
  }
  if (WIFSIGNALED(status)) {
    outcome.entered = true;
    outcome.signal = WTERMSIG(status);
    return outcome;
  }
  int code = WEXITSTATUS(status);
  outcome.entered = code != 64;
  outcome.told = code & 1;
  outcome.greyed = code & 2;
  return outcome;
}

bool becomeUser(uid_t uid, gid_t gid, const std::vector<gid_t> &groups) {
  return setgroups(groups.size(), groups.data()) == 0 && setresgid(gid, gid, gid) == 0 &&
         setresuid(uid, uid, uid) == 0;
}

struct stat entryOf(const std::string &path) {
  struct stat entry {};
  if (lstat(path.c_str(), &entry) != 0) entry = {};
  return entry;
}
