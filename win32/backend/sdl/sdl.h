// backend: the SDL2 driver — top-level windows are real desktop windows.
#ifndef OXBYTE_WIN32_BACKEND_SDL_H
#define OXBYTE_WIN32_BACKEND_SDL_H

#include <memory>
#include <unordered_map>
#include <vector>

struct SDL_Window;
union SDL_Event;

#include "backend/driver.h"

namespace win32::backend {

// Drop-down menus, lists and tooltips.
bool isPopupWindow(SDL_Window *window);

class SdlDriver final : public Driver {
 public:
  static std::unique_ptr<SdlDriver> open(std::string &error);
  ~SdlDriver() override;

  NativeId createWindow(const std::string &title, int x, int y, int width, int height, WindowKind kind,
                        uint32_t actions) override;
  void destroyWindow(NativeId id) override;
  void setTitle(NativeId id, const std::string &title) override;
  void setBounds(NativeId id, int x, int y, int width, int height) override;
  void show(NativeId id, bool visible) override;
  void minimize(NativeId id) override;
  void activate(NativeId id) override;
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
  unsigned takeDefaultPlace() override;

 private:
  explicit SdlDriver(int scale) : scale_(scale) {}
  bool nextEvent(SDL_Event &sdl, int64_t timeoutMs);
  bool translate(const SDL_Event &sdl, Event &event);
  bool translateWindowEvent(const SDL_Event &sdl, Event &event);
  static int filterEvent(void *driver, SDL_Event *event);
  void giveFocusBack(SDL_Window *closing);
  void disarmKeys() { keyArmedBy_ = 0; }

  const int scale_;  // desktop pixels per Win32 pixel
  std::vector<uint32_t> scaled_;
  uint32_t audio_ = 0;
  bool audioTried_ = false;
  int keyArmedBy_ = 0;  // the X key event being dispatched, which may bring one key event
  std::unordered_map<NativeId, NativeId> owners_;  // dialog → the window it belongs to
  unsigned defaultPlaces_ = 0;  // off X11, where nothing is shared between programs
};

}  // namespace win32::backend

#endif
