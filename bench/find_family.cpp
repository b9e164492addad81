// Find over a family of hard cases: needles of 1 to 254 bytes, each ending in its document's most common
// byte, in five kinds of document of 16,777,215 bytes, placed at the start, the middle, the end or
// nowhere. Each case is timed for the program's search, glibc's memmem and the plain scan in turn, round
// after round, so that whatever else the machine is doing weighs on the three alike.
#include "bench/find_family.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <random>

#include "bench/workspace.h"
#include "document/byte_search.h"

namespace {

const int LENGTHS[] = {1, 2, 3, 4, 8, 16, 64, 254};

struct Document {
  std::string name;
  std::vector<uint8_t> bytes;
  // The needle of a length: ending in the document's most common byte, and found nowhere in it.
  std::function<std::vector<uint8_t>(int)> needle;
};

int32_t plainScanOf(const std::vector<uint8_t> &data, const std::vector<uint8_t> &needle) {
  return plainScan(data.data(), int32_t(data.size()), needle.data(), int32_t(needle.size()));
}

int32_t viaMemmem(const std::vector<uint8_t> &data, const std::vector<uint8_t> &needle) {
  const void *hit = memmem(data.data(), data.size(), needle.data(), needle.size());
  return hit ? int32_t(static_cast<const uint8_t *>(hit) - data.data()) : -1;
}

int32_t program(const std::vector<uint8_t> &data, const std::vector<uint8_t> &needle) {
  return firstOccurrence(data.data(), 0, int32_t(data.size()), needle.data(), int32_t(needle.size()));
}

// The largest ELF program in /usr/bin, its first DOCUMENT_SIZE bytes.
std::pair<std::string, std::vector<uint8_t>> largestProgram() {
  std::string best;
  off_t bestSize = 0;
  if (DIR *folder = opendir("/usr/bin")) {
    while (dirent *entry = readdir(folder)) {
      std::string path = std::string("/usr/bin/") + entry->d_name;
      struct stat info;
      char magic[4] = {};
      if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= bestSize) continue;
      if (!std::ifstream(path, std::ios::binary).read(magic, 4) || std::memcmp(magic, "\x7f" "ELF", 4) != 0) continue;
      best = path;
      bestSize = info.st_size;
    }
    closedir(folder);
  }
  std::vector<uint8_t> bytes(size_t(std::min<off_t>(bestSize, DOCUMENT_SIZE)));
  std::ifstream(best, std::ios::binary).read(reinterpret_cast<char *>(bytes.data()), std::streamsize(bytes.size()));
  return {best, bytes};
}

// Changes the needle's first bytes until it is found nowhere in the document; a needle so short that
// every variant is there is kept as it is (its "absent" case is then simply not placed).
std::vector<uint8_t> absentFrom(const std::vector<uint8_t> &data, std::vector<uint8_t> needle) {
  std::vector<uint8_t> variant = needle;
  for (uint32_t k = 1; k < 4096 && variant.size() > 1; ++k) {
    if (viaMemmem(data, variant) < 0) return variant;
    variant[0] = uint8_t(variant[0] + 1);
    if (variant.size() > 2 && k % 256 == 0) variant[1] = uint8_t(variant[1] + 1);
  }
  return needle;
}

std::vector<Document> documents() {
  std::vector<Document> family;
  const size_t size = size_t(DOCUMENT_SIZE);
  family.push_back({"one byte repeated (\"A\"s)", std::vector<uint8_t>(size, 'A'), [](int n) {
                      std::vector<uint8_t> needle(size_t(n), 'A');
                      needle[0] = 'B';
                      return needle;
                    }});
  std::vector<uint8_t> alternating(size);
  for (size_t i = 0; i < size; ++i) alternating[i] = i % 2 ? 'B' : 'A';
  family.push_back({"two bytes alternating (\"AB\"s)", alternating, [](int n) {
                      std::vector<uint8_t> needle(static_cast<size_t>(n));  // "BBABA…": one "B" too many
                      for (int i = 0; i < n; ++i) needle[size_t(i)] = i == 0 || i % 2 ? 'B' : 'A';
                      return n == 1 ? std::vector<uint8_t>{'C'} : needle;
                    }});
  std::mt19937 random(2026);
  std::vector<uint8_t> zeros(size, 0);
  for (size_t i = 0; i < size; i += 1 + random() % 8192) zeros[i] = 1;
  family.push_back({"zeros with a rare byte (01)", zeros, [](int n) {
                      std::vector<uint8_t> needle(size_t(n), 0);
                      needle[0] = 2;
                      return needle;
                    }});
  std::vector<uint8_t> biased(size);
  for (auto &b : biased) b = random() % 2 ? 'A' : uint8_t(random());
  family.push_back({"random bytes, half of them \"A\"", biased, [biased](int n) {
                      std::mt19937 own{uint32_t(n)};
                      std::vector<uint8_t> needle(static_cast<size_t>(n));
                      for (auto &b : needle) b = uint8_t(own());
                      if (!needle.empty()) needle.back() = n == 1 ? 0xA5 : 'A';
                      return absentFrom(biased, needle);
                    }});
  auto [path, elf] = largestProgram();
  if (!elf.empty())
    family.push_back({"a real program, " + path.substr(path.rfind('/') + 1), elf, [elf](int n) {
                        // Bytes of the program ending in a zero byte past the middle, made absent.
                        size_t zero = elf.size() / 2;
                        while (zero < elf.size() && (elf[zero] != 0 || zero < size_t(n))) ++zero;
                        std::vector<uint8_t> needle(elf.begin() + long(zero) + 1 - n, elf.begin() + long(zero) + 1);
                        return absentFrom(elf, needle);
                      }});
  return family;
}

