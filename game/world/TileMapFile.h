// The level map text format: a labelled header (width, height, tile size) and the cell codes.
// Pure reading: no GL, no game objects, so tests, the fuzzer and the benchmark use it alone.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <vector>

// Our maps are at most 40 by 40; these leave room for hand-made ones and keep a damaged
// header from asking for gigabytes or a zero-sized cell.
constexpr unsigned kMapMaxSide = 256;
constexpr unsigned kMapMaxTileSize = 1024;
// The header reader gives up looking for a label's closing space after this many characters.
constexpr std::size_t kMapLabelSkip = 9571;

struct TileMapGrid {
  unsigned width = 0;
  unsigned height = 0;
  unsigned tileSize = 0;
  std::vector<unsigned> cells;  // [row * width + column], row 0 at the bottom

  bool Empty() const { return cells.empty(); }
  unsigned At(unsigned row, unsigned column) const { return cells[row * width + column]; }
};

// Reads one level map. A header that is unreadable or out of bounds leaves `out` empty and
// returns false. A cell that holds no code the game knows, or that a file cut short lacks,
// is floor, or a wall on the map's edge. Either way one line naming `fileName` goes to `log`.
bool ReadTileMap(std::istream& in, const char* fileName, TileMapGrid* out, std::ostream& log);
bool ReadTileMap(std::istream& in, const char* fileName, TileMapGrid* out);  // to KEReport
