// oxbyte-bench-child [FILE]: a fresh process that starts the program headless (opening FILE when given)
// and processes messages until its first frame is painted and shown, then prints three numbers: the
// monotonic clock in nanoseconds on entering main (the shared libraries loaded) and once the frame is
// shown, and the process's peak resident size in KiB (getrusage's ru_maxrss). It exits 1 when the program did not start or did not open the whole file.
#include <windows.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "app/startup.h"
#include "backend/driver.h"
#include "bench/workspace.h"
#include "document/editor_state.h"

int main(int argc, char **argv) {
  int64_t entered = monotonicNanoseconds();
  win32::backend::useHeadless();
  std::string commandLine = argc > 1 ? "\"" + std::string(argv[1]) + "\"" : "";
  Startup program = startOxbyte(GetModuleHandleA(nullptr), commandLine.c_str(), SW_SHOWNORMAL);
  if (program.frame) handleWaitingMessages(program);
  int64_t painted = monotonicNanoseconds();
  if (!program.frame) return 1;
  struct stat info;
  if (argc > 1 && (stat(argv[1], &info) != 0 || editor.fileSize != info.st_size)) return 1;
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%lld %lld %ld\n", static_cast<long long>(entered), static_cast<long long>(painted), usage.ru_maxrss);
  return 0;
}
