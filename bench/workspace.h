// The data every figure is measured on: a folder of its own, the largest document the program accepts,
// and running other programs (the child measurements, xxd) with their output captured.
#ifndef OXBYTE_BENCH_WORKSPACE_H
#define OXBYTE_BENCH_WORKSPACE_H

#include <cstdint>
#include <string>
#include <vector>

#include "document/editor_state.h"

// The largest document: 16,777,215 bytes.
constexpr int32_t DOCUMENT_SIZE = MAX_FILE_SIZE;

// A fresh folder under /tmp, removed at exit.
const std::string &benchFolder();

// DOCUMENT_SIZE bytes of fixed pseudo-random data, and a file holding exactly them.
const std::vector<uint8_t> &randomBytes();
const std::string &randomFile();

// Runs a program with these arguments, its standard output read into `output` (or sent to /dev/null
// when `output` is null); true when it exited with status 0.
bool runProgram(const std::vector<std::string> &arguments, std::string *output);

// The folder of the running benchmark program, where its child program was built beside it.
std::string ownFolder();

// Monotonic clock, nanoseconds.
int64_t monotonicNanoseconds();

#endif
