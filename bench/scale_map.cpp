#include "scale_map.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "LevelFile.h"

namespace {

constexpr int kTileSize = 50;
constexpr int kWall = 9, kExit = 5, kFloor = 0;
constexpr int kReach = 6;  // cells from a monster's start to its route points

}  // namespace

bool WriteScaleMap(const std::string& file, int side, int monsters) {
  std::mt19937 random(unsigned(side * 7919 + monsters));
  // [line][column], line 0 at the top as the file lists them.
  std::vector<std::vector<int>> grid(side, std::vector<int>(side, kFloor));
  for (int line = 0; line < side; ++line) {
    for (int column = 0; column < side; ++column) {
      const bool edge = line == 0 || column == 0 || line == side - 1 || column == side - 1;
      if (edge || random() % 100 < 6) grid[line][column] = kWall;
    }
  }
  const int middle = side / 2;
  // Out of sight of the player: its cone and the monsters' reach a few cells at most.
  const int clear = std::max(3, std::min(10, side / 4));
  for (int line = middle - 1; line <= middle + 1; ++line)
    for (int column = middle - 1; column <= middle + 1; ++column) grid[line][column] = kFloor;
  grid[1][side - 2] = kExit;

  auto free = [&](int line, int column) {
    return line > 0 && column > 0 && line < side - 1 && column < side - 1 &&
           grid[line][column] == kFloor &&
           std::max(std::abs(line - middle), std::abs(column - middle)) > clear;
  };

  FILE* out = std::fopen(file.c_str(), "w");
  if (!out) return false;
  std::fprintf(out, "%s\nname Scale %d, %d\nwidth %d\nheight %d\ntilesize %d\n", kLevelFormatLine,
               side, monsters, side, side, kTileSize);
  for (const std::vector<int>& line : grid) {
    for (int column = 0; column < side; ++column)
      std::fprintf(out, "%d%c", line[column], column + 1 < side ? ' ' : '\n');
  }
  std::fprintf(out, "\nplayer %d,%d\n", middle, middle);
  std::uniform_int_distribution<int> anywhere(1, side - 2), near(-kReach, kReach);
  for (int placed = 0; placed < monsters;) {
    const int line = anywhere(random), column = anywhere(random);
    if (!free(line, column)) continue;
    int route[2][2];
    for (auto& point : route) {
      do {
        point[0] = line + near(random);
        point[1] = column + near(random);
      } while (!free(point[0], point[1]));
    }
    std::fprintf(out, "monster %s %d,%d route %d,%d %d,%d\n", kMonsterKindNames[placed % 5], column,
                 line, route[0][1], route[0][0], route[1][1], route[1][0]);
    ++placed;
  }
  return std::fclose(out) == 0;
}
