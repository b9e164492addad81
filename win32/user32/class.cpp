// user32: window classes — the program's own and the built-in control classes.
#include <strings.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "user32/system_classes.h"
#include "user32/window.h"

namespace win32 {
namespace {

struct Caseless {
  bool operator()(const std::string &a, const std::string &b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};
using ClassMap = std::map<std::string, std::unique_ptr<WindowClass>, Caseless>;

ClassMap &programClasses() {
  static ClassMap classes;
  return classes;
}

ClassMap &systemClasses() {
  static ClassMap classes;
  return classes;
}

// Class names live in an atom table, as on Windows: a name keeps its atom while a class of that name is
// registered, and an atom given back is handed out again, so a program may register and unregister its
// classes any number of times. 0 when all 16,384 string atoms are taken.
class AtomTable {
 public:
  ATOM add(const std::string &name) {
    auto [it, added] = atoms_.try_emplace(name, Entry{0, 0});
    if (added) {
      if (free_.empty() && next_ == 0) {
        atoms_.erase(it);
        return 0;
      }
      if (free_.empty()) {
        it->second.atom = next_;
        next_ = next_ == 0xFFFF ? 0 : ATOM(next_ + 1);
      } else {
        it->second.atom = free_.back();
        free_.pop_back();
      }
    }
    ++it->second.references;
    return it->second.atom;
  }

  void remove(const std::string &name) {
    auto it = atoms_.find(name);
    if (it == atoms_.end() || --it->second.references > 0) return;
    free_.push_back(it->second.atom);
    atoms_.erase(it);
  }

 private:
  struct Entry {
    ATOM atom;
    int references;
  };
  std::map<std::string, Entry, Caseless> atoms_;
  std::vector<ATOM> free_;
  ATOM next_ = 0xC000;
};

AtomTable &classAtoms() {
  static AtomTable table;
  return table;
}

std::unique_ptr<WindowClass> classFrom(const WNDCLASSA &wc) {
  auto cls = std::make_unique<WindowClass>();
  cls->name = wc.lpszClassName;
  cls->atom = classAtoms().add(cls->name);
  cls->style = wc.style;
  cls->proc = wc.lpfnWndProc;
  cls->windowExtra = wc.cbWndExtra > 0 ? wc.cbWndExtra : 0;
  cls->instance = wc.hInstance;
  cls->icon = wc.hIcon;
  cls->cursor = wc.hCursor;
  cls->background = wc.hbrBackground;
  if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) cls->menuName = wc.lpszMenuName;
  return cls;
}

}  // namespace

WindowClass *findClass(const char *name) {
  if (!name || IS_INTRESOURCE(name)) return nullptr;
  ensureSystemClasses();
  if (auto it = programClasses().find(name); it != programClasses().end()) return it->second.get();
  if (auto it = systemClasses().find(name); it != systemClasses().end()) return it->second.get();
  return nullptr;
}

WindowClass *registerSystemClass(const WNDCLASSA &wc) {
  auto cls = classFrom(wc);
  cls->system = true;
  WindowClass *raw = cls.get();
  systemClasses()[cls->name] = std::move(cls);
  return raw;
}

}  // namespace win32

using namespace win32;

extern "C" {

ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
  if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (programClasses().count(wc->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto cls = classFrom(*wc);
  ATOM atom = cls->atom;
  if (!atom) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  programClasses()[cls->name] = std::move(cls);
  return atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) {
  auto it = name && !IS_INTRESOURCE(name) ? programClasses().find(name) : programClasses().end();
  if (it == programClasses().end()) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (it->second->windows > 0) {
    SetLastError(1412);  // ERROR_CLASS_HAS_WINDOWS
    return FALSE;
  }
  classAtoms().remove(it->second->name);
  programClasses().erase(it);
  return TRUE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR name, LPWNDCLASSA wc) {
  WindowClass *cls = findClass(name);
  if (!cls || !wc) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  *wc = WNDCLASSA{cls->style,    cls->proc,   0, cls->windowExtra, cls->instance, cls->icon, cls->cursor,
                  cls->background, nullptr, cls->name.c_str()};
  return TRUE;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
  Window *w = findWindow(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  lstrcpynA(buffer, w->cls->name.c_str(), size);
  return lstrlenA(buffer);
}

}  // extern "C"
