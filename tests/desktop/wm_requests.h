// Requests to the window manager, sent as a taskbar or a pager sends them: client messages to the root.
#ifndef OXBYTE_TESTS_DESKTOP_WM_REQUESTS_H
#define OXBYTE_TESTS_DESKTOP_WM_REQUESTS_H

#include <X11/Xlib.h>

namespace desktop {

// WM_CHANGE_STATE to IconicState: a taskbar's "minimise".
void askToIconify(Display *x, Window window);
// _NET_ACTIVE_WINDOW from a pager: a taskbar's click on the window's entry, which also restores it.
void askToActivate(Display *x, Window window);
// _NET_WM_STATE add _NET_WM_STATE_MAXIMIZED_VERT and _HORZ: maximising, asked for from outside.
void askToMaximize(Display *x, Window window);
// _NET_MOVERESIZE_WINDOW with a new width and height.
void askToResize(Display *x, Window window, int width, int height);

}  // namespace desktop

#endif
