// The game's audio service: looping music on one music channel, one-shot effects on the
// others, and a mute for the music channel. One service per process, opened on first use
// and closed at exit. Without an audio device, or for a file that will not load, handles
// stay empty and every call on them does nothing, so the game runs on in silence.
#pragma once

#include <string>

// A loaded music stream. Ids are never reused, so a copy kept past its release is
// simply empty to the service instead of pointing at freed memory.
struct MusicHandle {
  unsigned id = 0;
  explicit operator bool() const { return id != 0; }
};

// A loaded one-shot effect, held whole in memory.
struct EffectHandle {
  unsigned id = 0;
  explicit operator bool() const { return id != 0; }
};

class AudioService {
 public:
  // The first call opens the device (36 mixing channels) and registers the exit hook.
  static AudioService& Get();

  // ---------------------------------------------------------------------------------
  // Music: a state loads it in Load, starts it once from Update, releases it in Unload.

  // Empty handle, and one line on standard output naming the file, when it cannot load.
  MusicHandle LoadMusic(const char* path);
  // Plays from the beginning, looping forever, in place of any music already playing.
  // The music channel starts unmuted, whatever the previous music's mute was.
  void PlayMusic(MusicHandle music);
  // Plays the music only while `started` is false, then sets it.
  void PlayMusicOnce(MusicHandle music, bool& started);
  // Stops the music if it is playing, frees it and empties the handle.
  void ReleaseMusic(MusicHandle& music);
  bool IsMusicPlaying() const;
  // The file of the music now playing; empty with none.
  std::string PlayingMusicFile() const;

  // The mute belongs to the music now playing; with none playing it does nothing.
  void SetMusicMuted(bool muted);
  bool IsMusicMuted() const;
  // The player's volumes in percent, for the rest of the run; the mute sits on top.
  void SetVolumes(int musicPercent, int effectsPercent);

  // ---------------------------------------------------------------------------------
  // Effects

  EffectHandle LoadEffect(const char* path);
  // Plays once on a free effect channel; with every channel busy the effect is skipped.
  void PlayEffect(EffectHandle effect);
  // Stops every channel playing the effect, frees it and empties the handle.
  void ReleaseEffect(EffectHandle& effect);

  // False when no audio device could be opened, and after the exit hook has run.
  bool HasDevice() const;

 private:
  AudioService();
};
