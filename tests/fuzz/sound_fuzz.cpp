// Any bytes as a sound file, loaded as an effect and as music through the audio service:
// a file the service's checks let through must load or be refused, never crash the game.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "AudioService.h"
#include "fuzz_main.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return "/tmp/vantrel_sound_fuzz_" + std::to_string(getpid()) + ".wav";
  }();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
  AudioService& audio = AudioService::Get();
  EffectHandle effect = audio.LoadEffect(path.c_str());
  audio.PlayEffect(effect);
  audio.ReleaseEffect(effect);
  MusicHandle music = audio.LoadMusic(path.c_str());
  audio.ReleaseMusic(music);
  unlink(path.c_str());
  return 0;
}
