// The audio service when no audio device can be opened: the game must run on, silent.
#include <gtest/gtest.h>

#include <cstdlib>

#include "AudioService.h"
#include "audio_test_files.h"

TEST(AudioNoDevice, OneLineThenEveryHandleIsEmptyAndEveryCallDoesNothing) {
  const std::string path = audio_test::Sine("fine.wav", 0.1);
  testing::internal::CaptureStderr();
  AudioService& audio = AudioService::Get();
  MusicHandle music = audio.LoadMusic(path.c_str());
  EffectHandle effect = audio.LoadEffect(path.c_str());
  bool started = false;
  audio.PlayMusicOnce(music, started);
  audio.SetMusicMuted(true);
  audio.PlayEffect(effect);
  EXPECT_FALSE(audio.HasDevice() || audio.IsMusicPlaying() || audio.IsMusicMuted());
  audio.ReleaseMusic(music);
  audio.ReleaseEffect(effect);
  EXPECT_FALSE(music || effect);
  const std::string out = testing::internal::GetCapturedStderr();
  EXPECT_EQ(out.rfind("No audio device (", 0), 0u) << out;
  EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
}

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
