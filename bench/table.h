// The figures collected from the benchmarks and the child measurements, and the one table printed from
// them: each figure beside its baseline, the ratio, the target and PASS or MISS.
#ifndef OXBYTE_BENCH_TABLE_H
#define OXBYTE_BENCH_TABLE_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include <vector>

// Seconds (or bytes, for memory) per figure name: NAME holds the median of its runs, NAME/min and
// NAME/max the spread.
using Figures = std::map<std::string, double>;

// Stores the median and the spread of a figure's runs.
void storeRuns(Figures &figures, const std::string &name, std::vector<double> runs);

// Collects every repetition of every benchmark (each repetition is already the mean of many iterations)
// and, at finish(), stores each benchmark's median and spread: figures and baselines alike, so that
// they are compared as they were sampled. Prints one progress line per repetition to stderr.
class FigureCollector : public benchmark::BenchmarkReporter {
 public:
  explicit FigureCollector(Figures &figures) : figures_(figures) {}
  bool ReportContext(const Context &) override { return true; }
  void ReportRuns(const std::vector<Run> &runs) override;
  void finish();

 private:
  Figures &figures_;
  std::map<std::string, std::vector<double>> runs_;
};

// Prints the table in Markdown; returns the number of rows that missed their target.
int printTable(const Figures &figures);

// "1.23 ms", "45.6 µs", "2.34 s".
std::string seconds(double s);

#endif
