// The generator's stages, in the order main runs them: later stages reuse the
// pictures of earlier ones.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "draw.h"
#include "image.h"

void MakeTiles(AssetSet& set);
void MakeCreatures(AssetSet& set);
void MakeHud(AssetSet& set);
void MakeButtons(AssetSet& set);
void MakeBadges(AssetSet& set);
// The death lines, level names, result labels and time glyphs the game sets at run time.
void MakeOutcomes(AssetSet& set);
void MakeScreens(AssetSet& set);
// The game's icon at `size` pixels square.
Image GameIcon(int size);
// The desktop's icons under `dir`/hicolor, PNG in every theme size and SVG; false when a
// file cannot be written.
bool WriteDesktopIcons(const std::string& dir);
// Whole screens composed as the game shows them, for the contact sheet.
std::vector<std::pair<std::string, Image>> MakeMockups(const AssetSet& set);
Image MakeContactSheet(const AssetSet& set);
// Writes the WAV files into `dir`; returns their total size in bytes, or -1 on failure.
long MakeSounds(const std::string& dir);

// The game names pictures from its data folder; the set holds them from Assets/ down.
std::string InAssets(const char* path);
// One of a picture's two versions: the keyboard's, or the pad's.
template <typename Pictures>
const char* Prompt(const Pictures& pictures, bool pad) {
  return pad ? pictures.pad : pictures.keyboard;
}

// Builds a picture one pixel at a time.
Image PixelImage(int width, int height, const std::function<Color(int x, int y)>& pixel);
