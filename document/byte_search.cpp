// Finding a run of bytes. Three routes, each handing over to the next where it stops paying:
// - long needles move along the document by the two bytes under the needle's end: a pair the needle
//   does not hold lets it jump almost its whole length, so most bytes are never read;
// - otherwise two of the needle's bytes, chosen to be rare, are looked for together at their distance,
//   sixteen offsets at a time, and only where both lie is the needle compared in full;
// - when the document is made of the needle's own bytes, so that those pairs lie almost everywhere, the
//   Two-Way search (Crochemore and Perrin) finishes: it never reads a byte more than twice.
// Each route reports the first match from where it started, or where it stopped with no match before it,
// so the answer is always the first offset where the needle lies.
#include "document/byte_search.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct Needle {
  const uint8_t *bytes;
  int32_t length;
};

// What a route found: the answer (an offset, or −1 for none), or that it stopped at `at` with no match
// before it.
struct Outcome {
  bool answered;
  int32_t at;
};

Outcome answer(int32_t at) { return {true, at}; }
Outcome stoppedAt(int32_t at) { return {false, at}; }

bool liesAt(const uint8_t *data, int32_t at, Needle needle) {
  return std::memcmp(data + at, needle.bytes, size_t(needle.length)) == 0;
}

// --- Long needles: jumps by the pair of bytes under the needle's last two -----------------------------

int pairSlot(const uint8_t *pair) { return (pair[0] << 4) ^ pair[1]; }  // 12 bits

// Moves the needle along from `from` to `last` while the moves stay long; stops where they are short on
// average, as reading every byte is then cheaper.
Outcome jumpByPairs(const uint8_t *data, int32_t from, int32_t last, Needle needle) {
  const int32_t n = needle.length, fullJump = n - 1;
  // For each slot, 0 when no pair of the needle falls in it; else 1 + how far the needle may move when
  // the document's pair under its last two bytes falls there: from the pair's last place in the needle
  // to the needle's end.
  uint8_t move[4096] = {};
  for (int32_t j = 1; j < n - 1; ++j) move[pairSlot(needle.bytes + j - 1)] = uint8_t(1 + std::min(n - 1 - j, 254));
  const int endSlot = pairSlot(needle.bytes + n - 2);
  const int32_t afterMismatch = move[endSlot] ? move[endSlot] - 1 : fullJump;
  move[endSlot] = 1;

  constexpr int32_t STOPS_PER_CHECK = 1024, LEAST_AVERAGE_MOVE = 32;
  int32_t stops = 0, checkedAt = from;
  if (from > last) return answer(-1);
  for (int32_t s = from;;) {
    // The common case, kept free of any wait on the table: the pair is not in the needle at all.
    int32_t step;
    while ((step = move[pairSlot(data + s + n - 2)]) == 0)
      if ((s += fullJump) > last) return answer(-1);
    if (--step == 0) {
      if (liesAt(data, s, needle)) return answer(s);
      step = afterMismatch;
      stops += 4;  // a comparison costs about as much as a few stops
    }
    if ((s += step) > last) return answer(-1);
    if (++stops >= STOPS_PER_CHECK) {
      if (s - checkedAt < stops * LEAST_AVERAGE_MOVE) return stoppedAt(s);
      stops = 0;
      checkedAt = s;
    }
  }
}

// --- Two rare bytes at their distance ----------------------------------------------------------------

// How common a byte tends to be in the files people search: zeros and 0xFF fill binaries, spaces and
// lower-case letters fill text, small numbers fill both.
int commonness(uint8_t b) {
  if (b == 0) return 6;
  if (b == 0xFF) return 5;
  if (b == ' ' || (b >= 'a' && b <= 'z')) return 4;
  if (b < 0x20 || (b >= '0' && b <= '9')) return 3;
  if (b < 0x80) return 2;
  return 1;
}

// Two places in the needle: its rarest byte, and the rarest byte different from that one, so that a
// document made of one byte never holds both. A needle of one byte repeated gets its two ends.
struct Anchors {
  int32_t first, second;
};

Anchors chooseAnchors(Needle needle) {
  const uint8_t *b = needle.bytes;
  int32_t rarest = needle.length - 1;
  for (int32_t i = needle.length - 2; i >= 0; --i)
    if (commonness(b[i]) < commonness(b[rarest])) rarest = i;
  int32_t other = -1;
  for (int32_t i = needle.length - 1; i >= 0; --i)
    if (b[i] != b[rarest] && (other < 0 || commonness(b[i]) < commonness(b[other]))) other = i;
  if (other < 0) other = rarest == 0 ? needle.length - 1 : 0;
  return {rarest, other};
}

// Two neighbouring places in the needle whose pair of bytes is the rarest among the pairs in the 4 KiB
// of the document before `at`: where the document is made of the needle's own bytes, the order of
// them still tells most places apart.
Anchors rarestNeighbours(const uint8_t *data, int32_t at, Needle needle) {
  uint16_t seen[4096] = {};
  for (int32_t i = std::max(0, at - 4096); i + 1 < at; ++i) ++seen[pairSlot(data + i)];
  int32_t best = 0;
  for (int32_t i = 1; i + 1 < needle.length; ++i)
    if (seen[pairSlot(needle.bytes + i)] < seen[pairSlot(needle.bytes + best)]) best = i;
  return {best, best + 1};
}

