#include "frame_shots.h"

#include <GL/gl.h>
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/KEPlatform.h"

namespace {

struct Picture {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
};

bool Write(const std::string& file, const Picture& picture) {
  std::ofstream out(file, std::ios::binary);
  out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
  out.write(reinterpret_cast<const char*>(picture.rgb.data()), std::streamsize(picture.rgb.size()));
  return bool(out);
}

// Only what Write produces: P6, one width, height and 255, one whitespace, then the pixels.
bool Read(const std::string& file, Picture* picture) {
  std::ifstream in(file, std::ios::binary);
  std::string magic;
  int maximum = 0;
  if (!(in >> magic >> picture->width >> picture->height >> maximum) || magic != "P6" ||
      maximum != 255 || picture->width <= 0 || picture->height <= 0 ||
      picture->width > 8192 || picture->height > 8192)
    return false;
  in.get();
  picture->rgb.resize(size_t(picture->width) * size_t(picture->height) * 3);
  in.read(reinterpret_cast<char*>(picture->rgb.data()), std::streamsize(picture->rgb.size()));
  return bool(in);
}

std::vector<std::string> PicturesIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* listing = opendir(dir.c_str())) {
    while (dirent* entry = readdir(listing)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ppm") == 0) names.push_back(name);
    }
    closedir(listing);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

bool SaveDrawable(const std::string& file) {
  Picture picture;
  KEPlatformGetDrawableSize(&picture.width, &picture.height);
  std::vector<unsigned char> rgba(size_t(picture.width) * size_t(picture.height) * 4);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, picture.width, picture.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  picture.rgb.resize(size_t(picture.width) * size_t(picture.height) * 3);
  // GL's first row is the bottom one.
  for (int y = 0; y < picture.height; ++y) {
    const unsigned char* from = &rgba[size_t(picture.height - 1 - y) * picture.width * 4];
    unsigned char* to = &picture.rgb[size_t(y) * picture.width * 3];
    for (int x = 0; x < picture.width; ++x) std::copy(from + 4 * x, from + 4 * x + 3, to + 3 * x);
  }
  return Write(file, picture);
}

int CompareShots(const std::string& beforeDir, const std::string& afterDir,
                 const std::string& diffDir) {
  int differing = 0;
  const std::vector<std::string> names = PicturesIn(beforeDir);
  if (names.empty()) std::printf("no .ppm pictures in %s\n", beforeDir.c_str());
  for (const std::string& name : names) {
    Picture before, after;
    if (!Read(beforeDir + "/" + name, &before) || !Read(afterDir + "/" + name, &after) ||
        before.width != after.width || before.height != after.height) {
      std::printf("%-32s cannot compare (missing, unreadable or another size)\n", name.c_str());
      ++differing;
      continue;
    }
    long count = 0;
    int largest = 0, left = before.width, right = -1, top = before.height, bottom = -1;
    Picture marked = after;
    for (int y = 0; y < before.height; ++y) {
      for (int x = 0; x < before.width; ++x) {
        const size_t at = (size_t(y) * before.width + x) * 3;
        int most = 0;
        for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(before.rgb[at + c] - after.rgb[at + c]));
        if (most == 0) continue;
        ++count;
        largest = std::max(largest, most);
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
        marked.rgb[at] = 255, marked.rgb[at + 1] = 0, marked.rgb[at + 2] = 255;
      }
    }
    if (count == 0) {
      std::printf("%-32s identical\n", name.c_str());
      continue;
    }
    ++differing;
    std::printf("%-32s %ld pixels differ, by up to %d, within x %d-%d y %d-%d (from the top)\n",
                name.c_str(), count, largest, left, right, top, bottom);
    if (!diffDir.empty()) Write(diffDir + "/" + name, marked);
  }
  return differing;
}
