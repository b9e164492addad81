// oxbyte-bench: measures Oxbyte's speed figures, each beside a baseline measured in the same run, and
// prints them as one table with PASS or MISS against each target. Arguments are Google Benchmark's own
// (--benchmark_filter=... measures only some figures).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <sstream>

#include "backend/driver.h"
#include "bench/desktop_figures.h"
#include "bench/figures.h"
#include "bench/find_family.h"
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

// What a session reports: its resident size at the end and its peak, in bytes.
bool runSession(Figures &figures) {
  // A copy of the document, as the session saves over it.
  const std::string copy = benchFolder() + "/session.bin";
  std::string output;
  if (!runProgram({"cp", randomFile(), copy}, nullptr)) return false;
  if (!runProgram({ownFolder() + "/oxbyte-bench-child", "--session", copy}, &output)) return false;
  long residentKiB = 0, peakKiB = 0;
  std::istringstream(output) >> residentKiB >> peakKiB;
  figures["session_resident"] = 1024.0 * double(residentKiB);
  figures["session_peak"] = 1024.0 * double(peakKiB);
  return true;
}

// Run before this process holds any document-sized buffer: a child's ru_maxrss counts the resident size
// its parent had when it was spawned, which must not be what is measured.
void measureFreshProcesses(Figures &figures) {
  const std::string &document = randomFile();
  std::fprintf(stderr, "fresh processes:\n");
  std::vector<double> started, toMain, opened, openToMain, peaks;
  for (int i = 0; i < RUNS; ++i) {
    ChildReport start = runChild({});
    ChildReport open = runChild({document});
    if (start.ok) {
      started.push_back(double(start.spawnToPaint) * 1e-9);
      toMain.push_back(double(start.spawnToMain) * 1e-9);
    }
    if (open.ok) {
      opened.push_back(double(open.spawnToPaint) * 1e-9);
      openToMain.push_back(double(open.spawnToMain) * 1e-9);
      peaks.push_back(open.peakBytes);
    }
    std::fprintf(stderr, "  start-up %s, with the document %s\n", start.ok ? seconds(double(start.spawnToPaint) * 1e-9).c_str() : "failed",
                 open.ok ? seconds(double(open.spawnToPaint) * 1e-9).c_str() : "failed");
  }
  storeRuns(figures, "startup_fresh_process", started);
  storeRuns(figures, "fresh_process_to_main", toMain);
  storeRuns(figures, "startup_open_fresh_process", opened);
  storeRuns(figures, "fresh_open_to_main", openToMain);
  storeRuns(figures, "peak_memory", peaks);
  if (!runSession(figures)) std::fprintf(stderr, "  the session failed\n");
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
  measureDesktopFigures(figures);
  registerProgramFigures();
  registerDataFigures();
  std::fprintf(stderr, "benchmarks (each repetition; the fastest is kept):\n");
  FigureCollector collector(figures);
  benchmark::RunSpecifiedBenchmarks(&collector);
  collector.finish();
  // A fresh process that opens the document does at least what a fresh process does before main() and
  // one read of the file.
  if (figures.count("fresh_open_to_main") && figures.count("read_file"))
    figures["fresh_process_and_read"] = figures["fresh_open_to_main"] + figures["read_file"];
  std::string family = measureFindFamily(figures);
  std::fflush(stderr);
  int misses = printTable(figures);
  std::printf("\n%d target%s missed.\n\n### Find over the family of hard cases (medians of %d runs)\n\n%s", misses,
              misses == 1 ? "" : "s", FAMILY_RUNS, family.c_str());
  benchmark::Shutdown();
  return 0;
}
