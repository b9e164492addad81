// backend: the SDL2 driver.
#include "backend/sdl/sdl.h"

#include "backend/sdl/library.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "backend/sdl/keys.h"

namespace win32::backend {

namespace {

// The desktop SDL is to reach, chosen before SDL is loaded; false with the reason when there is none.
bool chooseVideoDriver(std::string &error) {
  if (std::getenv("SDL_VIDEODRIVER")) return true;  // the user's own choice
  bool x11 = std::getenv("DISPLAY"), wayland = std::getenv("WAYLAND_DISPLAY");
  if (!x11 && !wayland) {
    error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  // Without a Wayland session SDL need not look for one (and complain on the terminal that it found none).
  if (!wayland) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  return true;
}

// Reaching no desktop, SDL falls back to drawing off the screen, where nobody would see a window; that
// driver is used only when asked for by name.
bool drawsOffScreen() {
  const char *driver = SDL_GetCurrentVideoDriver();
  return !std::getenv("SDL_VIDEODRIVER") && driver &&
         (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

}  // namespace

std::unique_ptr<SdlDriver> SdlDriver::open(std::string &error) {
  if (!openSdlLibrary(error) || !chooseVideoDriver(error)) return nullptr;
  // Ctrl+C in the terminal ends the program as it ends any other.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("cannot open a display (") + SDL_GetError() + ")";
    SDL_Quit();
    return nullptr;
  }
  if (drawsOffScreen()) {
    error = "no X11 or Wayland display could be reached";
    SDL_Quit();
    return nullptr;
  }
  SDL_StartTextInput();
  return std::unique_ptr<SdlDriver>(new SdlDriver());
}

SdlDriver::~SdlDriver() {
  if (audio_) SDL_CloseAudioDevice(audio_);
  SDL_Quit();
}

NativeId SdlDriver::createWindow(const std::string &title, int x, int y, int width, int height,
                                 WindowKind kind) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (kind == WindowKind::Frame) flags |= SDL_WINDOW_RESIZABLE;
  if (kind == WindowKind::Popup) flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
  SDL_Window *window = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
  return window ? SDL_GetWindowID(window) : 0;
}

namespace {

bool isPopup(SDL_Window *window) { return SDL_GetWindowFlags(window) & SDL_WINDOW_POPUP_MENU; }

}  // namespace

// The desktop may hand the keyboard to a drop-down menu while it is shown, and gives it to a dialog; when
// either goes, the keyboard goes back to the window it belongs to rather than to nowhere (as it would on a
// desktop without a window manager).
void SdlDriver::giveFocusBack(SDL_Window *closing) {
  NativeId back = 0;
  if (isPopup(closing)) {
    back = lastFocused_;
  } else if (auto owner = owners_.find(SDL_GetWindowID(closing)); owner != owners_.end()) {
    if (SDL_GetWindowFlags(closing) & SDL_WINDOW_INPUT_FOCUS) back = owner->second;
  }
  if (SDL_Window *window = SDL_GetWindowFromID(back)) SDL_SetWindowInputFocus(window);
}

void SdlDriver::destroyWindow(NativeId id) {
  if (SDL_Window *window = SDL_GetWindowFromID(id)) {
    giveFocusBack(window);
    owners_.erase(id);
    SDL_DestroyWindow(window);
  }
}

void SdlDriver::setTitle(NativeId id, const std::string &title) {
  if (SDL_Window *window = SDL_GetWindowFromID(id)) SDL_SetWindowTitle(window, title.c_str());
}

void SdlDriver::setBounds(NativeId id, int x, int y, int width, int height) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window) return;
  int oldX, oldY, oldW, oldH;
  SDL_GetWindowPosition(window, &oldX, &oldY);
  SDL_GetWindowSize(window, &oldW, &oldH);
  if (oldW != width || oldH != height) SDL_SetWindowSize(window, width, height);
  if (oldX != x || oldY != y) SDL_SetWindowPosition(window, x, y);
}

void SdlDriver::show(NativeId id, bool visible) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window) return;
  if (visible) {
    SDL_ShowWindow(window);
    // Drop-down menus and tooltips never take the keyboard from the window they belong to. Any other
    // window shown takes it, also where no window manager would hand it over.
    if (!isPopup(window)) {
      SDL_RaiseWindow(window);
      SDL_SetWindowInputFocus(window);
    }
  } else {
    giveFocusBack(window);
    SDL_HideWindow(window);
  }
}

void SdlDriver::minimize(NativeId id) {
  if (SDL_Window *window = SDL_GetWindowFromID(id)) SDL_MinimizeWindow(window);
}

void SdlDriver::raise(NativeId id) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (window && !isPopup(window)) SDL_RaiseWindow(window);
}

void SdlDriver::setIcon(NativeId id, const uint32_t *argb, int width, int height) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window) return;
  SDL_Surface *icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(argb), width, height, 32,
                                                         width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window, icon);
  SDL_FreeSurface(icon);
}

void SdlDriver::setOwner(NativeId id, NativeId owner) {
  SDL_Window *window = SDL_GetWindowFromID(id), *parent = SDL_GetWindowFromID(owner);
  if (!window || !parent) return;
  SDL_SetWindowModalFor(window, parent);
  owners_[id] = owner;
}

