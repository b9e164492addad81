// backend: the SDL driver's input — waiting for events, and SDL's events as the stand-in's.
#include "backend/sdl/sdl.h"

#include "backend/sdl/library.h"

#include <SDL_syswm.h>

#include <cstdio>

#include "backend/sdl/keys.h"
#include "backend/sdl/x11.h"

namespace win32::backend {

namespace {

// Desktop pixels to Win32 pixels, rounding down also left of and above the window.
int unscale(int value, int scale) { return value >= 0 ? value / scale : -((-value + scale - 1) / scale); }

}  // namespace

// On Windows key messages come only from keys the user presses and releases. SDL also makes key events up
// when the keyboard moves from one of our windows to another (every key held is released on the window
// left and pressed again on the window entered), and a menu would take such an Alt for the user's. Each
// X key event SDL dispatches lets one key event of its kind through; all others are dropped.
int SdlDriver::filterEvent(void *self, SDL_Event *event) {
  auto &driver = *static_cast<SdlDriver *>(self);
  switch (event->type) {
    case SDL_SYSWMEVENT: {
      int type = event->syswm.msg->msg.x11.event.type;
      driver.keyArmedBy_ = type == KeyPress || type == KeyRelease ? type : 0;
      return 0;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      if (!x11::active()) return 1;
      bool pressed = driver.keyArmedBy_ == (event->type == SDL_KEYDOWN ? KeyPress : KeyRelease);
      driver.keyArmedBy_ = 0;
      return pressed;
    }
    default: return 1;
  }
}

// SDL's own wait asks the X server to wake it with a message sent to one of our windows, which may be
// destroyed before the server delivers it; on X11 the driver waits on the display's connection instead.
bool SdlDriver::nextEvent(SDL_Event &sdl, int64_t timeoutMs) {
  uint64_t deadline = SDL_GetTicks64() + uint64_t(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    if (SDL_PollEvent(&sdl)) return true;
    if (timeoutMs <= 0) return false;
    uint64_t now = SDL_GetTicks64();
    if (now >= deadline) return false;
    if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) continue;
    int left = deadline - now > 0x7fffffff ? 0x7fffffff : int(deadline - now);
    if (!x11::waitForInput(left)) return SDL_WaitEventTimeout(&sdl, left) != 0;
  }
}

bool SdlDriver::waitEvent(Event &event, int64_t timeoutMs) {
  SDL_Event sdl;
  while (nextEvent(sdl, timeoutMs))
    if (translate(sdl, event)) return true;
  return false;
}

bool SdlDriver::translate(const SDL_Event &sdl, Event &event) {
  event = Event{};
  switch (sdl.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      event.type = sdl.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
      event.window = sdl.key.windowID;
      event.vk = virtualKeyOf(sdl.key.keysym.sym);
      event.repeat = sdl.key.repeat != 0;
      event.mods = modifiersOf(sdl.key.keysym.mod);
      return event.vk != 0;
    case SDL_TEXTINPUT:
      // Alt+letter drives the menu as a system key; the text SDL also reports for it is not typing.
      if (SDL_GetModState() & KMOD_ALT) return false;
      event.type = EventType::Text;
      event.window = sdl.text.windowID;
      std::snprintf(event.text, sizeof event.text, "%s", sdl.text.text);
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      event.type = sdl.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
      event.window = sdl.button.windowID;
      event.x = unscale(sdl.button.x, scale_);
      event.y = unscale(sdl.button.y, scale_);
      event.button = sdl.button.button;
      event.clicks = sdl.button.clicks;
      return true;
    case SDL_MOUSEMOTION:
      event.type = EventType::MouseMove;
      event.window = sdl.motion.windowID;
      event.x = unscale(sdl.motion.x, scale_);
      event.y = unscale(sdl.motion.y, scale_);
      return true;
    case SDL_MOUSEWHEEL:
      event.type = EventType::MouseWheel;
      event.window = sdl.wheel.windowID;
      SDL_GetMouseState(&event.x, &event.y);
      event.x = unscale(event.x, scale_);
      event.y = unscale(event.y, scale_);
      event.wheel = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
      return event.wheel != 0;
    case SDL_WINDOWEVENT: return translateWindowEvent(sdl, event);
    default: return false;
  }
}

bool SdlDriver::translateWindowEvent(const SDL_Event &sdl, Event &event) {
  event.window = sdl.window.windowID;
  switch (sdl.window.event) {
    case SDL_WINDOWEVENT_CLOSE: event.type = EventType::Close; return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      event.type = EventType::Resized;
      event.width = sdl.window.data1 / scale_;
      event.height = sdl.window.data2 / scale_;
      return true;
    case SDL_WINDOWEVENT_MOVED:
      event.type = EventType::Moved;
      event.x = unscale(sdl.window.data1, scale_);
      event.y = unscale(sdl.window.data2, scale_);
      return true;
    case SDL_WINDOWEVENT_MINIMIZED: event.type = EventType::Minimized; return true;
    case SDL_WINDOWEVENT_RESTORED: event.type = EventType::Restored; return true;
    case SDL_WINDOWEVENT_EXPOSED: event.type = EventType::Exposed; return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (SDL_Window *window = SDL_GetWindowFromID(event.window); window && isPopupWindow(window)) return false;
      event.type = EventType::FocusGained;
      event.mods = modifiersOf(SDL_GetModState());
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST: event.type = EventType::FocusLost; return true;
    case SDL_WINDOWEVENT_LEAVE: event.type = EventType::MouseLeave; return true;
    default: return false;
  }
}

}  // namespace win32::backend
