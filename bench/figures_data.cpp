// Figures of the program's pure routines over 16,777,215 bytes: Find and Save, each beside its baseline.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "bench/find_family.h"
#include "bench/workspace.h"
#include "document/search.h"
#include "document/file_access.h"
#include "kernel32/posix.h"

namespace {

int32_t plainScan(const uint8_t *data, int32_t size, const std::string &needle) {
  return ::plainScan(data, size, reinterpret_cast<const uint8_t *>(needle.data()), int32_t(needle.size()));
}

// The worst case of the simple scan: a document of "A"s, and 253 "A"s then a "B" that is never found,
// so almost every offset compares the whole needle.
const std::vector<uint8_t> &allA() {
  static const std::vector<uint8_t> bytes(size_t(DOCUMENT_SIZE), 'A');
  return bytes;
}

const std::string worstNeedle = std::string(253, 'A') + "B";

// Needles ending in the byte the document is made of: a search keyed on the needle's last byte finds a
// candidate at every offset, and the comparison fails at the first byte, or only half-way through.
const std::string leadingNeedle = "B" + std::string(253, 'A');
const std::string middleNeedle = std::string(126, 'A') + "B" + std::string(127, 'A');

// Four bytes (none zero, so they can be typed as text) that occur nowhere in the random document.
const std::string &absentNeedle() {
  static const std::string needle = [] {
    const std::vector<uint8_t> &data = randomBytes();
    for (uint32_t candidate = 0x5A3C7E21;; candidate += 0x01010101) {
      std::string n(reinterpret_cast<const char *>(&candidate), 4);
      if (n.find('\0') == std::string::npos && !memmem(data.data(), data.size(), n.data(), n.size())) return n;
    }
  }();
  return needle;
}

// The program's Find from before the first byte, as the Find dialog starts it.
void findWith(benchmark::State &state, const std::vector<uint8_t> &data, const std::string &needle) {
  for (auto _ : state) {
    int32_t position = -1;
    findBytes(data.data(), int32_t(data.size()), true, needle.c_str(), position);
    benchmark::DoNotOptimize(position);
    if (position != -1) {
      state.SkipWithError("found a needle that is not there");
      break;
    }
  }
}

void findWorst(benchmark::State &state) { findWith(state, allA(), worstNeedle); }

void plainScanWorst(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(plainScan(allA().data(), DOCUMENT_SIZE, worstNeedle));
}

void findLeading(benchmark::State &state) { findWith(state, allA(), leadingNeedle); }
void findMiddle(benchmark::State &state) { findWith(state, allA(), middleNeedle); }

void plainScanLeading(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(plainScan(allA().data(), DOCUMENT_SIZE, leadingNeedle));
}

void plainScanMiddle(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(plainScan(allA().data(), DOCUMENT_SIZE, middleNeedle));
}

void findRandom(benchmark::State &state) { findWith(state, randomBytes(), absentNeedle()); }

void memmemRandom(benchmark::State &state) {
  const std::vector<uint8_t> &data = randomBytes();
  const std::string &needle = absentNeedle();
  for (auto _ : state) benchmark::DoNotOptimize(memmem(data.data(), data.size(), needle.data(), needle.size()));
}

int noFlush(int) { return 0; }

// The program's Save (a new file beside the document, then put in its place), with the stand-in's fsync
// replaced by a no-op: the figure is the program's own work, not the disk's.
void save(benchmark::State &state) {
  std::string path = benchFolder() + "/saved.bin";
  std::vector<uint8_t> bytes = randomBytes();
  if (!runProgram({"cp", randomFile(), path}, nullptr)) {
    state.SkipWithError("could not copy the document");
    return;
  }
  win32::posix::Calls calls = win32::posix::systemCalls();
  calls.fsync = noFlush;
  win32::posix::Calls previous = win32::posix::replaceCalls(calls);
  for (auto _ : state) {
    uint8_t *data = bytes.data();
    int32_t size = int32_t(bytes.size());
    if (!writeWholeFile(path.c_str(), data, size)) {
      state.SkipWithError("the save failed");
      break;
    }
  }
  win32::posix::replaceCalls(previous);
}

// The baseline of saving: the same bytes written over a file with one write().
void writeFile(benchmark::State &state) {
  std::string path = benchFolder() + "/written.bin";
  const std::vector<uint8_t> &bytes = randomBytes();
  for (auto _ : state) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ssize_t wrote = write(fd, bytes.data(), bytes.size());
    close(fd);
    if (wrote != ssize_t(bytes.size())) {
      state.SkipWithError("short write");
      break;
    }
  }
}

}  // namespace

void registerDataFigures() {
  using benchmark::RegisterBenchmark;
  RegisterBenchmark("find_worst", findWorst)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("plain_scan_worst", plainScanWorst)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(RUNS);
  RegisterBenchmark("find_leading", findLeading)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("plain_scan_leading", plainScanLeading)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(RUNS);
  RegisterBenchmark("find_middle", findMiddle)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("plain_scan_middle", plainScanMiddle)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(RUNS);
  RegisterBenchmark("find_random", findRandom)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("memmem_random", memmemRandom)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("save", save)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("write_file", writeFile)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
}
