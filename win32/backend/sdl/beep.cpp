// backend: the SDL driver's beep — a short soft tone, or silence where there is no sound device.
#include "backend/sdl/sdl.h"

#include "backend/sdl/library.h"

#include <dlfcn.h>

#include <algorithm>
#include <vector>

namespace win32::backend {
namespace {

void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

// Without a sound card ALSA reports every device it tried on the terminal. A missing sound device means
// silence, not complaints; the library stays loaded so that SDL's use of it keeps this handler.
void quietAlsa() {
  void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!alsa) return;
  using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
  if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
    setHandler(ignoreAlsaError);
}

uint32_t openSoundDevice() {
  quietAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want{}, have{};
  want.freq = 22050;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;
  uint32_t device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device) SDL_PauseAudioDevice(device, 0);
  return device;
}

}  // namespace

// The beep is still counted by the caller when it cannot be heard.
void SdlDriver::beep() {
  if (!audioTried_) {
    audioTried_ = true;
    audio_ = openSoundDevice();
  }
  if (!audio_) return;
  const int rate = 22050, samples = rate / 8;
  std::vector<int16_t> tone(samples);
  for (int i = 0; i < samples; ++i) {
    int envelope = std::min(i, samples - i) < 200 ? std::min(i, samples - i) * 40 : 8000;
    tone[i] = int16_t(((i * 880 * 2 / rate) % 2 ? 1 : -1) * envelope);
  }
  SDL_ClearQueuedAudio(audio_);
  SDL_QueueAudio(audio_, tone.data(), Uint32(tone.size() * sizeof(int16_t)));
}

}  // namespace win32::backend
