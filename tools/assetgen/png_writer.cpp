#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "image.h"

namespace {

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 24));
  out.push_back(uint8_t(v >> 16));
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutU32(out, uint32_t(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, uInt(out.size() - start));
  PutU32(out, uint32_t(crc));
}

int Paeth(int a, int b, int c) {
  int p = a + b - c;
  int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Filters one row with each of the five PNG filters and keeps the one whose bytes,
// read as signed, sum to the least: the usual heuristic, and fully deterministic.
void FilterRow(const uint8_t* row, const uint8_t* prev, int bytes, int bpp,
               std::vector<uint8_t>& out) {
  std::vector<uint8_t> best, trial(size_t(bytes) + 1);
  long bestScore = -1;
  for (int f = 0; f < 5; ++f) {
    trial[0] = uint8_t(f);
    long score = 0;
    for (int i = 0; i < bytes; ++i) {
      int a = i >= bpp ? row[i - bpp] : 0;
      int b = prev ? prev[i] : 0;
      int c = (prev && i >= bpp) ? prev[i - bpp] : 0;
      int pred = 0;
      switch (f) {
        case 1: pred = a; break;
        case 2: pred = b; break;
        case 3: pred = (a + b) / 2; break;
        case 4: pred = Paeth(a, b, c); break;
        default: break;
      }
      uint8_t v = uint8_t(row[i] - pred);
      trial[size_t(i) + 1] = v;
      score += std::abs(int(int8_t(v)));
    }
    if (bestScore < 0 || score < bestScore) {
      bestScore = score;
      best = trial;
    }
  }
  out.insert(out.end(), best.begin(), best.end());
}

}  // namespace

bool WritePng(const std::string& path, const Image& image) {
  bool opaque = true;
  for (size_t i = 3; i < image.rgba.size(); i += 4) opaque = opaque && image.rgba[i] == 255;
  // Opaque pictures drop the alpha channel: a quarter smaller, same look.
  const int bpp = opaque ? 3 : 4;
  const int rowBytes = image.width * bpp;

  std::vector<uint8_t> pixels(size_t(rowBytes) * image.height);
  for (size_t p = 0, n = size_t(image.width) * image.height; p < n; ++p)
    for (int c = 0; c < bpp; ++c) pixels[p * bpp + c] = image.rgba[p * 4 + c];

  std::vector<uint8_t> raw;
  raw.reserve(pixels.size() + image.height);
  for (int y = 0; y < image.height; ++y)
    FilterRow(&pixels[size_t(y) * rowBytes], y ? &pixels[size_t(y - 1) * rowBytes] : nullptr,
              rowBytes, bpp, raw);

  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
    return false;
  packed.resize(packedSize);

  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32(header, uint32_t(image.width));
  PutU32(header, uint32_t(image.height));
  header.insert(header.end(), {8, uint8_t(opaque ? 2 : 6), 0, 0, 0});
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});

  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

void AssetSet::Add(const std::string& name, Image image) {
  items_.emplace_back(name, std::move(image));
}

const Image& AssetSet::Get(const std::string& name) const {
  for (const auto& item : items_)
    if (item.first == name) return item.second;
  throw std::runtime_error("asset drawn before its use: " + name);
}
