// The audio service under SDL's disk driver, which writes what a player would hear to a
// file: these checks listen to that file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "AudioService.h"
#include "audio_test_files.h"

namespace {

using audio_test::Sine;

const std::string gHeard = audio_test::InTempDir("heard.raw");
AudioService& Audio() { return AudioService::Get(); }

uintmax_t WrittenBytes() {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(gHeard, error);
  return error ? 0 : size;
}

// The share of non-zero bytes in the next `bytes` written: silence is all zeros in every
// signed or float format, a loud tone almost never. The lead-in skips what may have been
// mixed, or still sat in a write buffer, before the call.
double Loudness(uintmax_t bytes) {
  const uintmax_t start = WrittenBytes() + 16384;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (WrittenBytes() < start + bytes && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::string heard(bytes, '\0');
  std::ifstream in(gHeard, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(start));
  in.read(&heard[0], static_cast<std::streamsize>(bytes));
  if (in.gcount() == 0) return -1.0;
  return static_cast<double>(bytes - std::count(heard.begin(), heard.end(), '\0')) / bytes;
}

TEST(AudioDisk, MusicIsHeardUntilMutedAndANewMusicIsHeardAgain) {
  ASSERT_TRUE(Audio().HasDevice());
  MusicHandle menu = Audio().LoadMusic(Sine("menu.wav", 0.25).c_str());
  MusicHandle level = Audio().LoadMusic(Sine("level.wav", 0.25).c_str());
  EXPECT_EQ(Loudness(16384), 0.0) << "before any music";
  Audio().PlayMusic(menu);
  EXPECT_GT(Loudness(131072), 0.5) << "longer than the tone, so its loop too";
  Audio().SetMusicMuted(true);
  EXPECT_EQ(Loudness(32768), 0.0);
  Audio().PlayMusic(level);
  EXPECT_GT(Loudness(32768), 0.5);
  Audio().ReleaseMusic(level);
  EXPECT_EQ(Loudness(32768), 0.0);
  Audio().ReleaseMusic(menu);
}

TEST(AudioDisk, AnEffectIsHeardOnceAndThenSilence) {
  EffectHandle effect = Audio().LoadEffect(Sine("camera.wav", 0.5).c_str());
  Audio().PlayEffect(effect);
  EXPECT_GT(Loudness(16384), 0.5);
  // Half a second at 44.1 kHz stereo is under 90 kB; past that it must have stopped.
  Loudness(90000);
  EXPECT_EQ(Loudness(32768), 0.0);
  Audio().ReleaseEffect(effect);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", gHeard.c_str(), 1);
  // Mixes faster than real time; the checks count bytes, not seconds.
  setenv("SDL_DISKAUDIODELAY", "2", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
