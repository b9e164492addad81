// Reading the X windows of the display.
#include "tests/desktop/xwindows.h"

#include <X11/Xatom.h>

namespace desktop {

namespace {

int ignoreError(Display *, XErrorEvent *) { return 0; }

struct PropertyBytes {
  Atom type = None;
  int format = 0;
  std::vector<unsigned char> bytes;
  unsigned long items = 0;
};

PropertyBytes readProperty(Display *x, Window window, const char *name) {
  PropertyBytes result;
  unsigned long after = 0;
  unsigned char *data = nullptr;
  if (XGetWindowProperty(x, window, atom(x, name), 0, 1 << 16, False, AnyPropertyType, &result.type,
                         &result.format, &result.items, &after, &data) != Success)
    return {};
  if (data) {
    size_t unit = result.format == 32 ? sizeof(long) : result.format / 8;
    result.bytes.assign(data, data + result.items * unit);
    XFree(data);
  }
  return result;
}

void collectWindows(Display *x, Window window, pid_t pid, std::vector<Window> &found) {
  auto pids = windowProperty(x, window, "_NET_WM_PID");
  if (!pids.empty() && pid_t(pids[0]) == pid) found.push_back(window);
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(x, window, &root, &parent, &children, &count)) return;
  std::vector<Window> list(children, children + count);
  if (children) XFree(children);
  for (Window child : list) collectWindows(x, child, pid, found);
}

std::optional<XWindowAttributes> attributes(Display *x, Window window) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(x, window, &a)) return std::nullopt;
  return a;
}

}  // namespace

void tolerateXErrors() { XSetErrorHandler(ignoreError); }

Atom atom(Display *x, const char *name) { return XInternAtom(x, name, False); }

std::string atomName(Display *x, Atom a) {
  char *name = XGetAtomName(x, a);
  std::string result = name ? name : "";
  if (name) XFree(name);
  return result;
}

std::vector<unsigned long> windowProperty(Display *x, Window window, const char *name) {
  PropertyBytes p = readProperty(x, window, name);
  if (p.format != 32) return {};
  const auto *values = reinterpret_cast<const unsigned long *>(p.bytes.data());
  return {values, values + p.items};
}

std::string stringProperty(Display *x, Window window, const char *name) {
  PropertyBytes p = readProperty(x, window, name);
  if (p.format != 8) return "";
  return {p.bytes.begin(), p.bytes.end()};
}

std::vector<std::string> atomNames(Display *x, Window window, const char *name) {
  std::vector<std::string> names;
  for (unsigned long a : windowProperty(x, window, name)) names.push_back(atomName(x, Atom(a)));
  return names;
}

std::vector<Window> windowsOfProcess(Display *x, pid_t pid) {
  std::vector<Window> found;
  collectWindows(x, DefaultRootWindow(x), pid, found);
  return found;
}

std::string title(Display *x, Window window) {
  std::string name = stringProperty(x, window, "_NET_WM_NAME");
  return name.empty() ? stringProperty(x, window, "WM_NAME") : name;
}

std::optional<Rect> geometry(Display *x, Window window) {
  auto a = attributes(x, window);
  if (!a) return std::nullopt;
  int rootX = 0, rootY = 0;
  Window child;
  if (!XTranslateCoordinates(x, window, DefaultRootWindow(x), 0, 0, &rootX, &rootY, &child)) return std::nullopt;
  return Rect{rootX, rootY, a->width, a->height};
}

bool isViewable(Display *x, Window window) {
  auto a = attributes(x, window);
  return a && a->map_state == IsViewable;
}

bool isOverrideRedirect(Display *x, Window window) {
  auto a = attributes(x, window);
  return a && a->override_redirect;
}

Window transientFor(Display *x, Window window) {
  Window owner = None;
  return XGetTransientForHint(x, window, &owner) ? owner : None;
}

std::optional<XSizeHints> normalHints(Display *x, Window window) {
  XSizeHints hints{};
  long supplied = 0;
  if (!XGetWMNormalHints(x, window, &hints, &supplied)) return std::nullopt;
  return hints;
}

std::optional<long> wmState(Display *x, Window window) {
  auto values = windowProperty(x, window, "WM_STATE");
  if (values.empty()) return std::nullopt;
  return long(values[0]);
}

}  // namespace desktop