// Seconds per call, over a sample of `calls` calls.
using Search = int32_t (*)(const std::vector<uint8_t> &, const std::vector<uint8_t> &);

double timeOnce(Search search, const std::vector<uint8_t> &data, const std::vector<uint8_t> &needle, int calls) {
  int64_t started = monotonicNanoseconds();
  for (int i = 0; i < calls; ++i) {
    volatile int32_t found = search(data, needle);
    (void)found;
  }
  return double(monotonicNanoseconds() - started) * 1e-9 / calls;
}

// Enough calls for a sample of 10 ms or more: longer than the scheduler's time slice, so that on a busy
// machine every sample loses about the same share of its time to other processes.
int callsPerSample(Search search, const std::vector<uint8_t> &data, const std::vector<uint8_t> &needle) {
  double once = timeOnce(search, data, needle, 1);
  return once >= 1e-2 ? 1 : int(std::min(1e7, 1e-2 / std::max(once, 1e-9)));
}

double median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

struct Measured {
  double program, memmem, plain;
};

// The three searches of one case, FAMILY_RUNS rounds of one sample each; the median of each. False when the
// program's answer differs from the plain scan's.
bool measureCase(const std::vector<uint8_t> &data, const std::vector<uint8_t> &needle, Measured &medians) {
  if (program(data, needle) != plainScanOf(data, needle)) return false;
  const Search searches[3] = {program, viaMemmem, plainScanOf};
  int calls[3];
  for (int k = 0; k < 3; ++k) calls[k] = callsPerSample(searches[k], data, needle);
  std::vector<double> samples[3];
  for (int round = 0; round < FAMILY_RUNS; ++round)
    for (int k = 0; k < 3; ++k) samples[k].push_back(timeOnce(searches[k], data, needle, calls[k]));
  medians = {median(samples[0]), median(samples[1]), median(samples[2])};
  return true;
}

std::string milliseconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, s < 1e-6 ? "%.7f" : s < 1e-3 ? "%.4f" : "%.2f", s * 1e3);
  return text;
}

// Times under a microsecond count as one: below that they measure a function call, not a search (a
// needle right at the start is found in a few nanoseconds by all three).
double ratio(double time, double baseline) { return std::max(time, 1e-6) / std::max(baseline, 1e-6); }

struct Worst {
  double ratio = 0;
  std::string where;
  void consider(double value, const std::string &at) {
    if (value > ratio) ratio = value, where = at;
  }
};

}  // namespace

int32_t plainScan(const uint8_t *data, int32_t size, const uint8_t *needle, int32_t length) {
  for (int32_t i = 0; i + length <= size; ++i) {
    int32_t j = 0;
    while (j < length && data[i + j] == needle[j]) ++j;
    if (j == length) return i;
  }
  return -1;
}

std::string measureFindFamily(Figures &figures) {
  const char *placements[] = {"start", "middle", "end", "absent"};
  std::string table =
      "| document | needle bytes | placement | program (ms) | memmem (ms) | plain scan (ms) |\n"
      "|---|---|---|---|---|---|\n";
  Worst slowest, toPlain, toMemmem;
  int wrong = 0;
  std::fprintf(stderr, "Find over the family of hard cases:\n");
  for (Document &document : documents()) {
    for (int n : LENGTHS) {
      const std::vector<uint8_t> needle = document.needle(n);
      for (const char *placement : placements) {
        std::vector<uint8_t> data = document.bytes;
        size_t at = placement[0] == 's' ? 0 : placement[0] == 'm' ? data.size() / 2 : data.size() - size_t(n);
        if (placement[0] != 'a') std::copy(needle.begin(), needle.end(), data.begin() + long(at));
        Measured m;
        const std::string where = document.name + ", " + std::to_string(n) + " bytes, " + placement;
        if (!measureCase(data, needle, m)) {
          ++wrong;
          std::fprintf(stderr, "  WRONG ANSWER: %s\n", where.c_str());
          continue;
        }
        slowest.consider(m.program, where);
        toPlain.consider(ratio(m.program, m.plain), where);
        toMemmem.consider(ratio(m.program, m.memmem), where);
        table += "| " + document.name + " | " + std::to_string(n) + " | " + placement + " | " +
                 milliseconds(m.program) + " | " + milliseconds(m.memmem) + " | " + milliseconds(m.plain) + " |\n";
      }
    }
    std::fprintf(stderr, "  %s: done\n", document.name.c_str());
  }
  figures["find_family_slowest"] = slowest.ratio;
  figures["find_family_to_plain"] = wrong ? INFINITY : toPlain.ratio;
  figures["find_family_to_memmem"] = toMemmem.ratio;
  return table + "\nSlowest: " + slowest.where + ". Largest ratio to the plain scan: " + toPlain.where +
         ". Largest ratio to memmem: " + toMemmem.where + "." + (wrong ? " WRONG ANSWERS: " + std::to_string(wrong) : "") +
         "\n";
}
