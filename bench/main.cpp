// oxbyte-bench: measures Oxbyte's speed figures, each beside a baseline measured in the same run, and
// prints them as one table with PASS or MISS against each target. Arguments are Google Benchmark's own
// (--benchmark_filter=... measures only some figures).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <sstream>

#include "backend/driver.h"
#include "bench/figures.h"
#include "bench/table.h"
#include "bench/workspace.h"

namespace {

// What one fresh process reports, in nanoseconds from just before it was spawned: when its main() was
// entered (its shared libraries loaded) and when its first frame was shown; and its peak resident size.
struct ChildReport {
  bool ok;
  int64_t spawnToMain, spawnToPaint;
  double peakBytes;
};

ChildReport runChild(const std::vector<std::string> &arguments) {
  std::vector<std::string> command{ownFolder() + "/oxbyte-bench-child"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::string output;
  int64_t spawned = monotonicNanoseconds();
  bool ran = runProgram(command, &output);
  long long entered = 0, painted = 0;
  long peakKiB = 0;
  std::istringstream(output) >> entered >> painted >> peakKiB;
  return {ran && painted > 0, entered - spawned, painted - spawned, 1024.0 * double(peakKiB)};
}

void keepFastest(Figures &figures, const std::string &name, double seconds) {
  std::fprintf(stderr, "  %-22s %.2f ms\n", name.c_str(), seconds * 1e3);
  auto [at, added] = figures.emplace(name, seconds);
  if (!added && seconds < at->second) at->second = seconds;
}

// Run before this process holds any document-sized buffer: a child's ru_maxrss counts the resident size
// its parent had when it was spawned, which must not be what is measured.
void measureFreshProcesses(Figures &figures) {
  const std::string &document = randomFile();
  std::fprintf(stderr, "fresh processes:\n");
  for (int i = 0; i < 7; ++i) {
    ChildReport start = runChild({});
    if (!start.ok) continue;
    keepFastest(figures, "startup_fresh_process", double(start.spawnToPaint) * 1e-9);
    keepFastest(figures, "fresh_process_to_main", double(start.spawnToMain) * 1e-9);
  }
  ChildReport opened = runChild({document});
  if (opened.ok) {
    figures["peak_memory"] = opened.peakBytes;
    std::fprintf(stderr, "  %-22s %.1f MiB\n", "peak_memory", opened.peakBytes / (1024.0 * 1024.0));
  }
}

}  // namespace

int main(int argc, char **argv) {
  // A fixed threshold keeps the C library from raising it after the first large free, so every
  // document-sized buffer of every iteration is new memory from the system, as in a fresh process, for
  // the program and the baselines alike (memory kept and reused would hide the cost of its first use).
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  win32::backend::useHeadless();
  benchmark::Initialize(&argc, argv);
  Figures figures;
  measureFreshProcesses(figures);
  registerProgramFigures();
  registerDataFigures();
  std::fprintf(stderr, "benchmarks (each repetition; the fastest is kept):\n");
  FigureCollector collector(figures);
  benchmark::RunSpecifiedBenchmarks(&collector);
  std::fflush(stderr);
  int misses = printTable(figures);
  std::printf("\n%d target%s missed.\n", misses, misses == 1 ? "" : "s");
  benchmark::Shutdown();
  return 0;
}
