// Renders named scenes of the real program to PNG through the headless backend, for the README.
//   oxbyte-scenes OUTPUT_FOLDER
#include <windows.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "backend/driver.h"
#include "backend/headless/png.h"
#include "resources/resource.h"
#include "tests/support/quit_program.h"
#include "tests/support/quoted.h"
#include "user32/window.h"

namespace {

std::string folder;

// Every visible top-level window drawn at its place on the screen, on a plain desktop.
void snapshot(const std::string &name) {
  std::vector<win32::Window *> windows;
  RECT bounds{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  std::vector<HWND> tops = win32::topLevelWindows();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {  // bottom of the z-order first
    win32::Window *w = win32::findWindow(*it, false);
    if (!w || !w->visible() || !w->top) continue;
    windows.push_back(w);
    bounds = {std::min(bounds.left, w->rect.left), std::min(bounds.top, w->rect.top),
              std::max(bounds.right, w->rect.right), std::max(bounds.bottom, w->rect.bottom)};
  }
  if (windows.empty()) return;
  const int margin = 6;
  int width = bounds.right - bounds.left + 2 * margin, height = bounds.bottom - bounds.top + 2 * margin;
  std::vector<uint32_t> canvas(size_t(width) * height, 0x3A6EA5);
  for (win32::Window *w : windows) {
    const win32::Surface &s = w->top->surface;
    int ox = w->rect.left - bounds.left + margin, oy = w->rect.top - bounds.top + margin;
    for (int y = 0; y < s.height; ++y)
      std::copy_n(s.pixels.data() + size_t(y) * s.width, s.width, canvas.data() + size_t(oy + y) * width + ox);
  }
  std::string path = folder + "/" + name + ".png";
  std::printf("%s %s\n", win32::writePng(path, canvas.data(), width, height) ? "wrote" : "could not write",
              path.c_str());
}

// A modal window (dialog, menu) runs its own loop inside `open`; once it has painted and the loop is
// idle, the timer takes the picture and `close` ends it.
std::string pendingName;
std::function<void()> pendingClose;

void CALLBACK takePicture(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  snapshot(pendingName);
  pendingClose();
}

void modalScene(const std::string &name, const std::function<void()> &open, const std::function<void()> &close) {
  pendingName = name;
  pendingClose = close;
  SetTimer(nullptr, 0, 50, takePicture);
  open();
}

void postToActive(UINT message, WPARAM wParam, LPARAM lParam) {
  PostMessageA(GetActiveWindow(), message, wParam, lParam);
}

void postKey(HWND to, int vk) {
  PostMessageA(to, WM_KEYDOWN, WPARAM(vk), 1);
  PostMessageA(to, WM_KEYUP, WPARAM(vk), LPARAM(0xC0000001u));
}

void type(const Startup &program, const char *text) {
  for (const char *p = text; *p; ++p) PostMessageA(program.frame, WM_CHAR, WPARAM(static_cast<unsigned char>(*p)), 1);
  handleWaitingMessages(program);
}

// A folder of its own for the files the scenes open, so the Open dialog shows something tidy.
std::string makeWorkFolder() {
  char pattern[] = "/tmp/oxbyte-scenes-XXXXXX";
  std::string work = mkdtemp(pattern);
  mkdir((work + "/projects").c_str(), 0755);
  for (const char *name : {"tool.exe", "driver.dll", "firmware.bin", "notes.txt"})
    if (FILE *f = std::fopen((work + "/" + name).c_str(), "wb")) std::fclose(f);
  return work;
}

std::string writeSample(const std::string &work) {
  std::string path = work + "/sample.bin";
  if (FILE *f = std::fopen(path.c_str(), "wb")) {
    const char text[] = "Oxbyte shows every byte of a file as two hexadecimal digits and as a character. ";
    for (int i = 0; i < 1536; ++i)
      std::fputc(i < 160 ? text[i % (sizeof text - 1)] : (i * 37 + i / 7 + (i >> 5)) & 0xFF, f);
    std::fclose(f);
  }
  return path;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: oxbyte-scenes OUTPUT_FOLDER\n");
    return 2;
  }
  folder = argv[1];
  // The pictures show the program on a Chinese desktop, where the system's own texts (the buttons of
  // message boxes, the Open dialog) are Chinese too.
  unsetenv("LC_ALL");
  setenv("LC_MESSAGES", "zh_CN.UTF-8", 1);
  win32::backend::useHeadless();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (folder[0] != '/') {
    char here[4096];
    if (getcwd(here, sizeof here)) folder = std::string(here) + "/" + folder;
  }
  std::string work = makeWorkFolder();
  std::string sample = writeSample(work);
  if (chdir(work.c_str()) != 0) return 1;

  Startup empty = startOxbyte(instance, "", SW_SHOWNORMAL);
  if (!empty.frame) return 1;
  handleWaitingMessages(empty);
  snapshot("start");
  modalScene("open-dialog", [&] { SendMessageA(empty.frame, WM_COMMAND, IDM_OPEN, 0); },
             [] { postToActive(WM_COMMAND, IDCANCEL, 0); });
  handleWaitingMessages(empty);
  quitProgram(empty);

  std::string line = quotedPath(sample);
  Startup program = startOxbyte(instance, line.c_str(), SW_SHOWNORMAL);
  handleWaitingMessages(program);
  type(program, "4f0a");
  postKey(program.frame, VK_DOWN);
  postKey(program.frame, VK_DOWN);
  handleWaitingMessages(program);
  type(program, "\t");
  type(program, "Hi");
  snapshot("editor");
  modalScene("menu", [&] {
    PostMessageA(program.frame, WM_SYSKEYDOWN, 'S', LPARAM(0x20000001));
    handleWaitingMessages(program);
  }, [] {
    postKey(GetActiveWindow(), VK_ESCAPE);
    postKey(GetActiveWindow(), VK_ESCAPE);
  });
  handleWaitingMessages(program);
  modalScene("about", [&] { SendMessageA(program.frame, WM_COMMAND, IDM_ABOUT, 0); },
             [] { postToActive(WM_COMMAND, IDOK, 0); });
  modalScene("find", [&] { SendMessageA(program.frame, WM_COMMAND, IDM_FIND, 0); },
             [] { postToActive(WM_COMMAND, IDCANCEL, 0); });
  modalScene("goto", [&] { SendMessageA(program.frame, WM_COMMAND, IDM_GOTO, 0); },
             [] { postToActive(WM_COMMAND, IDCANCEL, 0); });
  modalScene("question", [&] { SendMessageA(program.frame, WM_COMMAND, IDM_REVERT, 0); },
             [] { postToActive(WM_COMMAND, IDNO, 0); });
  handleWaitingMessages(program);
  modalScene("question-close", [&] { SendMessageA(program.frame, WM_CLOSE, 0, 0); },
             [] { postToActive(WM_COMMAND, IDNO, 0); });
  runMessageLoop(program);
  std::filesystem::remove_all(work);
  return 0;
}
