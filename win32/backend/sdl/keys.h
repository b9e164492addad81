// backend: SDL key codes and modifiers as Windows virtual keys.
#ifndef OXBYTE_WIN32_BACKEND_SDL_KEYS_H
#define OXBYTE_WIN32_BACKEND_SDL_KEYS_H

#include <cstdint>

namespace win32::backend {

int virtualKeyOf(int32_t sdlKey);   // 0 for keys Windows programs never see
uint32_t modifiersOf(uint16_t sdlMod);

}  // namespace win32::backend

#endif