void SdlDriver::present(NativeId id, const uint32_t *pixels, int width, int height, int stride, int dirtyLeft,
                        int dirtyTop, int dirtyRight, int dirtyBottom) {
  SDL_Window *window = SDL_GetWindowFromID(id);
  if (!window) return;
  SDL_Surface *target = SDL_GetWindowSurface(window);
  if (!target) return;
  SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t *>(pixels), width, height, 32,
                                                           stride * 4, SDL_PIXELFORMAT_RGB888);
  if (!source) return;
  SDL_Rect dirty{dirtyLeft, dirtyTop, dirtyRight - dirtyLeft, dirtyBottom - dirtyTop};
  SDL_Rect to = dirty;
  SDL_BlitSurface(source, &dirty, target, &to);
  SDL_FreeSurface(source);
  SDL_UpdateWindowSurfaceRects(window, &dirty, 1);
}

bool SdlDriver::waitEvent(Event &event, int64_t timeoutMs) {
  uint64_t deadline = SDL_GetTicks64() + (timeoutMs > 0 ? uint64_t(timeoutMs) : 0);
  for (;;) {
    SDL_Event sdl;
    int got;
    if (timeoutMs <= 0) {
      got = SDL_PollEvent(&sdl);
    } else {
      uint64_t now = SDL_GetTicks64();
      if (now >= deadline) return false;
      uint64_t left = deadline - now;
      got = SDL_WaitEventTimeout(&sdl, left > 0x7fffffff ? 0x7fffffff : int(left));
    }
    if (!got) return false;
    if (translate(&sdl, event)) return true;
  }
}

bool SdlDriver::translate(const void *raw, Event &event) {
  const SDL_Event &sdl = *static_cast<const SDL_Event *>(raw);
  event = Event{};
  switch (sdl.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      event.type = sdl.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
      event.window = sdl.key.windowID;
      event.vk = virtualKeyOf(sdl.key.keysym.sym);
      event.repeat = sdl.key.repeat != 0;
      event.mods = modifiersOf(sdl.key.keysym.mod);
      return event.vk != 0;
    }
    case SDL_TEXTINPUT: {
      // Alt+letter drives the menu as a system key; the text SDL also reports for it is not typing.
      if (SDL_GetModState() & KMOD_ALT) return false;
      event.type = EventType::Text;
      event.window = sdl.text.windowID;
      std::snprintf(event.text, sizeof event.text, "%s", sdl.text.text);
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      event.type = sdl.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
      event.window = sdl.button.windowID;
      event.x = sdl.button.x;
      event.y = sdl.button.y;
      event.button = sdl.button.button;
      event.clicks = sdl.button.clicks;
      return true;
    case SDL_MOUSEMOTION:
      event.type = EventType::MouseMove;
      event.window = sdl.motion.windowID;
      event.x = sdl.motion.x;
      event.y = sdl.motion.y;
      return true;
    case SDL_MOUSEWHEEL: {
      event.type = EventType::MouseWheel;
      event.window = sdl.wheel.windowID;
      SDL_GetMouseState(&event.x, &event.y);
      event.wheel = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdl.wheel.y : sdl.wheel.y;
      return event.wheel != 0;
    }
    case SDL_WINDOWEVENT:
      event.window = sdl.window.windowID;
      switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE: event.type = EventType::Close; return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          event.type = EventType::Resized;
          event.width = sdl.window.data1;
          event.height = sdl.window.data2;
          return true;
        case SDL_WINDOWEVENT_MOVED:
          event.type = EventType::Moved;
          event.x = sdl.window.data1;
          event.y = sdl.window.data2;
          return true;
        case SDL_WINDOWEVENT_MINIMIZED: event.type = EventType::Minimized; return true;
        case SDL_WINDOWEVENT_RESTORED: event.type = EventType::Restored; return true;
        case SDL_WINDOWEVENT_EXPOSED: event.type = EventType::Exposed; return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          if (SDL_Window *window = SDL_GetWindowFromID(event.window); window && !isPopup(window))
            lastFocused_ = event.window;
          event.type = EventType::FocusGained;
          return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: event.type = EventType::FocusLost; return true;
        case SDL_WINDOWEVENT_LEAVE: event.type = EventType::MouseLeave; return true;
        default: return false;
      }
    default:
      return false;
  }
}

uint64_t SdlDriver::now() { return SDL_GetTicks64(); }

// A short soft tone; without a sound device the beep is silent (it is still counted by the caller).
void SdlDriver::beep() {
  if (!audioTried_) {
    audioTried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec want{}, have{};
      want.freq = 22050;
      want.format = AUDIO_S16SYS;
      want.channels = 1;
      want.samples = 512;
      audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
      if (audio_) SDL_PauseAudioDevice(audio_, 0);
    }
  }
  if (!audio_) return;
  const int rate = 22050, samples = rate / 8;
  std::vector<int16_t> tone(samples);
  for (int i = 0; i < samples; ++i) {
    int envelope = std::min(i, samples - i) < 200 ? std::min(i, samples - i) * 40 : 8000;
    tone[i] = int16_t(((i * 880 * 2 / rate) % 2 ? 1 : -1) * envelope);
  }
  SDL_ClearQueuedAudio(audio_);
  SDL_QueueAudio(audio_, tone.data(), Uint32(tone.size() * sizeof(int16_t)));
}

void SdlDriver::setClipboardText(const std::string &text) { SDL_SetClipboardText(text.c_str()); }

std::string SdlDriver::clipboardText() {
  char *text = SDL_GetClipboardText();
  std::string result = text ? text : "";
  SDL_free(text);
  return result;
}

void SdlDriver::captureMouse(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

int SdlDriver::screenWidth() {
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.w : 1280;
}

int SdlDriver::screenHeight() {
  SDL_DisplayMode mode;
  return SDL_GetDesktopDisplayMode(0, &mode) == 0 ? mode.h : 1024;
}

}  // namespace win32::backend
