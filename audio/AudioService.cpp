// The audio service over SDL2_mixer. SDL_mixer's music stream stands for the music
// channel; effects go to any free mixing channel.
#include "AudioService.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "KEReport.h"

namespace {

constexpr int kMixingChannels = 36;
constexpr int kChunkSize = 1024;

struct AudioState {
  bool device = false;
  unsigned nextId = 1;
  std::unordered_map<unsigned, Mix_Music*> musics;
  std::unordered_map<unsigned, Mix_Chunk*> effects;
  std::unordered_map<unsigned, std::string> musicFiles;
  // The music channel: which music it plays (0 for none) and whether it is muted.
  unsigned playingMusic = 0;
  bool musicMuted = false;
  // The player's volumes, in the mixer's units; the music's mute sits on top.
  int musicVolume = MIX_MAX_VOLUME;
  int effectsVolume = MIX_MAX_VOLUME;
};

// Never destroyed: a sound released from another static's destructor after the exit hook
// must find a closed service, not a dead one.
AudioState& State() {
  static AudioState* state = new AudioState();
  return *state;
}

const char* Named(const char* path) { return path ? path : "(no name)"; }

void ReportBadFile(const char* path) {
  KEReport("Could not load sound \"%s\": %s", Named(path), SDL_GetError());
}

uint32_t ReadNumber(const unsigned char* bytes, int count, bool bigEndian) {
  uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[bigEndian ? i : count - 1 - i];
  return value;
}

// SDL_mixer divides by a WAV's or AIFF's channel count (kept in eight bits) before it checks
// it, so a file claiming 0 or 256 channels would take the game down; and it allocates what
// a chunk claims before reading it, so a damaged size asks for gigabytes; an absurd sample
// rate overflows its converter. It judges the rest.
constexpr uint32_t kHighestSampleRate = 384000;

bool HeaderIsSane(const char* path) {
  SDL_RWops* file = SDL_RWFromFile(path, "rb");
  if (!file) return true;
  const Sint64 fileSize = SDL_RWsize(file);
  unsigned char header[12];
  const char* fault = nullptr;
  // The mixer loses its file handle on a file too short for any header.
  if (fileSize >= 0 && fileSize < 12) fault = "the file is too short to be a sound";
  if (!fault && SDL_RWread(file, header, 1, 12) == 12) {
    const bool wave = SDL_memcmp(header, "RIFF", 4) == 0;
    const bool aiff = SDL_memcmp(header, "FORM", 4) == 0;
    // The format chunk: channels follow the format tag in a WAV, lead in an AIFF.
    const char* formatId = aiff ? "COMM" : "fmt ";
    const int channelsAt = aiff ? 0 : 2;
    unsigned char chunk[8];
    while ((wave || aiff) && !fault && SDL_RWread(file, chunk, 1, 8) == 8) {
      Sint64 skip = ReadNumber(chunk + 4, 4, aiff);
      // The last chunk may lack its padding byte.
      if (fileSize >= 0 && SDL_RWtell(file) + skip > fileSize) {
        fault = "a chunk is longer than the file";
        break;
      }
      skip += skip & 1;  // chunks are padded to even sizes
      if (SDL_memcmp(chunk, formatId, 4) == 0) {
        unsigned char format[8];
        if (skip < 8 || SDL_RWread(file, format, 1, 8) != 8) break;
        const uint32_t channels = ReadNumber(format + channelsAt, 2, aiff);
        if (channels < 1 || channels > 8) fault = "the file's channel count is not 1 to 8";
        // The converter's buffer size overflows for absurd rates (an AIFF keeps its rate
        // as an extended float, left to the mixer).
        const uint32_t rate = ReadNumber(format + 4, 4, false);
        if (wave && (rate < 1 || rate > kHighestSampleRate))
          fault = "the file's sample rate is not 1 to 384000";
        skip -= 8;
      }
      if (SDL_RWseek(file, skip, RW_SEEK_CUR) < 0) break;
    }
  }
  SDL_RWclose(file);
  if (fault) SDL_SetError("%s", fault);
  return !fault;
}

void ReportNoDevice() {
  KEReport("No audio device (%s): the game runs without sound.", SDL_GetError());
}

bool SafeToLoad(const char* path) {
  if (!path) {
    SDL_SetError("no file name given");
    return false;
  }
  return HeaderIsSane(path);
}

// Loads a sound into its table under a fresh id; 0, and one line naming the file, when it
// cannot be loaded.
template <typename Sound, typename Loader>
unsigned Keep(std::unordered_map<unsigned, Sound*>& table, const char* path, Loader load) {
  AudioState& s = State();
  if (!s.device) return 0;
  Sound* sound = SafeToLoad(path) ? load(path) : nullptr;
  if (!sound) {
    ReportBadFile(path);
    return 0;
  }
  table[s.nextId] = sound;
  return s.nextId++;
}

void CloseAtExit() {
  AudioState& s = State();
  if (!s.device) return;
  // Freeing first halts whatever still plays them, so the mixer never reads freed samples.
  for (auto& entry : s.musics) Mix_FreeMusic(entry.second);
  for (auto& entry : s.effects) Mix_FreeChunk(entry.second);
  s.musics.clear();
  s.effects.clear();
  s.musicFiles.clear();
  s.playingMusic = 0;
  s.musicMuted = false;
  s.device = false;
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

AudioService& AudioService::Get() {
  static AudioService service;
  return service;
}

AudioService::AudioService() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportNoDevice();
    return;
  }
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, MIX_DEFAULT_CHANNELS, kChunkSize)) {
    ReportNoDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Mix_AllocateChannels(kMixingChannels);
  Mix_Volume(-1, State().effectsVolume);
  State().device = true;
  std::atexit(CloseAtExit);
}

