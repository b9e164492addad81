// The data every figure is measured on, and running other programs.
#include "bench/workspace.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

extern char **environ;

namespace {

// SplitMix64 is counter-based: word k is a function of k alone, so the file can be written a piece at a
// time and hold exactly the bytes of randomBytes() without this process ever holding both.
void fillRandom(uint8_t *out, size_t firstWord, size_t words) {
  for (size_t k = 0; k < words; ++k) {
    uint64_t z = 0x0DDB1A5E5BADDEEDull + (firstWord + k + 1) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    for (int i = 0; i < 8; ++i) out[8 * k + i] = uint8_t(z >> (8 * i));
  }
}

void removeFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(benchFolder(), ignored);
}

}  // namespace

const std::string &benchFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/oxbyte-bench-XXXXXX";
    std::string made = mkdtemp(pattern);
    return made;
  }();
  static const bool cleanedAtExit = std::atexit(removeFolder) == 0;
  (void)cleanedAtExit;
  return folder;
}

const std::vector<uint8_t> &randomBytes() {
  static const std::vector<uint8_t> bytes = [] {
    std::vector<uint8_t> b(size_t(DOCUMENT_SIZE) + 7);
    fillRandom(b.data(), 0, b.size() / 8);
    b.resize(size_t(DOCUMENT_SIZE));
    return b;
  }();
  return bytes;
}

const std::string &randomFile() {
  static const std::string path = [] {
    std::string p = benchFolder() + "/document.bin";
    std::ofstream file(p, std::ios::binary);
    constexpr size_t chunkWords = 8192;
    std::vector<uint8_t> chunk(8 * chunkWords);
    for (size_t word = 0, left = size_t(DOCUMENT_SIZE); left > 0; word += chunkWords) {
      fillRandom(chunk.data(), word, chunkWords);
      size_t n = left < chunk.size() ? left : chunk.size();
      file.write(reinterpret_cast<const char *>(chunk.data()), std::streamsize(n));
      left -= n;
    }
    return p;
  }();
  return path;
}

bool runProgram(const std::vector<std::string> &arguments, std::string *output) {
  int pipeEnds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output) {
    if (pipe(pipeEnds) != 0) return false;
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  }
  std::vector<char *> argv;
  for (const std::string &a : arguments) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (output) {
    close(pipeEnds[1]);
    char buffer[4096];
    for (ssize_t n; spawned == 0 && (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) output->append(buffer, size_t(n));
    close(pipeEnds[0]);
  }
  if (spawned != 0) return false;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ownFolder() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

int64_t monotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}
