// Plain pixel buffers the generator passes around before they become files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Straight (not premultiplied) RGBA, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

// Every picture the generator made, by the name the game asks for ("Assets/..."
// without the folder). Later drawings (screens, the contact sheet) reuse earlier ones.
class AssetSet {
 public:
  void Add(const std::string& name, Image image);
  const Image& Get(const std::string& name) const;
  const std::vector<std::pair<std::string, Image>>& All() const { return items_; }

 private:
  std::vector<std::pair<std::string, Image>> items_;
};

// Writes a PNG with our own encoder; returns false when the file cannot be written.
bool WritePng(const std::string& path, const Image& image);
