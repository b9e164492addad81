// backend: the SDL2 driver — top-level windows are real desktop windows.
#ifndef OXBYTE_WIN32_BACKEND_SDL_H
#define OXBYTE_WIN32_BACKEND_SDL_H

#include <memory>
#include <unordered_map>

struct SDL_Window;

#include "backend/driver.h"

namespace win32::backend {

class SdlDriver final : public Driver {
 public:
  static std::unique_ptr<SdlDriver> open(std::string &error);
  ~SdlDriver() override;

  NativeId createWindow(const std::string &title, int x, int y, int width, int height,
                        WindowKind kind) override;
  void destroyWindow(NativeId id) override;
  void setTitle(NativeId id, const std::string &title) override;
  void setBounds(NativeId id, int x, int y, int width, int height) override;
  void show(NativeId id, bool visible) override;
  void minimize(NativeId id) override;
  void raise(NativeId id) override;
  void setIcon(NativeId id, const uint32_t *argb, int width, int height) override;
  void setOwner(NativeId id, NativeId owner) override;
  void present(NativeId id, const uint32_t *pixels, int width, int height, int stride, int dirtyLeft,
               int dirtyTop, int dirtyRight, int dirtyBottom) override;
  bool waitEvent(Event &event, int64_t timeoutMs) override;
  uint64_t now() override;
  void idleUntil(uint64_t) override {}
  void beep() override;
  void setClipboardText(const std::string &text) override;
  std::string clipboardText() override;
  void captureMouse(bool on) override;
  int screenWidth() override;
  int screenHeight() override;

 private:
  SdlDriver() = default;
  bool translate(const void *sdlEvent, Event &event);
  void giveFocusBack(SDL_Window *closing);
  uint32_t audio_ = 0;
  NativeId lastFocused_ = 0;  // the last decorated window that had the keyboard
  std::unordered_map<NativeId, NativeId> owners_;  // dialog → the window it belongs to
  bool audioTried_ = false;
};

}  // namespace win32::backend

#endif
