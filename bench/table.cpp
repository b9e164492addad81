// The table of figures.
#include "bench/table.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double MiB = 1024.0 * 1024.0;
constexpr double DOCUMENT_BYTES = 16777215.0;

enum class Kind {
  Under,            // measured < limit
  WithinTimes,      // measured ≤ factor × baseline
  UnderAndFaster,   // measured < limit and baseline ≥ factor × measured
  SpeedAtLeast,     // baseline ≥ factor × measured: at least `factor` of the baseline's speed
  MemoryWithin,     // measured ≤ factor × the document's size + limit bytes
  RatioAtMost,      // measured is itself a ratio; ≤ limit
  Report,           // the ratio only
};

struct Row {
  const char *figure;
  const char *measured;  // figure name
  const char *baseline;  // figure name, or null
  const char *baselineText;
  Kind kind;
  double limit;
  double factor;
};

const std::vector<Row> rows = {
    {"start-up to first painted frame, headless, no file (in the process, as the program tests start it)",
     "startup", nullptr, "—", Kind::Under, 0.020, 0},
    {"the same in a fresh process, from spawn", "startup_fresh_process", "fresh_process_to_main",
     "spawn to main(): loading the shared libraries", Kind::Under, 0.020, 0},
    {"start-up + open + first paint of a 16,777,215-byte file", "startup_open", "read_file",
     "one `read` of the file", Kind::WithinTimes, 0, 2},
    {"the same in a fresh process, from spawn", "startup_open_fresh_process", "fresh_process_and_read",
     "that process's spawn to main() + one `read` of the file", Kind::WithinTimes, 0, 2},
    {"full repaint, 24 rows", "repaint/24", nullptr, "—", Kind::Under, 0.001, 0},
    {"full repaint, 60 rows", "repaint/60", nullptr, "—", Kind::Under, 0.001, 0},
    {"cursor move / blink (`drawCursor`)", "cursor_cell", nullptr, "—", Kind::Under, 50e-6, 0},
    {"cursor move by arrow key, through the program to the frame shown", "cursor_key", nullptr, "—", Kind::Under,
     1 / 60.0, 0},
    {"Page Down (scroll + repaint)", "page_down", nullptr, "—", Kind::Under, 0.001, 0},
    {"thumb drag step (scroll + repaint)", "thumb_drag_step", nullptr, "—", Kind::Under, 0.001, 0},
    {"Find, worst case, 16,777,215 \"A\"s, 253 \"A\"s + \"B\"", "find_worst", "plain_scan_worst",
     "the plain scan", Kind::UnderAndFaster, 0.100, 15},
    {"Find, \"B\" + 253 \"A\"s in the \"A\"s", "find_leading", "plain_scan_leading", "the plain scan",
     Kind::Under, 0.100, 0},
    {"Find, 126 \"A\"s + \"B\" + 127 \"A\"s in the \"A\"s", "find_middle", "plain_scan_middle", "the plain scan",
     Kind::Under, 0.100, 0},
    {"Find, absent 4-byte needle, 16,777,215 random bytes", "find_random", "memmem_random", "glibc `memmem`",
     Kind::SpeedAtLeast, 0, 0.9},
    {"Find, family of hard cases (below): the slowest case", "find_family_slowest", nullptr, "—", Kind::Under, 0.030, 0},
    {"Find, family of hard cases: the largest ratio of its time to the plain scan's", "find_family_to_plain",
     nullptr, "the plain scan, each case", Kind::RatioAtMost, 1.0, 0},
    {"Find, family of hard cases: the largest ratio of its time to glibc `memmem`'s", "find_family_to_memmem",
     nullptr, "glibc `memmem`, each case", Kind::RatioAtMost, 1.5, 0},
    {"Save of 16,777,215 bytes (fsync replaced by a no-op)", "save", "write_file", "one `write` of the bytes",
     Kind::WithinTimes, 0, 2},
    {"peak memory (ru_maxrss) opening a 16,777,215-byte document", "peak_memory", nullptr, "the document",
     Kind::MemoryWithin, 24 * MiB, 2},
    {"resident memory at the end of a session (open, edit, Save, Undo all, Find)", "session_resident", nullptr,
     "the document", Kind::MemoryWithin, 16 * MiB, 2},
    {"peak memory of that session (Undo all reads the file into a second buffer)", "session_peak", nullptr,
     "the document", Kind::MemoryWithin, 16 * MiB, 3},
    {"desktop: launch to the first frame on the screen (Xvfb + openbox)", "desktop_launch",
     "desktop_baseline_launch", "a trivial SDL window's launch", Kind::Report, 0, 0},
    {"desktop: launch with a 16,777,215-byte file to its first rows on the screen", "desktop_open",
     "desktop_baseline_launch", "a trivial SDL window's launch", Kind::Report, 0, 0},
    {"desktop: a key pressed to the changed pixels on the screen", "desktop_key", nullptr, "—", Kind::Under,
     1 / 60.0, 0},
    {"rendering the whole document row by row into cells (Page Down to the end)", "render_document", "xxd",
     "`xxd` of the file to /dev/null", Kind::Report, 0, 0},
};

}  // namespace

