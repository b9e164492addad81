// The figures a user meets on a real desktop: the program started on a private X display (Xvfb, with
// openbox as its window manager), typed at through XTEST and watched on the screen through Xlib; its
// launch beside a trivial SDL2 window's, launched and watched the same way.
#ifndef OXBYTE_BENCH_DESKTOP_FIGURES_H
#define OXBYTE_BENCH_DESKTOP_FIGURES_H

#include "bench/table.h"

// Stores, in seconds, for each of desktop_launch, desktop_open, desktop_key and desktop_baseline_launch:
// NAME (the median of the runs), NAME/min and NAME/max. Stores nothing for a figure it could not measure
// (no X11 or XTEST at build time, no Xvfb or openbox installed, a run that failed), and says why on
// stderr, where it also reports a program that did not end cleanly when its window was closed.
void measureDesktopFigures(Figures &figures);

#endif
