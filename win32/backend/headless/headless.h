// backend: the headless driver — windows live only in memory, time is a clock the caller advances.
#ifndef OXBYTE_WIN32_BACKEND_HEADLESS_H
#define OXBYTE_WIN32_BACKEND_HEADLESS_H

#include <deque>

#include "backend/driver.h"

namespace win32::backend {

class HeadlessDriver final : public Driver {
 public:
  NativeId createWindow(const std::string &, int, int, int, int, WindowKind, uint32_t) override { return ++lastId_; }
  void destroyWindow(NativeId) override {}
  void setTitle(NativeId, const std::string &) override {}
  void setBounds(NativeId, int, int, int, int) override {}
  void show(NativeId, bool) override {}
  void minimize(NativeId) override {}
  void activate(NativeId) override {}
  void setIcon(NativeId, const uint32_t *, int, int) override {}
  void setOwner(NativeId, NativeId) override {}
  void present(NativeId, const uint32_t *, int, int, int, int, int, int, int) override {}

  bool waitEvent(Event &event, int64_t timeoutMs) override;
  uint64_t now() override { return clock_; }
  void idleUntil(uint64_t deadline) override;

  void beep() override {}
  void setClipboardText(const std::string &text) override { clipboard_ = text; }
  std::string clipboardText() override { return clipboard_; }
  void captureMouse(bool) override {}
  int screenWidth() override { return 1280; }
  int screenHeight() override { return 1024; }
  unsigned takeDefaultPlace() override { return defaultPlaces_++; }

  void advance(uint64_t ms) { clock_ += ms; }
  void inject(const Event &event) { events_.push_back(event); }

 private:
  NativeId lastId_ = 0;
  uint64_t clock_ = 1000;
  std::deque<Event> events_;
  std::string clipboard_;
  unsigned defaultPlaces_ = 0;
};

}  // namespace win32::backend

#endif
