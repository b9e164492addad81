// The desktop figures where the bench was built without X11's or XTEST's headers: nothing can watch a
// screen or type at it, so they are reported as not measured.
#include <cstdio>

#include "bench/desktop_figures.h"

void measureDesktopFigures(Figures &) {
  std::fprintf(stderr, "desktop:\n  desktop figures not measured: built without X11's and XTEST's headers "
                       "(tools/install-deps desktop)\n");
}
