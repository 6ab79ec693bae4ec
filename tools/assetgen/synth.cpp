#include "synth.h"

#include <cmath>

#include "draw.h"

namespace {

constexpr double kTau = 2 * M_PI;

size_t At(double seconds) { return size_t(std::lround(seconds * kSampleRate)); }

}  // namespace

double NoteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

void Track::Pluck(double start, double freq, double amp, double decay) {
  // A bell-like pluck: a few inharmonic partials that die away at different rates.
  const size_t n = At(std::min(4.0, 6.0 / decay)), s0 = At(start);
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double attack = std::min(1.0, t / 0.004);
    double v = std::sin(kTau * freq * t) * std::exp(-t * decay) +
               0.35 * std::sin(kTau * freq * 2.01 * t) * std::exp(-t * decay * 2.2) +
               0.12 * std::sin(kTau * freq * 3.98 * t) * std::exp(-t * decay * 4);
    at(s0 + i) += amp * attack * v;
  }
}

void Track::Pad(double start, double freq, double dur, double amp) {
  // Two slightly detuned soft saws (few harmonics), swelling in and out.
  const double release = 0.8;
  const size_t n = At(dur + release), s0 = At(start);
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double env = std::min(1.0, t / 0.5) * (t > dur ? std::exp(-(t - dur) / release * 4) : 1.0);
    double v = 0;
    for (int h = 1; h <= 5; ++h)
      v += (std::sin(kTau * freq * h * t) + std::sin(kTau * freq * 1.004 * h * t + h)) / (h * h);
    at(s0 + i) += amp * env * v * 0.5;
  }
}

void Track::Bass(double start, double freq, double dur, double amp) {
  const size_t n = At(dur + 0.05), s0 = At(start);
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double env = std::min(1.0, t / 0.006) * std::exp(-t * 2.5) *
                 (t > dur ? std::max(0.0, 1 - (t - dur) / 0.05) : 1.0);
    double v = std::tanh(2.2 * std::sin(kTau * freq * t)) + 0.3 * std::sin(kTau * freq * 2 * t);
    at(s0 + i) += amp * env * v;
  }
}

void Track::Hat(double start, double amp, uint32_t seed) {
  Rng rng(seed);
  const size_t n = At(0.06), s0 = At(start);
  double prev = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    double noise = rng.Range(-1, 1);
    // The difference of successive samples keeps only the hiss.
    at(s0 + i) += amp * std::exp(-t * 70) * (noise - prev);
    prev = noise;
  }
}

void Track::Kick(double start, double amp) {
  const size_t n = At(0.3), s0 = At(start);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = double(i) / kSampleRate;
    phase += kTau * (45 + 75 * std::exp(-t * 30)) / kSampleRate;
    at(s0 + i) += amp * std::exp(-t * 9) * std::sin(phase);
  }
}
