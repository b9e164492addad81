// user32: accelerator tables behind HACCEL handles, and turning their keys into WM_COMMAND.
#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "kernel32/module.h"
#include "kernel32/resource.h"
#include "user32/accel_table.h"
#include "user32/menu.h"
#include "user32/window.h"

namespace win32 {
namespace {

struct AcceleratorTables {
  std::unordered_map<uintptr_t, std::vector<ACCEL>> tables;
  uintptr_t nextHandle = 0x60010;
};

AcceleratorTables &tables() {
  static AcceleratorTables t;
  return t;
}

std::vector<ACCEL> *findTable(HACCEL handle) {
  auto &all = tables().tables;
  auto it = all.find(reinterpret_cast<uintptr_t>(handle));
  if (it == all.end()) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return nullptr;
  }
  return &it->second;
}

HACCEL newTable(std::vector<ACCEL> entries) {
  AcceleratorTables &t = tables();
  HACCEL handle = reinterpret_cast<HACCEL>(t.nextHandle);
  t.nextHandle += 4;
  t.tables.emplace(reinterpret_cast<uintptr_t>(handle), std::move(entries));
  return handle;
}

bool isDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// Virtual-key entries match key presses with exactly their Ctrl, Shift and Alt; character entries match
// typed characters with the same Alt state (Ctrl and Shift are already in the character), and an
// Alt character entry also matches the plain key pressed with Alt.
bool matches(const ACCEL &entry, const MSG &msg) {
  if (msg.wParam != entry.key) return false;
  BYTE held = BYTE((isDown(VK_CONTROL) ? FCONTROL : 0) | (isDown(VK_SHIFT) ? FSHIFT : 0) |
                   (isDown(VK_MENU) ? FALT : 0));
  bool virtualKey = (entry.fVirt & FVIRTKEY) != 0;
  if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) return !virtualKey && (held & FALT) == (entry.fVirt & FALT);
  if (virtualKey) return held == (entry.fVirt & (FCONTROL | FSHIFT | FALT));
  bool extendedKey = msg.lParam & 0x01000000, altBit = msg.lParam & 0x20000000;
  return !extendedKey && (entry.fVirt & FALT) && altBit;
}

// Before a command of the window's menu is sent, the owner gets WM_INITMENU and WM_INITMENUPOPUP as if
// the menu were opened, so that it can bring the item's state up to date. Nothing is sent while the
// window is disabled, and a greyed or disabled item, a minimized window or a mouse capture swallows the
// key without a command. Commands that are not in the menu are always sent.
void runCommand(Window &w, WORD command) {
  HWND hwnd = w.handle;
  HMENU bar = w.isChild() ? nullptr : w.menu;
  Menu *menu = findMenu(bar, false);
  ItemRef item = menu ? findItem(*menu, command, MF_BYCOMMAND) : ItemRef{};
  if (item.menu) {
    if (!w.enabled()) return;
    bool captured = GetCapture() != nullptr;
    HMENU submenu = item.menu->handle;
    SendMessageA(hwnd, WM_INITMENU, WPARAM(bar), 0);
    if (submenu != bar) {
      Menu *stillThere = findMenu(bar, false);
      int position = stillThere ? positionOfSubmenu(*stillThere, submenu) : -1;
      SendMessageA(hwnd, WM_INITMENUPOPUP, WPARAM(submenu), MAKELPARAM(position, FALSE));
    }
    UINT state = GetMenuState(bar, command, MF_BYCOMMAND);
    if (state != 0xFFFFFFFF && (captured || IsIconic(hwnd) || (state & (MF_GRAYED | MF_DISABLED)))) return;
  }
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

}  // namespace
}  // namespace win32

using namespace win32;

extern "C" {

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  if (instance && !isProgramModule(instance)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  std::span<const uint8_t> data = findResourceData(RT_ACCELERATOR, name);
  if (data.empty()) return nullptr;
  std::optional<std::vector<ACCEL>> entries = parseAcceleratorTable(data);
  if (!entries) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return newTable(std::move(*entries));
}

HACCEL WINAPI CreateAcceleratorTableA(LPACCEL entries, int count) {
  if (!entries || count <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return newTable(std::vector<ACCEL>(entries, entries + count));
}

// Without a buffer: the number of entries; with one: the number copied, at most `count`.
int WINAPI CopyAcceleratorTableA(HACCEL handle, LPACCEL buffer, int count) {
  std::vector<ACCEL> *table = findTable(handle);
  if (!table) return 0;
  if (!buffer) return int(table->size());
  int copied = std::clamp(count, 0, int(table->size()));
  std::copy_n(table->begin(), copied, buffer);
  return copied;
}

BOOL WINAPI DestroyAcceleratorTable(HACCEL handle) {
  if (!findTable(handle)) return FALSE;
  tables().tables.erase(reinterpret_cast<uintptr_t>(handle));
  return TRUE;
}

// Nonzero when the message is one of the table's keys; the key is then used up, whether or not a
// command was sent. Key releases never match.
int WINAPI TranslateAcceleratorA(HWND hwnd, HACCEL handle, LPMSG msg) {
  if (!msg) return 0;
  UINT m = msg->message;
  if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_CHAR && m != WM_SYSCHAR) return 0;
  std::vector<ACCEL> *table = findTable(handle);
  Window *w = table ? findWindow(hwnd) : nullptr;
  if (!w) return 0;
  std::vector<ACCEL> entries = *table;  // the command may destroy or replace the table
  for (const ACCEL &entry : entries) {
    if (!matches(entry, *msg)) continue;
    runCommand(*w, entry.cmd);
    return 1;
  }
  return 0;
}

}  // extern "C"
