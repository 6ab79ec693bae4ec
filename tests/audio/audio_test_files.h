// Sound files for the audio tests, written to a folder that goes away at exit.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace audio_test {

inline std::string InTempDir(const std::string& name) {
  struct TempDir {
    std::string path;
    ~TempDir() { std::filesystem::remove_all(path); }
  };
  static TempDir dir = [] {
    char pattern[] = "/tmp/vantrel_audio_XXXXXX";
    return TempDir{mkdtemp(pattern) ? pattern : "/tmp"};
  }();
  return dir.path + "/" + name;
}

inline std::string Write(const std::string& name, const std::string& bytes) {
  const std::string path = InTempDir(name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

inline std::string LE(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

// A 22050 Hz PCM header; `dataBytes`, `channels` and `bits` may lie about what follows.
inline std::string WavHeader(uint32_t dataBytes, uint16_t channels = 1, uint16_t bits = 16) {
  return "RIFF" + LE(36 + dataBytes, 4) + "WAVEfmt " + LE(16, 4) + LE(1, 2) + LE(channels, 2) +
         LE(22050, 4) + LE(22050 * channels * bits / 8, 4) + LE(channels * bits / 8, 2) +
         LE(bits, 2) + "data" + LE(dataBytes, 4);
}

// A loud 440 Hz tone, so that anything mixed from it is far from silence.
inline std::string Sine(const std::string& name, double seconds) {
  const int frames = static_cast<int>(22050 * seconds);
  std::string wav = WavHeader(frames * 2);
  for (int i = 0; i < frames; ++i) {
    wav += LE(static_cast<uint16_t>(std::lround(20000 * std::sin(2 * M_PI * 440 * i / 22050))), 2);
  }
  return Write(name, wav);
}

}  // namespace audio_test
