// A private X display (Xvfb) for one test, with or without a real window manager (openbox).
#ifndef OXBYTE_TESTS_DESKTOP_DISPLAY_H
#define OXBYTE_TESTS_DESKTOP_DISPLAY_H

#include <X11/Xlib.h>

#include <string>

#include "tests/desktop/process.h"

namespace desktop {

enum class WindowManager { Absent, Openbox };

class PrivateDisplay {
 public:
  static constexpr int kWidth = 1280, kHeight = 1024;

  // Starts the server (and the window manager) and waits until both are ready; check ready() after.
  explicit PrivateDisplay(WindowManager manager);
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay &) = delete;
  PrivateDisplay &operator=(const PrivateDisplay &) = delete;

  bool ready() const { return x_ != nullptr && error_.empty(); }
  const std::string &error() const { return error_; }
  const std::string &name() const { return name_; }  // ":N", for DISPLAY
  Display *x() const { return x_; }
  Window root() const { return DefaultRootWindow(x_); }
  bool hasWindowManager() const { return manager_ != WindowManager::Absent; }

 private:
  bool startServer();
  bool startWindowManager();

  WindowManager manager_;
  ChildProcess server_, windowManager_;
  std::string name_, error_;
  Display *x_ = nullptr;
};

}  // namespace desktop

#endif
