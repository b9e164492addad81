// comctl32: the tooltip window a toolbar shows over its buttons.
#ifndef OXBYTE_WIN32_COMCTL32_TOOLTIP_H
#define OXBYTE_WIN32_COMCTL32_TOOLTIP_H

#include <windows.h>

#include <optional>

namespace win32::tooltip {

// How long the pointer must rest over a tool before its tip appears (the double-click time, as on
// Windows).
constexpr UINT kInitialDelay = 500;

// A hidden tooltip window for the tools of `owner`, which it asks for texts with WM_NOTIFY
// TTN_NEEDTEXTA; the desktop owner of the pop-up is `owner`'s top-level window.
HWND create(HWND owner);
// The pointer moved and is now over tool `id`, or over no tool. While no tip is shown every move
// starts the delay again, so the tip appears only once the pointer rests.
void pointerOver(HWND tip, std::optional<UINT_PTR> id);
// A mouse button went down: the tip goes away and stays away until the pointer reaches another tool.
void buttonPressed(HWND tip);
// The pointer left the owner: the tip goes away.
void pointerLeft(HWND tip);

}  // namespace win32::tooltip

#endif