MusicHandle AudioService::LoadMusic(const char* path) {
  MusicHandle handle;
  handle.id = Keep(State().musics, path, [](const char* file) { return Mix_LoadMUS(file); });
  if (handle) State().musicFiles[handle.id] = path;
  return handle;
}

void AudioService::PlayMusic(MusicHandle music) {
  AudioState& s = State();
  auto found = s.musics.find(music.id);
  if (found == s.musics.end()) return;
  // A new music is a new channel, so the old channel's mute does not carry over.
  s.musicMuted = false;
  Mix_VolumeMusic(s.musicVolume);
  if (Mix_PlayMusic(found->second, -1) != 0) {
    KEReport("Could not play music: %s", Mix_GetError());
    s.playingMusic = 0;
    return;
  }
  s.playingMusic = music.id;
}

void AudioService::PlayMusicOnce(MusicHandle music, bool& started) {
  if (started) return;
  PlayMusic(music);
  started = true;
}

void AudioService::ReleaseMusic(MusicHandle& music) {
  AudioState& s = State();
  auto found = s.musics.find(music.id);
  music = MusicHandle();
  if (found == s.musics.end()) return;
  if (s.playingMusic == found->first) {
    Mix_HaltMusic();
    s.playingMusic = 0;
    s.musicMuted = false;
  }
  Mix_FreeMusic(found->second);
  s.musicFiles.erase(found->first);
  s.musics.erase(found);
}

bool AudioService::IsMusicPlaying() const {
  const AudioState& s = State();
  return s.playingMusic != 0 && Mix_PlayingMusic() != 0;
}

std::string AudioService::PlayingMusicFile() const {
  if (!IsMusicPlaying()) return "";
  const AudioState& s = State();
  auto found = s.musicFiles.find(s.playingMusic);
  return found == s.musicFiles.end() ? "" : found->second;
}

void AudioService::SetMusicMuted(bool muted) {
  AudioState& s = State();
  if (s.playingMusic == 0) return;
  s.musicMuted = muted;
  Mix_VolumeMusic(muted ? 0 : s.musicVolume);
}

void AudioService::SetVolumes(int musicPercent, int effectsPercent) {
  AudioState& s = State();
  const auto mixer = [](int percent) {
    return (percent < 0 ? 0 : percent > 100 ? 100 : percent) * MIX_MAX_VOLUME / 100;
  };
  s.musicVolume = mixer(musicPercent);
  s.effectsVolume = mixer(effectsPercent);
  if (!s.device) return;
  if (!s.musicMuted) Mix_VolumeMusic(s.musicVolume);
  Mix_Volume(-1, s.effectsVolume);
}

bool AudioService::IsMusicMuted() const {
  const AudioState& s = State();
  return s.playingMusic != 0 && s.musicMuted;
}

EffectHandle AudioService::LoadEffect(const char* path) {
  EffectHandle handle;
  handle.id = Keep(State().effects, path, [](const char* file) { return Mix_LoadWAV(file); });
  return handle;
}

void AudioService::PlayEffect(EffectHandle effect) {
  AudioState& s = State();
  auto found = s.effects.find(effect.id);
  if (found == s.effects.end()) return;
  Mix_PlayChannel(-1, found->second, 0);
}

void AudioService::ReleaseEffect(EffectHandle& effect) {
  AudioState& s = State();
  auto found = s.effects.find(effect.id);
  effect = EffectHandle();
  if (found == s.effects.end()) return;
  Mix_FreeChunk(found->second);
  s.effects.erase(found);
}

bool AudioService::HasDevice() const { return State().device; }
