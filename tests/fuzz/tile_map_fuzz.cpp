// Any bytes given to the level map reader: it must not crash, hang or allocate past its
// bounds, and a map it accepts must be whole.
// Built as a libFuzzer target with clang; without TILE_MAP_FUZZER it is a small program that
// runs the files named on its command line, so the seed corpus is replayed with any compiler.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "TileMapFile.h"

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

#ifndef TILE_MAP_FUZZER
int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream file(argv[i], std::ios::binary);
    if (!file) {
      std::printf("%s: cannot be read\n", argv[i]);
      return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%d map files read\n", argc - 1);
  return 0;
}
#endif
