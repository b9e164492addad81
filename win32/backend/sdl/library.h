// backend: SDL2 opened when the first display is wanted, not when the program is loaded.
#ifndef OXBYTE_WIN32_BACKEND_SDL_LIBRARY_H
#define OXBYTE_WIN32_BACKEND_SDL_LIBRARY_H

#include <SDL.h>
#include <SDL_syswm.h>

#include <string>

// Every SDL function the driver calls. SDL_BlitSurface is a macro for SDL_UpperBlit.
#define OXBYTE_SDL_FUNCTIONS(X)                                                                              \
  X(SDL_Init) X(SDL_InitSubSystem) X(SDL_GetCurrentVideoDriver) X(SDL_Quit) X(SDL_GetError) X(SDL_SetHint) X(SDL_free) X(SDL_GetTicks64)   \
  X(SDL_CreateWindow) X(SDL_DestroyWindow) X(SDL_GetWindowFromID) X(SDL_GetWindowID) X(SDL_GetWindowFlags)    \
  X(SDL_SetWindowTitle) X(SDL_SetWindowSize) X(SDL_SetWindowPosition) X(SDL_GetWindowSize)                    \
  X(SDL_GetWindowPosition) X(SDL_ShowWindow) X(SDL_HideWindow) X(SDL_RaiseWindow) X(SDL_MinimizeWindow)       \
  X(SDL_SetWindowModalFor) X(SDL_SetWindowInputFocus) X(SDL_SetWindowIcon) X(SDL_GetDesktopDisplayMode)       \
  X(SDL_GetWindowSurface) X(SDL_UpdateWindowSurfaceRects) X(SDL_CreateRGBSurfaceWithFormatFrom)               \
  X(SDL_FreeSurface) X(SDL_UpperBlit) X(SDL_WaitEventTimeout) X(SDL_PollEvent) X(SDL_StartTextInput)          \
  X(SDL_GetMouseState) X(SDL_GetModState) X(SDL_CaptureMouse) X(SDL_SetClipboardText) X(SDL_GetClipboardText) \
  X(SDL_OpenAudioDevice) X(SDL_CloseAudioDevice) X(SDL_PauseAudioDevice) X(SDL_QueueAudio)                    \
  X(SDL_ClearQueuedAudio) X(SDL_GetWindowWMInfo) X(SDL_SetEventFilter) X(SDL_EventState) X(SDL_HasEvents)    \
  X(SDL_FillRect) X(SDL_MapRGB) X(SDL_GetDisplayDPI)

namespace win32::backend {

// Each function as a pointer of the same name: inside this namespace a call such as SDL_Init(...) goes
// through the pointer. A program that never opens a display (the tests, the headless backend) so never
// loads SDL2 and the fifty libraries it brings, which would otherwise cost most of its start-up time.
#define OXBYTE_SDL_POINTER(name) extern decltype(&::name) name;
OXBYTE_SDL_FUNCTIONS(OXBYTE_SDL_POINTER)
#undef OXBYTE_SDL_POINTER

// Loads the library and finds every function; false with a one-line reason when it cannot.
bool openSdlLibrary(std::string &error);

}  // namespace win32::backend

#endif
