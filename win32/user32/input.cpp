// user32: keyboard and mouse input, focus and activation.
#include "user32/input.h"

#include <cstring>

#include "user32/hook.h"
#include "user32/message.h"
#include "user32/paint.h"
#include "user32/window.h"
#include "user32/winpos.h"

namespace win32 {
namespace {

struct InputState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  HWND hover = nullptr;
  HWND trackLeave = nullptr;
  BYTE keys[256] = {};
  WPARAM buttons = 0;  // MK_ bits of the mouse buttons held, as the events report them
  POINT cursor{0, 0};
};

InputState &state() {
  static InputState s;
  return s;
}

bool isDescendant(HWND ancestor, HWND hwnd) {
  for (Window *w = findWindow(hwnd, false); w && w->isChild(); w = findWindow(w->parent, false))
    if (w->parent == ancestor) return true;
  return false;
}

LPARAM keyLParam(int vk, bool down, bool repeat, bool alt) {
  DWORD lp = 1;
  if (vk == VK_PRIOR || vk == VK_NEXT || vk == VK_END || vk == VK_HOME || (vk >= VK_LEFT && vk <= VK_DOWN) ||
      vk == VK_INSERT || vk == VK_DELETE)
    lp |= 1u << 24;
  if (alt) lp |= 1u << 29;
  if (!down || repeat) lp |= 1u << 30;
  if (!down) lp |= 1u << 31;
  return LPARAM(lp);
}

// Keys go to the focus window, whichever desktop window the user typed into: on Windows the keyboard
// belongs to the thread's focus, not to a native window, so keys typed ahead reach a dialog that has
// just opened. With no focus they reach the active window, as system keys.
HWND keyTarget(bool &system) {
  InputState &s = state();
  HWND target = s.focus ? s.focus : s.active;
  system = system || !s.focus;
  Window *w = findWindow(target, false);
  Window *top = w ? topLevelOf(w) : nullptr;
  return top && top->enabled() ? target : nullptr;
}

void keyMessages(const backend::Event &e, std::vector<MSG> &out) {
  bool down = e.type == backend::EventType::KeyDown;
  bool alt = (e.mods & backend::ModAlt) != 0, ctrl = (e.mods & backend::ModCtrl) != 0;
  bool system = (alt && !ctrl) || e.vk == VK_F10 || e.vk == VK_MENU;
  HWND target = keyTarget(system);
  if (!target) return;
  UINT message = system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
  out.push_back(MSG{target, message, WPARAM(e.vk), keyLParam(e.vk, down, e.repeat, alt), 0, {}});
}

void textMessages(const backend::Event &e, std::vector<MSG> &out) {
  bool system = false;
  HWND target = keyTarget(system);
  if (!target || system) return;
  for (const char *p = e.text; *p; ++p)
    out.push_back(MSG{target, WM_CHAR, WPARAM(static_cast<unsigned char>(*p)), 1, 0, {}});
}

// The mouse wheel turns the focus window when it lies in the window under the pointer.
HWND wheelTarget(Window &top) {
  HWND focus = state().focus;
  if (focus && (focus == top.handle || isDescendant(top.handle, focus))) return focus;
  return top.handle;
}

struct Hit {
  HWND hwnd = nullptr;
  int code = HTNOWHERE;
  POINT client{0, 0};  // the point in the hit window's client coordinates
};

// The deepest visible window under a point given in `w`'s window coordinates.
Hit hitTest(Window &w, POINT pt) {
  RECT in = nonClientInsets(w);
  RECT client = clientRectOf(w);
  POINT local{pt.x - in.left, pt.y - in.top};
  if (!rectContains(client, local.x, local.y)) {
    int code = HTBORDER;
    if (w.isChild() && (w.style & WS_VSCROLL) && w.vscroll && w.vscroll->shown && local.x >= client.right)
      code = HTVSCROLL;
    if (!w.isChild() && pt.y < in.top) code = HTMENU;
    return {w.handle, code, local};
  }
  for (HWND hchild : w.children) {
    Window *child = findWindow(hchild, false);
    if (!child || !child->visible() || !rectContains(child->rect, local.x, local.y)) continue;
    return hitTest(*child, POINT{local.x - child->rect.left, local.y - child->rect.top});
  }
  return {w.handle, HTCLIENT, local};
}

WPARAM mouseKeys() {
  const BYTE *k = state().keys;
  WPARAM mk = state().buttons;
  if (k[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
  if (k[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
  return mk;
}

UINT buttonMessage(const backend::Event &e, bool nonClient, bool dblclk) {
  bool down = e.type == backend::EventType::MouseDown;
  UINT base = e.button == 3 ? WM_RBUTTONDOWN : e.button == 2 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
  if (nonClient) base = base - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
  if (!down) return base + 1;
  return dblclk ? base + 2 : base;
}

void noteHover(HWND hwnd) {
  InputState &s = state();
  if (s.hover == hwnd) return;
  if (s.trackLeave && s.trackLeave == s.hover) {
    PostMessageA(s.trackLeave, WM_MOUSELEAVE, 0, 0);
    s.trackLeave = nullptr;
  }
  s.hover = hwnd;
}

// A click on a window that is disabled by its modal dialog brings the dialog forward instead.
HWND enabledPopupOf(HWND top) {
  for (HWND other : topLevelWindows()) {
    Window *w = findWindow(other, false);
    if (w && w->owner == top && w->visible() && w->enabled()) return enabledPopupOf(other);
  }
  return top;
}

// Activates the window and brings it to the front on the desktop, as a click or the keyboard arriving does.
void activateOnDesktop(HWND hwnd, bool byMouse) {
  if (Window *w = findWindow(hwnd, false); w && w->top) backend::driver().activate(w->top->native);
  activateTopLevel(hwnd, byMouse);
}

// A press on a window that is not active asks it with WM_MOUSEACTIVATE whether to activate; the click is
// delivered too unless the answer says to eat it. False when the click is eaten.
bool activateOnClick(Window &top, const Hit &hit, UINT message) {
  if (state().active == top.handle) return true;
  LRESULT answer = SendMessageA(hit.hwnd, WM_MOUSEACTIVATE, WPARAM(top.handle), MAKELPARAM(hit.code, message));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) activateOnDesktop(top.handle, true);
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

// The message a mouse event becomes, decided when the program retrieves it (the capture and the windows
// under the pointer are those of that moment, as on Windows). False when it reaches no window.
bool mouseMessage(const backend::Event &e, Window &top, MSG &out) {
  InputState &s = state();
  POINT screen{top.rect.left + e.x, top.rect.top + e.y};
  s.cursor = screen;
  bool press = e.type == backend::EventType::MouseDown;
  if (press || e.type == backend::EventType::MouseUp) {
    WPARAM bit = e.button == 3 ? MK_RBUTTON : e.button == 2 ? MK_MBUTTON : MK_LBUTTON;
    s.buttons = press ? (s.buttons | bit) : (s.buttons & ~bit);
  }
  if (e.type == backend::EventType::MouseWheel) {
    WPARAM wp = MAKEWPARAM(mouseKeys(), WORD(short(e.wheel * WHEEL_DELTA)));
    out = MSG{wheelTarget(top), WM_MOUSEWHEEL, wp, MAKELPARAM(screen.x, screen.y), 0, {}};
    return true;
  }
  if (Window *capture = findWindow(s.capture, false)) {
    POINT origin = screenOrigin(*capture);
    RECT in = nonClientInsets(*capture);
    POINT local{screen.x - origin.x - in.left, screen.y - origin.y - in.top};
    UINT message = e.type == backend::EventType::MouseMove ? WM_MOUSEMOVE : buttonMessage(e, false, false);
    out = MSG{capture->handle, message, mouseKeys(), MAKELPARAM(local.x, local.y), 0, {}};
    return true;
  }
  if (!top.enabled()) {
    if (press) activateOnDesktop(enabledPopupOf(top.handle), true);
    return false;
  }
  Hit hit = hitTest(top, POINT{e.x, e.y});
  Window *target = findWindow(hit.hwnd, false);
  if (!target || !target->enabled()) return false;
  noteHover(hit.hwnd);
  bool nonClient = hit.code != HTCLIENT;
  UINT message;
  if (e.type == backend::EventType::MouseMove) {
    message = nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE;
  } else {
    bool dblclk = e.clicks == 2 && (target->cls->style & CS_DBLCLKS);
    message = buttonMessage(e, nonClient, dblclk);
  }
  if (press && !activateOnClick(top, hit, message)) return false;
  if (nonClient) {
    out = MSG{hit.hwnd, message, WPARAM(hit.code), MAKELPARAM(screen.x, screen.y), 0, {}};
  } else {
    out = MSG{hit.hwnd, message, mouseKeys(), MAKELPARAM(hit.client.x, hit.client.y), 0, {}};
  }
  return findWindow(hit.hwnd, false) != nullptr;
}

// The modifiers held when the keyboard comes back: key messages come only from keys pressed and released
// while one of the program's windows has the keyboard, so what happened to them meanwhile is read from
// the desktop.
void syncModifiers(uint32_t mods) {
  BYTE *keys = state().keys;
  auto set = [&](int vk, bool down) { keys[vk] = BYTE(down ? (keys[vk] | 0x80) : (keys[vk] & ~0x80)); };
  set(VK_SHIFT, mods & backend::ModShift);
  set(VK_CONTROL, mods & backend::ModCtrl);
  set(VK_MENU, mods & backend::ModAlt);
}

// The active window hears that it is active no longer; its focus is kept for when it is activated again.
void deactivate(HWND next) {
  InputState &s = state();
  HWND old = s.active;
  Window *previous = findWindow(old, false);
  if (!previous) return;
  if (previous->top && (s.focus == old || isDescendant(old, s.focus))) previous->top->lastFocus = s.focus;
  SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
  SendMessageA(old, WM_ACTIVATE, WA_INACTIVE, LPARAM(next));
}

// The keyboard went to another program's window: as on Windows, the program has no active window and no
// focus until one of its windows is activated again.
void deactivateProgram() {
  deactivate(nullptr);
  state().active = nullptr;
  SetFocus(nullptr);
}

// The desktop moved the keyboard to or from one of the program's windows. This is taken in turn with the
// keys and clicks before it, so that what was typed before the change reaches where it was typed.
void focusChanged(const backend::Event &e) {
  Window *top = windowOfNative(e.window);
  // A drop-down menu or a tooltip is never the active window.
  if (!top || ((top->style & WS_POPUP) && (top->style & WS_CAPTION) != WS_CAPTION)) return;
  if (e.type == backend::EventType::FocusLost) {
    for (int vk : {VK_LBUTTON, VK_RBUTTON}) state().keys[vk] &= ~0x80;
    // Only the active window's loss counts: when the keyboard moves between the program's own windows,
    // the window it moves to was activated before the desktop moved it.
    if (state().active == top->handle) deactivateProgram();
    return;
  }
  syncModifiers(e.mods);
  HWND target = enabledPopupOf(top->handle);
  if (target != top->handle) {
    activateOnDesktop(target, false);
  } else {
    activateTopLevel(target, false);
  }
}

}  // namespace

std::vector<MSG> inputMessagesFor(const backend::Event &event) {
  std::vector<MSG> messages;
  MSG msg;
  switch (event.type) {
    case backend::EventType::KeyDown:
    case backend::EventType::KeyUp: keyMessages(event, messages); break;
    case backend::EventType::Text: textMessages(event, messages); break;
    case backend::EventType::FocusGained:
    case backend::EventType::FocusLost: focusChanged(event); break;
    default:
      if (Window *top = windowOfNative(event.window); top && mouseMessage(event, *top, msg)) messages.push_back(msg);
  }
  return messages;
}

Window *windowOfNative(backend::NativeId id) {
  for (HWND hwnd : topLevelWindows())
    if (Window *w = findWindow(hwnd, false); w && w->top && w->top->native == id) return w;
  return nullptr;
}

void handleBackendEvent(const backend::Event &e) {
  using backend::EventType;
  switch (e.type) {
    case EventType::KeyDown:
    case EventType::KeyUp:
    case EventType::Text:
    case EventType::MouseDown:
    case EventType::MouseUp:
    case EventType::MouseMove:
    case EventType::MouseWheel:
    case EventType::FocusGained:
    case EventType::FocusLost: postInputEvent(e); return;
    default: break;
  }
  Window *top = windowOfNative(e.window);
  if (!top) return;
  switch (e.type) {
    case EventType::MouseLeave: noteHover(nullptr); break;
    case EventType::Close:
      if (top->enabled() && (top->style & WS_SYSMENU)) PostMessageA(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case EventType::Resized: nativeResized(*top, e.width, e.height); break;
    case EventType::Moved: nativeMoved(*top, e.x, e.y); break;
    case EventType::Minimized: nativeMinimized(*top, true); break;
    case EventType::Restored: nativeMinimized(*top, false); break;
    case EventType::Exposed:
      if (top->top) top->top->surface.markDirty(RECT{0, 0, top->top->surface.width, top->top->surface.height});
      break;
    default: break;
  }
}

void noteInputRetrieved(const MSG &msg) {
  BYTE *keys = state().keys;
  auto press = [&](int vk, bool down) {
    if (down && !(keys[vk] & 0x80)) keys[vk] ^= 0x01;
    keys[vk] = BYTE(down ? (keys[vk] | 0x80) : (keys[vk] & ~0x80));
  };
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: press(int(msg.wParam & 0xFF), true); break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      press(int(msg.wParam & 0xFF), false);
      // The menu key asks for the context menu once it is released, whatever the window does with the key.
      if (msg.wParam == VK_APPS) PostMessageA(msg.hwnd, WM_CONTEXTMENU, WPARAM(msg.hwnd), -1);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: press(VK_LBUTTON, true); break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP: press(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: press(VK_RBUTTON, true); break;
    case WM_RBUTTONUP: press(VK_RBUTTON, false); break;
    default: break;
  }
}

void activateTopLevel(HWND hwnd, bool byMouse) {
  InputState &s = state();
  Window *w = findWindow(hwnd, false);
  if (!w || w->isChild() || s.active == hwnd) return;
  HWND old = s.active;
  CBTACTIVATESTRUCT cbt{byMouse, old};
  if (callCbtHook(HCBT_ACTIVATE, WPARAM(hwnd), LPARAM(&cbt))) return;
  deactivate(hwnd);
  s.active = hwnd;
  if (!findWindow(hwnd, false)) return;
  SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(hwnd, WM_ACTIVATE, byMouse ? WA_CLICKACTIVE : WA_ACTIVE, LPARAM(old));
}

void windowGoingAway(HWND hwnd) {
  InputState &s = state();
  if (s.capture == hwnd) s.capture = nullptr;
  if (s.hover == hwnd) s.hover = nullptr;
  if (s.trackLeave == hwnd) s.trackLeave = nullptr;
  Window *w = findWindow(hwnd, false);
  if (w && (s.focus == hwnd || isDescendant(hwnd, s.focus))) {
    if (w->isChild()) {
      SetFocus(w->parent);
    } else {
      s.focus = nullptr;
    }
  }
  for (HWND other : topLevelWindows())
    if (Window *t = findWindow(other, false); t && t->top && t->top->lastFocus == hwnd) t->top->lastFocus = nullptr;
  if (s.active == hwnd) {
    s.active = nullptr;
    // Activation passes to the owner, or else to the topmost other visible window.
    HWND next = w ? w->owner : nullptr;
    if (Window *owner = findWindow(next, false); !owner || !owner->visible()) next = nullptr;
    if (!next)
      for (HWND other : topLevelWindows())
        if (Window *t = findWindow(other, false); other != hwnd && t && t->visible()) {
          next = other;
          break;
        }
    if (next) activateTopLevel(next, false);
  }
}

}  // namespace win32

using namespace win32;

namespace {

// The character a key gives on a US keyboard, or 0.
int typedCharacter(int vk, bool shift, bool caps) {
  if (vk >= 'A' && vk <= 'Z') return (shift != caps) ? vk : vk + 32;
  if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : vk;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + (vk - VK_NUMPAD0);
  struct Punct {
    int vk;
    char plain, shifted;
  };
  static const Punct table[] = {{VK_SPACE, ' ', ' '},     {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'},
                                {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},  {VK_OEM_PERIOD, '.', '>'},
                                {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},      {VK_OEM_4, '[', '{'},
                                {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},      {VK_OEM_7, '\'', '"'},
                                {VK_MULTIPLY, '*', '*'},  {VK_ADD, '+', '+'},        {VK_SUBTRACT, '-', '-'},
                                {VK_DECIMAL, '.', '.'},   {VK_DIVIDE, '/', '/'}};
  for (const Punct &p : table)
    if (p.vk == vk) return shift ? p.shifted : p.plain;
  return 0;
}

}  // namespace

extern "C" {

// Keys typed on the real keyboard bring their text separately (as the display reports it, in any
// layout), so for those only the control characters are made here; keys posted by a program are
// translated in full with a US layout.
BOOL WINAPI TranslateMessage(const MSG *msg) {
  if (!msg) return FALSE;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
  const BYTE *keys = state().keys;
  bool ctrl = keys[VK_CONTROL] & 0x80, shift = keys[VK_SHIFT] & 0x80, caps = keys[VK_CAPITAL] & 1;
  bool alt = msg->message == WM_SYSKEYDOWN;
  int vk = int(msg->wParam);
  int ch = 0;
  switch (vk) {
    case VK_BACK: ch = ctrl ? 0x7F : 8; break;
    case VK_TAB: ch = ctrl ? 0 : 9; break;
    case VK_RETURN: ch = ctrl ? 10 : 13; break;
    case VK_ESCAPE: ch = 27; break;
    default:
      if (ctrl && !alt) {
        if (vk >= 'A' && vk <= 'Z') ch = vk - 'A' + 1;
      } else if (alt || !lastRetrievedWasInput(*msg)) {
        ch = typedCharacter(vk, shift, caps);
      }
  }
  if (ch) postMessageFirst(MSG{msg->hwnd, UINT(alt ? WM_SYSCHAR : WM_CHAR), WPARAM(ch), msg->lParam, 0, {}});
  return TRUE;
}

SHORT WINAPI GetKeyState(int vk) {
  BYTE k = state().keys[vk & 0xFF];
  return SHORT((k & 0x80 ? 0xFF80 : 0) | (k & 1));
}

BOOL WINAPI GetKeyboardState(LPBYTE keys) {
  if (!keys) return FALSE;
  std::memcpy(keys, state().keys, 256);
  return TRUE;
}

BOOL WINAPI SetKeyboardState(LPBYTE keys) {
  if (!keys) return FALSE;
  std::memcpy(state().keys, keys, 256);
  return TRUE;
}

HWND WINAPI GetFocus(void) { return state().focus; }

HWND WINAPI SetFocus(HWND hwnd) {
  InputState &s = state();
  HWND old = s.focus;
  if (hwnd == old) return old;
  if (hwnd) {
    Window *w = findWindow(hwnd);
    if (!w) return nullptr;
    if (callCbtHook(HCBT_SETFOCUS, WPARAM(hwnd), LPARAM(old))) return nullptr;
    Window *top = topLevelOf(w);
    if (top && s.active != top->handle) activateTopLevel(top->handle, false);
    if (!findWindow(hwnd, false) || s.focus == hwnd) return old;
    old = s.focus;
  } else if (callCbtHook(HCBT_SETFOCUS, 0, LPARAM(old))) {
    return nullptr;
  }
  s.focus = hwnd;
  if (old && findWindow(old, false)) SendMessageA(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
  if (hwnd && s.focus == hwnd && findWindow(hwnd, false)) {
    if (Window *top = topLevelOf(findWindow(hwnd, false)); top && top->top) top->top->lastFocus = hwnd;
    SendMessageA(hwnd, WM_SETFOCUS, WPARAM(old), 0);
  }
  return old;
}

HWND WINAPI GetActiveWindow(void) { return state().active; }
HWND WINAPI GetForegroundWindow(void) { return state().active; }

HWND WINAPI SetActiveWindow(HWND hwnd) {
  HWND old = state().active;
  activateTopLevel(hwnd, false);
  return old;
}

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  Window *w = findWindow(hwnd);
  if (!w) return FALSE;
  activateOnDesktop(topLevelOf(w)->handle, false);
  return TRUE;
}

HWND WINAPI SetCapture(HWND hwnd) {
  HWND old = state().capture;
  state().capture = findWindow(hwnd, false) ? hwnd : nullptr;
  // The desktop's pointer is held only for a drag; a key pressing a button leaves it free.
  backend::driver().captureMouse(state().capture && state().buttons);
  if (old && old != hwnd && findWindow(old, false)) SendMessageA(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  HWND old = state().capture;
  state().capture = nullptr;
  backend::driver().captureMouse(false);
  if (old && findWindow(old, false)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND WINAPI GetCapture(void) { return state().capture; }

BOOL WINAPI GetCursorPos(LPPOINT pt) {
  if (!pt) return FALSE;
  *pt = state().cursor;
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  state().cursor = {x, y};
  return TRUE;
}

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT tme) {
  if (!tme || tme->cbSize != sizeof(TRACKMOUSEEVENT)) return FALSE;
  if (tme->dwFlags & TME_CANCEL) {
    if (state().trackLeave == tme->hwndTrack) state().trackLeave = nullptr;
    return TRUE;
  }
  if (!(tme->dwFlags & TME_LEAVE) || !findWindow(tme->hwndTrack)) return FALSE;
  if (state().hover != tme->hwndTrack) {
    PostMessageA(tme->hwndTrack, WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  state().trackLeave = tme->hwndTrack;
  return TRUE;
}

}  // extern "C"
