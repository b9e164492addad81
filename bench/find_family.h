// Find over a family of hard cases, beside glibc's memmem and the plain scan.
#ifndef OXBYTE_BENCH_FIND_FAMILY_H
#define OXBYTE_BENCH_FIND_FAMILY_H

#include <string>

#include "bench/table.h"

#include <cstdint>

// The plain scan, the baseline of every Find figure: the needle compared at every offset in turn,
// starting again at its first byte after each mismatch. The first offset where it lies, or −1.
int32_t plainScan(const uint8_t *data, int32_t size, const uint8_t *needle, int32_t length);

// Each case's three searches are run this many times, in turn, and the median of each is kept.
constexpr int FAMILY_RUNS = 5;

// Stores the slowest case's time (seconds), the largest ratios to the plain scan's and to memmem's time,
// (any case answered differently from the plain scan makes the ratio to the plain scan infinite); returns
// the table of every case.
std::string measureFindFamily(Figures &figures);

#endif