std::string seconds(double s) {
  char text[32];
  if (s < 1e-3)
    std::snprintf(text, sizeof text, "%.1f µs", s * 1e6);
  else if (s < 1)
    std::snprintf(text, sizeof text, "%.2f ms", s * 1e3);
  else
    std::snprintf(text, sizeof text, "%.2f s", s);
  return text;
}

namespace {

std::string mebibytes(double bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MiB", bytes / MiB);
  return text;
}

std::string times(double x) {
  char text[32];
  std::snprintf(text, sizeof text, x < 10 ? "%.2f×" : "%.0f×", x);
  return text;
}

std::string targetText(const Row &row) {
  switch (row.kind) {
    case Kind::Under: return "under " + seconds(row.limit);
    case Kind::WithinTimes: return "within " + times(row.factor) + " the baseline's time";
    case Kind::UnderAndFaster: return "under " + seconds(row.limit) + " and ≥ " + times(row.factor) + " faster";
    case Kind::SpeedAtLeast: return "≥ " + times(row.factor) + " the baseline's speed";
    case Kind::MemoryWithin: return "≤ " + times(row.factor) + " the document + " + mebibytes(row.limit);
    case Kind::RatioAtMost: return "≤ " + times(row.limit);
    case Kind::Report: return "report the ratio";
  }
  return "";
}

struct Verdict {
  std::string ratio;
  bool pass;
};

Verdict judge(const Row &row, double m, double b) {
  switch (row.kind) {
    case Kind::Under: return {row.baseline ? times(m / b) + " its time" : "—", m < row.limit};
    case Kind::WithinTimes: return {times(m / b) + " its time", m <= row.factor * b};
    case Kind::UnderAndFaster: return {times(b / m) + " faster", m < row.limit && b >= row.factor * m};
    case Kind::SpeedAtLeast: return {times(b / m) + " its speed", b >= row.factor * m};
    case Kind::MemoryWithin: return {times(m / b) + " of it", m <= row.factor * b + row.limit};
    case Kind::RatioAtMost: return {times(m), m <= row.limit};
    case Kind::Report: return {times(m / b) + " its time", true};
  }
  return {"", false};
}

// The median, and the spread of the runs where there were several.
std::string figureText(const Figures &figures, const std::string &name, Kind kind) {
  auto text = [&](double value) {
    return kind == Kind::MemoryWithin ? mebibytes(value) : kind == Kind::RatioAtMost ? times(value) : seconds(value);
  };
  std::string result = text(figures.at(name));
  if (figures.count(name + "/min") && figures.at(name + "/min") < figures.at(name + "/max"))
    result += " (" + text(figures.at(name + "/min")) + " – " + text(figures.at(name + "/max")) + ")";
  return result;
}

}  // namespace

void FigureCollector::ReportRuns(const std::vector<Run> &runs) {
  for (const Run &run : runs) {
    if (run.run_type != Run::RT_Iteration) continue;
    std::string name = run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
    if (run.error_occurred) {
      std::fprintf(stderr, "  %-22s not measured: %s\n", name.c_str(), run.error_message.c_str());
      continue;
    }
    double s = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    std::fprintf(stderr, "  %-22s %s\n", name.c_str(), seconds(s).c_str());
    runs_[name].push_back(s);
  }
}

void FigureCollector::finish() {
  for (auto &[name, runs] : runs_) storeRuns(figures_, name, runs);
}

void storeRuns(Figures &figures, const std::string &name, std::vector<double> runs) {
  if (runs.empty()) return;
  std::sort(runs.begin(), runs.end());
  figures[name] = runs.size() % 2 ? runs[runs.size() / 2] : (runs[runs.size() / 2 - 1] + runs[runs.size() / 2]) / 2;
  figures[name + "/min"] = runs.front();
  figures[name + "/max"] = runs.back();
}

int printTable(const Figures &figures) {
  std::printf("| figure | measured | baseline in the same run | ratio to the baseline | target | result |\n");
  std::printf("|---|---|---|---|---|---|\n");
  int misses = 0;
  for (const Row &row : rows) {
    auto m = figures.find(row.measured);
    bool memory = row.kind == Kind::MemoryWithin;
    double baseline = memory ? DOCUMENT_BYTES : 0;
    bool haveBaseline = memory || !row.baseline;
    if (row.baseline && figures.count(row.baseline)) {
      baseline = figures.at(row.baseline);
      haveBaseline = true;
    }
    std::string measuredText = m == figures.end() ? "not measured" : figureText(figures, row.measured, row.kind);
    std::string baselineText = row.baselineText;
    if (row.baseline || memory)
      baselineText += ": " + (!haveBaseline ? std::string("not measured") : memory ? mebibytes(baseline) : figureText(figures, row.baseline, Kind::Under));
    Verdict verdict{"—", false};
    if (m != figures.end() && haveBaseline) verdict = judge(row, m->second, baseline);
    const char *result = row.kind == Kind::Report ? (m != figures.end() && haveBaseline ? "(reported)" : "not measured")
                                                  : verdict.pass ? "PASS" : "MISS";
    if (row.kind != Kind::Report && !verdict.pass) ++misses;
    std::printf("| %s | %s | %s | %s | %s | %s |\n", row.figure, measuredText.c_str(), baselineText.c_str(),
                verdict.ratio.c_str(), targetText(row).c_str(), result);
  }
  return misses;
}
