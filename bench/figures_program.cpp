// Figures of the running program: start-up, painting, the cursor, scrolling, and the whole document
// drawn row by row — each beside its baseline where it has one.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "bench/figures.h"
#include "bench/program.h"
#include "bench/workspace.h"
#include "document/editor_state.h"
#include "tests/support/quoted.h"
#include "view/cursor.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Each iteration starts the program afresh; only the start, up to the first frame shown, is timed.
void startAndPaint(benchmark::State &state, const std::string &commandLine, int32_t expectedSize) {
  ProgramDriver &program = theProgram();
  for (auto _ : state) {
    if (program.running()) program.quit();
    auto start = Clock::now();
    bool started = program.start(commandLine);
    state.SetIterationTime(secondsSince(start));
    if (!started || editor.fileSize != expectedSize) {
      state.SkipWithError("the program did not start with the expected document");
      break;
    }
  }
  program.quit();
}

void startup(benchmark::State &state) { startAndPaint(state, "", 0); }

void startupOpen(benchmark::State &state) { startAndPaint(state, quotedPath(randomFile()), DOCUMENT_SIZE); }

// The baseline of opening: the file read into memory with one read().
void readFile(benchmark::State &state) {
  for (auto _ : state) {
    int fd = open(randomFile().c_str(), O_RDONLY);
    auto *buffer = static_cast<uint8_t *>(std::malloc(size_t(DOCUMENT_SIZE)));
    ssize_t got = read(fd, buffer, size_t(DOCUMENT_SIZE));
    close(fd);
    benchmark::DoNotOptimize(buffer);
    std::free(buffer);
    if (got != DOCUMENT_SIZE) {
      state.SkipWithError("short read");
      break;
    }
  }
}

// The program running with the largest document, its view showing `rows` rows, at the first row.
bool documentShowing(benchmark::State &state, int rows) {
  ProgramDriver &program = theProgram();
  if (!program.running() || editor.fileSize != DOCUMENT_SIZE) program.start(quotedPath(randomFile()));
  if (editor.fileSize != DOCUMENT_SIZE || !program.showRows(rows)) {
    state.SkipWithError("could not show the document at this size");
    return false;
  }
  SendMessageA(program.view(), WM_VSCROLL, SB_TOP, 0);
  program.pump();
  return true;
}

// The whole view invalidated, then erased, painted and shown by the message loop.
void repaint(benchmark::State &state) {
  if (!documentShowing(state, int(state.range(0)))) return;
  ProgramDriver &program = theProgram();
  for (auto _ : state) {
    InvalidateRect(program.view(), nullptr, TRUE);
    program.pump();
  }
}

// The cursor moved one byte and back: the pair it left drawn normally, the new pair inverted, the status
// bar's texts set.
void cursorCell(benchmark::State &state) {
  if (!documentShowing(state, 24)) return;
  HWND view = theProgram().view();
  const int32_t column = editor.cursorCol, row = editor.cursorRow;
  const bool asciiPane = editor.asciiPane;
  editor.cursorCol = 0;
  editor.cursorRow = 3;
  editor.asciiPane = false;
  for (auto _ : state) {
    editor.cursorCol ^= 1;
    drawCursor(view, true, true);
  }
  editor.cursorCol = column;
  editor.cursorRow = row;
  editor.asciiPane = asciiPane;
  drawCursor(view, true, true);
}

// The same move as a user makes it: an arrow key through the program, until the frame is shown.
void cursorKey(benchmark::State &state) {
  if (!documentShowing(state, 24)) return;
  int keyPressed = VK_LEFT;
  for (auto _ : state) {
    keyPressed = keyPressed == VK_LEFT ? VK_RIGHT : VK_LEFT;
    theProgram().key(keyPressed);
  }
}

// Page Down pressed: the view scrolls a page and is painted again. Near the end it goes back to the top
// (untimed), so every timed press moves a whole page.
void pageDown(benchmark::State &state) {
  if (!documentShowing(state, 24)) return;
  ProgramDriver &program = theProgram();
  const int32_t page = 16 * editor.visibleRows;
  for (auto _ : state) {
    if (editor.topOffset > DOCUMENT_SIZE - 2 * page) {
      state.PauseTiming();
      SendMessageA(program.view(), WM_VSCROLL, SB_TOP, 0);
      program.pump();
      state.ResumeTiming();
    }
    program.key(VK_NEXT);
  }
}

// One drag of the thumb through most of the bar, one pixel per mouse move; the time given is that of one
// move: the scroll to the tracked position, the repaint and the frame shown.
constexpr int DRAG_STEPS = 300;

void thumbDragStep(benchmark::State &state) {
  if (!documentShowing(state, 24)) return;
  ProgramDriver &program = theProgram();
  for (auto _ : state) {
    auto start = Clock::now();
    program.dragThumb(DRAG_STEPS);
    state.SetIterationTime(secondsSince(start) / DRAG_STEPS);
    bool moved = editor.topOffset > 16 * DRAG_STEPS;
    SendMessageA(program.view(), WM_VSCROLL, SB_TOP, 0);
    program.pump();
    if (!moved) {
      state.SkipWithError("the drag did not move the view");
      break;
    }
  }
}

// Every row of the document drawn into its cells, a page at a time, by pressing Page Down from the first
// page to the last.
void renderDocument(benchmark::State &state) {
  if (!documentShowing(state, 24)) return;
  ProgramDriver &program = theProgram();
  for (auto _ : state) {
    SendMessageA(program.view(), WM_VSCROLL, SB_TOP, 0);
    program.pump();
    auto start = Clock::now();
    int32_t before = -1;
    while (editor.topOffset != before) {
      before = editor.topOffset;
      program.key(VK_NEXT);
    }
    state.SetIterationTime(secondsSince(start));
    if (editor.topOffset + 16 * editor.visibleRows < DOCUMENT_SIZE) {
      state.SkipWithError("Page Down stopped before the end");
      break;
    }
  }
  program.quit();
}

// The baseline of drawing every row: xxd writing the same file as text to /dev/null.
void xxdDocument(benchmark::State &state) {
  for (auto _ : state) {
    auto start = Clock::now();
    bool ran = runProgram({"xxd", randomFile()}, nullptr);
    state.SetIterationTime(secondsSince(start));
    if (!ran) {
      state.SkipWithError("xxd did not run");
      break;
    }
  }
}

}  // namespace

void registerProgramFigures() {
  using benchmark::RegisterBenchmark;
  RegisterBenchmark("startup", startup)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("startup_open", startupOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("read_file", readFile)->UseRealTime()->Unit(benchmark::kMillisecond)->Repetitions(RUNS);
  RegisterBenchmark("repaint", repaint)->Arg(24)->Arg(60)->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(RUNS);
  RegisterBenchmark("cursor_cell", cursorCell)->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(RUNS);
  RegisterBenchmark("cursor_key", cursorKey)->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(RUNS);
  RegisterBenchmark("page_down", pageDown)->UseRealTime()->Unit(benchmark::kMicrosecond)->Repetitions(RUNS);
  RegisterBenchmark("thumb_drag_step", thumbDragStep)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3)->Repetitions(RUNS);
  RegisterBenchmark("render_document", renderDocument)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);
  RegisterBenchmark("xxd", xxdDocument)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);
}
