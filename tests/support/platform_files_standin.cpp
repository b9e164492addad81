// The kernel32 file tests' platform on Linux: POSIX calls, independent of the stand-in under test.
#include <sys/stat.h>
#include <unistd.h>

#include "support/platform_files.h"

namespace platform {

std::string makePipe(const std::string &folder) {
  std::string fifo = folder + "/pipe";
  return mkfifo(fifo.c_str(), 0644) == 0 ? fifo : std::string();
}

std::string characterDevice() { return "/dev/null"; }

// A file system that supports holes (tmpfs, ext4) makes the new part one.
bool resizeFile(const std::string &path, std::uint64_t size) {
  return truncate(path.c_str(), static_cast<off_t>(size)) == 0;
}

bool wineRunsAsRoot() { return false; }

}  // namespace platform
