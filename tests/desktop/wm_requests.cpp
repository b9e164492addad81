// Requests to the window manager.
#include "tests/desktop/wm_requests.h"

#include <X11/Xutil.h>

#include <initializer_list>

#include "tests/desktop/xwindows.h"

namespace desktop {

namespace {

constexpr long kFromPager = 2;

void sendToRoot(Display *x, Window window, const char *message, std::initializer_list<long> data) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atom(x, message);
  event.xclient.format = 32;
  int i = 0;
  for (long value : data) event.xclient.data.l[i++] = value;
  XSendEvent(x, DefaultRootWindow(x), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(x);
}

}  // namespace

void askToIconify(Display *x, Window window) { sendToRoot(x, window, "WM_CHANGE_STATE", {IconicState}); }

void askToActivate(Display *x, Window window) {
  sendToRoot(x, window, "_NET_ACTIVE_WINDOW", {kFromPager, CurrentTime, None});
}

void askToMaximize(Display *x, Window window) {
  constexpr long add = 1;
  sendToRoot(x, window, "_NET_WM_STATE",
             {add, long(atom(x, "_NET_WM_STATE_MAXIMIZED_VERT")), long(atom(x, "_NET_WM_STATE_MAXIMIZED_HORZ")),
              kFromPager});
}

// Flags: gravity left to the window's own, width and height given (bits 10 and 11), from a pager.
void askToResize(Display *x, Window window, int width, int height) {
  constexpr long widthAndHeight = (1 << 10) | (1 << 11), fromPager = kFromPager << 12;
  sendToRoot(x, window, "_NET_MOVERESIZE_WINDOW", {widthAndHeight | fromPager, 0, 0, width, height});
}

}  // namespace desktop
