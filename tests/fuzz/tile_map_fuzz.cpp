// Any bytes given to the level map reader: it must not crash, hang or allocate past its
// bounds, and a map it accepts must be whole.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "TileMapFile.h"
#include "fuzz_main.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostream quiet(nullptr);  // a stream with no buffer drops every message
  TileMapGrid grid;
  const bool ok = ReadTileMap(in, "fuzz.txt", &grid, quiet);
  if (ok == grid.Empty()) __builtin_trap();
  if (ok && (grid.width < 1 || grid.width > kMapMaxSide || grid.height < 1 ||
             grid.height > kMapMaxSide || grid.tileSize < 1 || grid.tileSize > kMapMaxTileSize ||
             grid.cells.size() != std::size_t{grid.width} * grid.height)) {
    __builtin_trap();
  }
  return 0;
}
