// The figures collected from the benchmarks and the child measurements, and the one table printed from
// them: each figure beside its baseline, the ratio, the target and PASS or MISS.
#ifndef OXBYTE_BENCH_TABLE_H
#define OXBYTE_BENCH_TABLE_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Seconds (or bytes, for memory) per figure name.
using Figures = std::map<std::string, double>;

// Keeps, for each benchmark, the fastest of its repetitions: on a shared machine the other processes
// only ever add time, so the fastest repetition is the closest to the program's own cost. Each
// repetition is already the mean of many iterations. Prints one progress line per repetition to stderr.
class FigureCollector : public benchmark::BenchmarkReporter {
 public:
  explicit FigureCollector(Figures &figures) : figures_(figures) {}
  bool ReportContext(const Context &) override { return true; }
  void ReportRuns(const std::vector<Run> &runs) override;

 private:
  Figures &figures_;
};

// Prints the table in Markdown; returns the number of rows that missed their target.
int printTable(const Figures &figures);

#endif
