// The benchmarks, registered in the order they run: first those that start the program afresh, then
// those that drive one program holding the largest document, then the pure routines.
#ifndef OXBYTE_BENCH_FIGURES_H
#define OXBYTE_BENCH_FIGURES_H

void registerProgramFigures();
void registerDataFigures();

#endif
