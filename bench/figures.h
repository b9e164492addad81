// The benchmarks, registered in the order they run: first those that start the program afresh, then
// those that drive one program holding the largest document, then the pure routines.
#ifndef OXBYTE_BENCH_FIGURES_H
#define OXBYTE_BENCH_FIGURES_H

// Every figure and its baseline are run this many times, and the median is kept (the slowest figure,
// rendering the whole document, and its baseline, three times each).
constexpr int RUNS = 5;

void registerProgramFigures();
void registerDataFigures();

#endif
