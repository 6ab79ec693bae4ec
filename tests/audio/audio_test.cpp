// The audio service under SDL's dummy driver: a real device that plays into nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <SDL_mixer.h>

#include "AudioService.h"
#include "audio_test_files.h"

namespace {

using namespace audio_test;

AudioService& Audio() { return AudioService::Get(); }

TEST(AudioDummy, BadFilesGiveEmptyHandlesAndOneLineNamingTheFile) {
  // An AIFF whose format chunk claims no channels.
  const std::string aiffNoChannels = "FORM" + std::string("\0\0\0\x2e", 4) + "AIFFCOMM" +
                                     std::string("\0\0\0\x12\0\0\0\0\0\x64\0\x10", 12) +
                                     std::string("\x40\x0d\xac\x44\0\0\0\0\0\0", 10) + "SSND" +
                                     std::string("\0\0\0\x08", 4) + std::string(8, '\0');
  const std::string paths[] = {
      InTempDir("missing.wav"),
      Write("empty.wav", ""),
      Write("text.wav", "these are not the samples you are looking for"),
      Write("no_format.wav", "RIFF" + LE(4, 4) + "WAVE"),
      Write("odd_bits.wav", WavHeader(4, 1, 13) + "abcd"),
      // The mixer itself would divide by these channel counts (256 is 0 in its eight bits).
      Write("no_channels.wav", WavHeader(4, 0) + "abcd"),
      Write("256_channels.wav", WavHeader(512, 256) + std::string(512, 'a')),
      Write("no_channels_aiff.wav", aiffNoChannels),
      // The mixer would allocate the 4 GB that the data chunk claims.
      Write("lying_size.wav", WavHeader(0xFFFFFFF0u) + "abcd"),
      Write("absurd_rate.wav", [] {
        std::string header = WavHeader(400);
        header.replace(24, 4, LE(4500002, 4));
        return header + std::string(400, '\1');
      }()),
  };
  for (const std::string& path : paths) {
    for (bool asMusic : {true, false}) {
      SCOPED_TRACE(path + (asMusic ? " as music" : " as effect"));
      testing::internal::CaptureStderr();
      MusicHandle music = asMusic ? Audio().LoadMusic(path.c_str()) : MusicHandle();
      EffectHandle effect = asMusic ? EffectHandle() : Audio().LoadEffect(path.c_str());
      // Used the way a state uses a sound, whatever came back.
      Audio().PlayMusic(music);
      Audio().PlayEffect(effect);
      Audio().ReleaseMusic(music);
      Audio().ReleaseEffect(effect);
      const std::string out = testing::internal::GetCapturedStderr();
      EXPECT_FALSE(music || effect);
      EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
      EXPECT_EQ(out.rfind("Could not load sound \"" + path + "\": ", 0), 0u) << out;
    }
  }
}

TEST(AudioDummy, MuteBelongsToTheMusicThatWasPlaying) {
  MusicHandle menu = Audio().LoadMusic(Sine("menu.wav", 0.1).c_str());
  MusicHandle level = Audio().LoadMusic(Sine("level.wav", 0.1).c_str());
  Audio().SetMusicMuted(true);
  EXPECT_FALSE(Audio().IsMusicMuted()) << "nothing playing, no channel to mute";
  Audio().PlayMusic(menu);
  Audio().SetMusicMuted(true);
  EXPECT_TRUE(Audio().IsMusicMuted());
  Audio().PlayMusic(level);
  EXPECT_FALSE(Audio().IsMusicMuted());
  Audio().SetMusicMuted(true);
  Audio().ReleaseMusic(level);
  EXPECT_FALSE(Audio().IsMusicMuted());
  Audio().ReleaseMusic(menu);
}

// The player's volumes reach the mixer and come back from under the pause menu's mute.
TEST(AudioDummy, VolumesHoldAcrossTheMuteAndNewMusic) {
  MusicHandle menu = Audio().LoadMusic(Sine("menu.wav", 0.1).c_str());
  Audio().SetVolumes(50, 30);
  Audio().PlayMusic(menu);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
  EXPECT_EQ(Mix_Volume(0, -1), MIX_MAX_VOLUME * 30 / 100);
  Audio().SetMusicMuted(true);
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  Audio().SetVolumes(70, 0);
  EXPECT_EQ(Mix_VolumeMusic(-1), 0) << "still muted";
  Audio().SetMusicMuted(false);
  EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME * 70 / 100);
  EXPECT_EQ(Mix_Volume(0, -1), 0);
  Audio().SetVolumes(100, 100);
  Audio().ReleaseMusic(menu);
}

TEST(AudioDummy, ReleaseStopsOnlyItsOwnMusicAndLeavesStaleCopiesHarmless) {
  testing::internal::CaptureStderr();
  MusicHandle leaving = Audio().LoadMusic(Sine("leaving.wav", 0.1).c_str());
  MusicHandle entering = Audio().LoadMusic(Sine("entering.wav", 0.1).c_str());
  EffectHandle effect = Audio().LoadEffect(Sine("effect.wav", 0.1).c_str());
  const MusicHandle staleMusic = entering;
  const EffectHandle staleEffect = effect;
  bool started = false;
  Audio().PlayMusicOnce(entering, started);
  Audio().PlayEffect(effect);
  Audio().ReleaseMusic(leaving);
  EXPECT_TRUE(started && Audio().IsMusicPlaying());
  Audio().ReleaseMusic(entering);
  Audio().ReleaseEffect(effect);
  EXPECT_FALSE(Audio().IsMusicPlaying());
  EXPECT_FALSE(entering || effect);

  Audio().PlayMusic(staleMusic);
  Audio().PlayEffect(staleEffect);
  EXPECT_FALSE(Audio().IsMusicPlaying());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// What a static destructor might still hold and call when the process ends.
MusicHandle gLateMusic;
EffectHandle gLateEffect;
void LateCalls() {
  Audio().PlayMusic(gLateMusic);
  Audio().PlayEffect(gLateEffect);
  Audio().ReleaseMusic(gLateMusic);
  Audio().ReleaseEffect(gLateEffect);
  std::fprintf(stderr, "late calls done, device %d\n", Audio().HasDevice());
}

TEST(AudioDummyDeathTest, ExitClosesTheDeviceWithSoundsStillPlaying) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        // Registered before the service opens, so it runs after the service's exit hook.
        std::atexit(LateCalls);
        gLateMusic = Audio().LoadMusic(Sine("late.wav", 0.1).c_str());
        gLateEffect = Audio().LoadEffect(Sine("late_effect.wav", 0.1).c_str());
        Audio().PlayMusic(gLateMusic);
        Audio().PlayEffect(gLateEffect);
        std::exit(0);
      },
      testing::ExitedWithCode(0), "late calls done, device 0");
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
