// The game's music loops and its one sound effect, composed in code.
#include <cmath>
#include <cstdio>

#include "draw.h"
#include "generators.h"
#include "synth.h"

namespace {

constexpr double kTau = 2 * M_PI;

// Menu: a slow, curious music-box theme in A minor over a soft pad.
std::vector<double> Opening() {
  const double beat = 60.0 / 96;
  Track track(8 * 4 * beat);
  // Am F C G Am F Dm E, as (root, third, fifth) MIDI notes around middle C.
  const int chords[8][3] = {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62},
                            {57, 60, 64}, {53, 57, 60}, {50, 53, 57}, {52, 56, 59}};
  const int arp[8] = {0, 1, 2, 4, 2, 1, 3, 1};  // 3 and 4: octave of root and third
  for (int bar = 0; bar < 8; ++bar) {
    const int* c = chords[bar];
    double t0 = bar * 4 * beat;
    for (int k = 0; k < 3; ++k) track.Pad(t0, NoteHz(c[k]), 4 * beat, 0.05);
    track.Bass(t0, NoteHz(c[0] - 24), 2 * beat, 0.22);
    track.Bass(t0 + 2 * beat, NoteHz(c[0] - 24 + (bar % 2 ? 7 : 0)), 2 * beat, 0.16);
    for (int e = 0; e < 8; ++e) {
      int idx = arp[e];
      int note = idx < 3 ? c[idx] + 12 : c[idx - 3] + 24;
      track.Pluck(t0 + e * beat / 2, NoteHz(note), e == 0 ? 0.16 : 0.1, 3.5);
    }
  }
  // A few high bell notes answer the arpeggio in the second half.
  const int bells[][2] = {{16, 88}, {18, 86}, {20, 84}, {22, 83}, {24, 88}, {26, 89}, {28, 86}, {30, 83}};
  for (const auto& b : bells) track.Pluck(b[0] * beat + beat / 2, NoteHz(b[1]), 0.07, 1.6);
  return track.samples();
}

// Level select: wind through the corridors, a low drone and a distant chime.
std::vector<double> EerieWind() {
  Track track(16);
  const size_t n = track.size();
  const double len = double(n) / kSampleRate;
  std::vector<double> noise(n);
  Rng rng(4242);
  for (double& v : noise) v = rng.Range(-1, 1);
  // A swept band-pass over the noise. Run twice round the loop and keep the second
  // pass, so the filter's state at the join is the one it had a loop earlier.
  double low = 0, band = 0;
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < n; ++i) {
      double t = double(i) / kSampleRate;
      // Every sweep and gust fits a whole number of times into the loop.
      double fc = 380 + 240 * std::sin(kTau * 2 * t / len) + 120 * std::sin(kTau * 5 * t / len + 1);
      double gust = 0.55 + 0.45 * std::pow(std::sin(kTau * 3 * t / len + 0.4), 2);
      double f = 2 * std::sin(M_PI * fc / kSampleRate);
      double high = noise[i] - low - 0.25 * band;
      band += f * high;
      low += f * band;
      if (pass == 1) track.at(i) = band * gust * 0.5;
    }
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double swell = 0.6 + 0.4 * std::sin(kTau * t / len);
    track.at(i) += swell * (0.10 * std::sin(kTau * 55 * t) + 0.06 * std::sin(kTau * 82.5 * t) +
                            0.03 * std::sin(kTau * 110.0 * t + 0.5));
  }
  track.Pluck(2.5, NoteHz(88), 0.12, 0.9);
  track.Pluck(3.1, NoteHz(83), 0.08, 0.9);
  track.Pluck(10.4, NoteHz(87), 0.1, 0.9);
  track.Pluck(11.2, NoteHz(82), 0.07, 0.9);
  return track.samples();
}

// In a level: a pulsing bass in D minor, a heartbeat kick and ticking hats.
std::vector<double> LevelMusic() {
  const double beat = 0.5;
  Track track(8 * 4 * beat);
  const int roots[8] = {38, 38, 34, 34, 36, 36, 33, 37};
  const int stabs[8][3] = {{62, 65, 69}, {62, 65, 69}, {58, 62, 65}, {58, 62, 65},
                           {60, 64, 67}, {60, 64, 67}, {57, 61, 64}, {61, 64, 67}};
  uint32_t seed = 1;
  for (int bar = 0; bar < 8; ++bar) {
    double t0 = bar * 4 * beat;
    for (int e = 0; e < 8; ++e)
      track.Bass(t0 + e * beat / 2, NoteHz(roots[bar]), beat / 2 * 0.8, e % 2 ? 0.14 : 0.2);
    track.Kick(t0, 0.5);
    track.Kick(t0 + beat * 0.5, 0.3);
    track.Kick(t0 + 2 * beat, 0.5);
    track.Kick(t0 + 2.5 * beat, 0.3);
    for (int s = 0; s < 16; ++s) track.Hat(t0 + s * beat / 4, s % 4 == 2 ? 0.12 : 0.05, seed++);
    if (bar % 2 == 1)
      for (int k = 0; k < 3; ++k) track.Pluck(t0 + 3.5 * beat, NoteHz(stabs[bar][k]), 0.06, 6);
    // A high, uneasy tone a semitone above the root in every other bar.
    if (bar % 4 == 2) track.Pad(t0, NoteHz(roots[bar] + 37), 4 * beat, 0.035);
  }
  return track.samples();
}

// Camera shutter: the curtain's click, the mirror's clack, then a short film wind.
std::vector<double> Shutter() {
  Track track(0.32);
  const size_t n = track.size();
  Rng rng(77);
  double prev = 0, low = 0, band = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double noise = rng.Range(-1, 1), hiss = noise - prev;
    prev = noise;
    double v = 0;
    v += 0.9 * hiss * std::exp(-t * 500) + 0.6 * std::sin(kTau * 2300 * t) * std::exp(-t * 220);
    double t2 = t - 0.065;
    if (t2 >= 0)
      v += 0.7 * hiss * std::exp(-t2 * 450) + 0.5 * std::sin(kTau * 1650 * t2) * std::exp(-t2 * 180);
    double f = 2 * std::sin(M_PI * 900 / kSampleRate);
    double high = noise - low - 0.5 * band;
    band += f * high;
    low += f * band;
    double t3 = t - 0.11;
    if (t3 >= 0 && t3 < 0.19) {
      double env = std::sin(M_PI * t3 / 0.19);
      v += 0.25 * band * env * env * (0.6 + 0.4 * std::sin(kTau * 55 * t3));
    }
    track.at(i) = v;
  }
  // Fade the last milliseconds so the effect ends on silence.
  for (size_t i = n - 220; i < n; ++i) track.at(i) *= double(n - i) / 220;
  return track.samples();
}

}  // namespace

long MakeSounds(const std::string& dir) {
  struct Sound {
    const char* name;
    std::vector<double> samples;
    double peak;
  };
  const Sound sounds[] = {
      {"opening.wav", Opening(), 0.7},
      {"Eeriewind.wav", EerieWind(), 0.6},
      {"levelbgm.wav", LevelMusic(), 0.7},
      {"camsound.wav", Shutter(), 0.9},
  };
  long total = 0;
  for (const Sound& s : sounds) {
    long bytes = WriteWav(dir + "/" + s.name, ToPcm(s.samples, s.peak));
    if (bytes < 0) {
      std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), s.name);
      return -1;
    }
    total += bytes;
  }
  return total;
}
