// user32: TrackPopupMenu — a shortcut menu at a point, in the menu loop the menu bar uses.
#include "user32/menu_loop.h"
#include "user32/menu_track.h"

using namespace win32;

// Only the top-left alignment is known: the menu's corner is at the point, moved back onto the screen if
// it would stick out. With TPM_RETURNCMD the command chosen (0 for none) is returned instead of posted.
extern "C" BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT *) {
  if (!findMenu(menu) || !findWindow(owner)) return FALSE;
  MenuMode mode;
  if (!mode.entered()) return FALSE;
  MenuTracker tracker(owner, nullptr, nullptr);
  tracker.setNotify(!(flags & TPM_NONOTIFY));
  tracker.begin(menu, true);
  if (tracker.openPopupAt(menu, POINT{x, y})) runMenuLoop(tracker, (flags & TPM_RIGHTBUTTON) != 0);
  UINT command = tracker.finish(!(flags & TPM_RETURNCMD));
  return (flags & TPM_RETURNCMD) ? BOOL(command) : TRUE;
}
