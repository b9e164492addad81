// backend: SDL2 opened when the first display is wanted.
#include "backend/sdl/library.h"

#include <dlfcn.h>

namespace win32::backend {

#define OXBYTE_SDL_POINTER(name) decltype(&::name) name = nullptr;
OXBYTE_SDL_FUNCTIONS(OXBYTE_SDL_POINTER)
#undef OXBYTE_SDL_POINTER

bool openSdlLibrary(std::string &error) {
  static void *library = nullptr;
  if (library) return true;
  void *opened = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!opened) {
    const char *reason = dlerror();
    error = std::string("SDL2 could not be loaded: ") + (reason ? reason : "libSDL2-2.0.so.0 not found");
    return false;
  }
#define OXBYTE_SDL_FIND(name)                                                  \
  name = reinterpret_cast<decltype(name)>(dlsym(opened, #name));               \
  if (!name) {                                                                 \
    error = "SDL2 could not be loaded: " #name " is missing";                  \
    dlclose(opened);                                                           \
    return false;                                                              \
  }
  OXBYTE_SDL_FUNCTIONS(OXBYTE_SDL_FIND)
#undef OXBYTE_SDL_FIND
  library = opened;
  return true;
}

}  // namespace win32::backend
