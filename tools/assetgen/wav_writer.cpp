#include <algorithm>
#include <cmath>
#include <cstdio>

#include "synth.h"

namespace {

void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::vector<int16_t> ToPcm(const std::vector<double>& samples, double peak) {
  double max = 1e-9;
  for (double s : samples) max = std::max(max, std::fabs(s));
  std::vector<int16_t> pcm(samples.size());
  for (size_t i = 0; i < samples.size(); ++i)
    pcm[i] = int16_t(std::lround(std::clamp(samples[i] / max * peak, -1.0, 1.0) * 32767));
  return pcm;
}

long WriteWav(const std::string& path, const std::vector<int16_t>& pcm) {
  const uint32_t dataBytes = uint32_t(pcm.size() * 2);
  std::vector<uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, 1, 2);  // mono
  Put(out, kSampleRate, 4);
  Put(out, kSampleRate * 2, 4);
  Put(out, 2, 2);
  Put(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put(out, dataBytes, 4);
  for (int16_t s : pcm) Put(out, uint16_t(s), 2);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return -1;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  if (std::fclose(f) != 0 || !ok) return -1;
  return long(out.size());
}
