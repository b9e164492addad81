// oxbyte-trivial-window WIDTH HEIGHT RRGGBB: the least an SDL2 program does to put a window on the
// screen: a window of that size filled with one colour, shown again whenever the desktop asks, until it
// is closed. The baseline the program's own launch on the desktop is measured against.
#include <SDL.h>

#include <cstdlib>

int main(int argc, char **argv) {
  if (argc != 4) return 2;
  int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  unsigned long colour = std::strtoul(argv[3], nullptr, 16);
  // The program's own way to the screen, so that only the program's work differs: SDL's X11 driver,
  // and the window's pixels in plain memory rather than an OpenGL texture.
  if (!std::getenv("SDL_VIDEODRIVER") && !std::getenv("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Window *window = SDL_CreateWindow("Oxbyte bench baseline", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                        width, height, SDL_WINDOW_SHOWN);
  if (!window) return 1;
  auto paint = [&] {
    SDL_Surface *surface = SDL_GetWindowSurface(window);
    if (!surface) return;
    SDL_FillRect(surface, nullptr,
                 SDL_MapRGB(surface->format, Uint8(colour >> 16), Uint8(colour >> 8), Uint8(colour)));
    SDL_UpdateWindowSurface(window);
  };
  paint();
  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT)
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) paint();
  // The server takes the window away with the connection. Taking it down through SDL first (2.26, X11)
  // now and then has SDL's second connection, the one that wakes a waiting loop, address the window
  // already destroyed: a BadWindow error that Xlib's default handler ends the process on, status 1.
  return 0;
}
