// The fixture of every desktop test: a private display, the real program on it, and a person at its
// keyboard and mouse. Every test ends with the program's terminal output checked to be empty, and leaves
// a screenshot behind when it fails (or always, with OXBYTE_DESKTOP_SHOTS=<folder>).
#ifndef OXBYTE_TESTS_DESKTOP_DESKTOP_TEST_H
#define OXBYTE_TESTS_DESKTOP_DESKTOP_TEST_H

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/desktop/display.h"
#include "tests/desktop/frame_layout.h"
#include "tests/desktop/input.h"
#include "tests/desktop/process.h"
#include "tests/desktop/xwindows.h"

namespace desktop {

using Bytes = std::vector<uint8_t>;

class DesktopTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Starts the display; fails the test (fatally) when it cannot.
  void startDesktop(WindowManager manager);
  // Starts the program and waits until its frame is shown, painted and has the keyboard.
  void launch(const std::vector<std::string> &arguments = {}, const EnvironmentChanges &environment = {});
  // Writes the file (it becomes file_) and starts the program on it.
  void launchOn(const Bytes &bytes, const std::string &name = "sample.bin",
                const EnvironmentChanges &environment = {});

  std::filesystem::path makeFile(const std::string &name, const Bytes &bytes);
  static Bytes fileBytes(const std::filesystem::path &path);
  // The bytes of a file `size` long that no edit in a test writes by chance (never 0x41 to 0x4F).
  static Bytes sampleBytes(size_t size);

  Display *x() const { return display_->x(); }
  bool withWindowManager() const { return display_->hasWindowManager(); }
  Typist &person() { return *person_; }

  // The program's windows that are on the screen now.
  std::vector<Window> shownWindows();
  // A drop-down menu or a tooltip of the program on the screen (its override-redirect windows).
  bool popupShowing();
  // A top-level window of the program other than the frame, on the screen with this title (any title
  // when empty); None when there is none (by the timeout).
  Window shownDialog(const std::string &title);
  Window waitForDialog(const std::string &title, Millis timeout = 5s);
  bool waitUntilGone(Window window);
  bool hasKeyboard(Window window);

  // Root coordinates of a point given in the program's own pixels inside the frame.
  Point onScreen(Point inFrame);
  void clickAt(Point inFrame) {
    Point p = onScreen(inFrame);
    person().click(p.x, p.y);
  }
  void restPointerOn(Point inFrame) {
    Point p = onScreen(inFrame);
    person().moveTo(p.x, p.y);
  }
  // Clicks the toolbar's Save button and waits until the file holds `expected`.
  void saveWithToolbarAndExpect(const Bytes &expected);

  // What a window manager sends when the user closes a window.
  void askToClose(Window window);
  // Closes the frame as the user would and expects the program to end with status 0 (unless the test
  // has failed already, and the program may be in any state).
  void closeAndExpectCleanExit();
  std::string terminalOutput() const;

  std::unique_ptr<PrivateDisplay> display_;
  std::unique_ptr<Typist> person_;
  ChildProcess program_;
  Window frame_ = None;
  int scale_ = 1;  // the program's pixels per program pixel: 2 on a HiDPI desktop
  std::filesystem::path folder_, file_;

 private:
  Window findFrame();
  bool isPainted();
  void saveScreenshot();
};

// For tests run both on a bare X server and under a window manager.
class DesktopTestOnBoth : public DesktopTest, public ::testing::WithParamInterface<WindowManager> {};
void PrintTo(WindowManager manager, std::ostream *out);
std::string windowManagerName(const ::testing::TestParamInfo<WindowManager> &info);
#define OXBYTE_ON_BOTH_DESKTOPS(suite)                                                                     \
  INSTANTIATE_TEST_SUITE_P(, suite, ::testing::Values(WindowManager::Absent, WindowManager::Openbox), \
                           windowManagerName)

}  // namespace desktop

#endif
