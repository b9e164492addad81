// A private X display for one test.
#include "tests/desktop/display.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "tests/desktop/xwindows.h"

namespace desktop {

namespace {

// Xvfb writes the number of the display it chose to -displayfd once it accepts connections.
std::string readDisplayNumber(int fd) {
  std::string number;
  auto deadline = std::chrono::steady_clock::now() + scaled(10s);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char c;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return number;
    number += c;
  }
  return "";
}

}  // namespace

PrivateDisplay::PrivateDisplay(WindowManager manager) : manager_(manager) {
  tolerateXErrors();
  if (startServer() && manager_ == WindowManager::Openbox) startWindowManager();
}

PrivateDisplay::~PrivateDisplay() {
  windowManager_.stop();
  if (x_) XCloseDisplay(x_);
  server_.stop();
}

bool PrivateDisplay::startServer() {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return error_ = "no pipe for Xvfb", false;
  server_ = ChildProcess({{"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", "1280x1024x24",
                           "-nolisten", "tcp", "-noreset"},
                          {},
                          "",
                          "",
                          pipeFds[1]});
  close(pipeFds[1]);
  std::string number = readDisplayNumber(pipeFds[0]);
  close(pipeFds[0]);
  if (number.empty()) return error_ = "Xvfb did not start", false;
  name_ = ":" + number;
  x_ = XOpenDisplay(name_.c_str());
  if (!x_) return error_ = "cannot connect to Xvfb on " + name_, false;
  return true;
}

// The window manager is ready once it names itself through _NET_SUPPORTING_WM_CHECK on the root.
bool PrivateDisplay::startWindowManager() {
  windowManager_ = ChildProcess({{"openbox", "--sm-disable"}, {{"DISPLAY", name_}}, "", "", -1});
  bool up = waitUntil([&] {
    auto check = windowProperty(x_, root(), "_NET_SUPPORTING_WM_CHECK");
    return !check.empty() && !stringProperty(x_, Window(check[0]), "_NET_WM_NAME").empty();
  });
  if (!up) error_ = "openbox did not start on " + name_;
  return up;
}

}  // namespace desktop
