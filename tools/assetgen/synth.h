// A tiny synthesiser: looped tracks where every note's tail wraps around to the
// start, so a loop joins itself without a click.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kSampleRate = 22050;

class Track {
 public:
  explicit Track(double seconds) : samples_(size_t(seconds * kSampleRate + 0.5), 0.0) {}
  size_t size() const { return samples_.size(); }
  double& at(size_t i) { return samples_[i % samples_.size()]; }
  const std::vector<double>& samples() const { return samples_; }

  // Instruments: start in seconds, frequency in Hz, duration in seconds.
  void Pluck(double start, double freq, double amp, double decay = 3.0);
  void Pad(double start, double freq, double dur, double amp);
  void Bass(double start, double freq, double dur, double amp);
  void Hat(double start, double amp, uint32_t seed);
  void Kick(double start, double amp);

 private:
  std::vector<double> samples_;
};

double NoteHz(int midi);
// Scales to the given peak and converts to 16-bit samples.
std::vector<int16_t> ToPcm(const std::vector<double>& samples, double peak);
// Writes a mono 16-bit PCM WAV; returns the file size, or -1 on failure.
long WriteWav(const std::string& path, const std::vector<int16_t>& pcm);