// Offsets from `from` to `last` holding both anchor bytes are compared in full. Stops where such offsets
// come more often than about one in 32 bytes (fewer for long needles, whose comparisons cost more).
Outcome scanForAnchors(const uint8_t *data, int32_t from, int32_t last, Needle needle, Anchors anchors) {
  const uint8_t first = needle.bytes[anchors.first], second = needle.bytes[anchors.second];
  const int64_t candidateCost = 4 + needle.length / 16;
  int64_t budget = 4096;  // earned at 2 per 16 offsets scanned
  int32_t s = from;
#if defined(__SSE2__)
  const __m128i firstBytes = _mm_set1_epi8(char(first)), secondBytes = _mm_set1_epi8(char(second));
  for (; s + 15 <= last; s += 16, budget += 2) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + s + anchors.first));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + s + anchors.second));
    unsigned both = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, firstBytes), _mm_cmpeq_epi8(b, secondBytes))));
    for (; both; both &= both - 1) {
      int32_t at = s + __builtin_ctz(both);
      if (liesAt(data, at, needle)) return answer(at);
      if ((budget -= candidateCost) < 0) return stoppedAt(at + 1);
    }
  }
#endif
  for (; s <= last; ++s, ++budget) {
    if (data[s + anchors.first] != first || data[s + anchors.second] != second) continue;
    if (liesAt(data, s, needle)) return answer(s);
    if ((budget -= 8 * candidateCost) < 0) return stoppedAt(s + 1);
  }
  return answer(-1);
}

// --- Two-Way ------------------------------------------------------------------------------------------

// The needle cut in two at a critical place: the right part is compared first, left to right, and its
// period bounds how far the needle moves after the left part matched.
struct Factorization {
  int32_t cut;     // the right part starts here
  int32_t period;  // of the right part
};

// The needle's maximal suffix for one order of the bytes (or the reverse order), and its period.
Factorization maximalSuffix(Needle needle, bool reverseOrder) {
  const uint8_t *x = needle.bytes;
  int32_t before = -1, j = 0, k = 1, period = 1;
  while (j + k < needle.length) {
    uint8_t a = x[j + k], b = x[before + k];
    if (a == b) {
      if (k == period) {
        j += period;
        k = 1;
      } else {
        ++k;
      }
    } else if ((a < b) != reverseOrder) {
      j += k;
      k = 1;
      period = j - before;
    } else {
      before = j;
      j = before + 1;
      k = period = 1;
    }
  }
  return {before + 1, period};
}

int32_t twoWay(const uint8_t *data, int32_t from, int32_t last, Needle needle) {
  const uint8_t *x = needle.bytes;
  const int32_t n = needle.length;
  Factorization forward = maximalSuffix(needle, false), backward = maximalSuffix(needle, true);
  const Factorization f = forward.cut > backward.cut ? forward : backward;
  const int32_t leftEnd = f.cut - 1;  // the left part's last byte
  if (std::memcmp(x, x + f.period, size_t(f.cut)) == 0) {
    // The needle repeats with the right part's period: after a full match of the right part, what has
    // already been compared of the next window (`known`) is not compared again.
    int32_t known = -1;
    for (int32_t s = from; s <= last;) {
      int32_t i = std::max(leftEnd, known) + 1;
      while (i < n && x[i] == data[s + i]) ++i;
      if (i < n) {
        s += i - leftEnd;
        known = -1;
        continue;
      }
      i = leftEnd;
      while (i > known && x[i] == data[s + i]) --i;
      if (i <= known) return s;
      s += f.period;
      known = n - f.period - 1;
    }
    return -1;
  }
  const int32_t move = std::max(f.cut, n - f.cut) + 1;
  for (int32_t s = from; s <= last;) {
    int32_t i = f.cut;
    while (i < n && x[i] == data[s + i]) ++i;
    if (i < n) {
      s += i - leftEnd;
      continue;
    }
    i = leftEnd;
    while (i >= 0 && x[i] == data[s + i]) --i;
    if (i < 0) return s;
    s += move;
  }
  return -1;
}

}  // namespace

int32_t firstOccurrence(const uint8_t *data, int32_t from, int32_t end, const uint8_t *bytes, int32_t length) {
  if (from < 0 || from >= end || length < 0 || int64_t(from) + length > end) return -1;
  if (length == 0) return from;
  const Needle needle{bytes, length};
  if (data[from] == bytes[0] && (length == 1 || liesAt(data, from, needle))) return from;
  if (length == 1) {
    const void *hit = std::memchr(data + from + 1, bytes[0], size_t(end - from - 1));
    return hit ? int32_t(static_cast<const uint8_t *>(hit) - data) : -1;
  }
  const int32_t last = end - length;
  Outcome outcome = stoppedAt(from + 1);
  if (length > 32) outcome = jumpByPairs(data, outcome.at, last, needle);
  if (!outcome.answered) outcome = scanForAnchors(data, outcome.at, last, needle, chooseAnchors(needle));
  if (!outcome.answered)
    outcome = scanForAnchors(data, outcome.at, last, needle, rarestNeighbours(data, outcome.at, needle));
  if (!outcome.answered) return twoWay(data, outcome.at, last, needle);
  return outcome.at;
}
