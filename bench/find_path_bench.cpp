// Cost of one FindPath corner to corner on 40 by 40 maps, the largest our levels use: an
// open floor and a serpentine maze whose path visits nearly every cell. No window needed.
// Run: bench_find_path [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>

#include <list>

#include "TileMap.h"

namespace {

constexpr unsigned kSide = 40, kTile = 40;

// Walls on every other column, each open at the end the previous one was closed at.
unsigned MazeCode(unsigned row, unsigned column) {
  if (row == 0 || row == kSide - 1 || column == 0 || column == kSide - 1) return 9;
  if (column % 2 != 0 || column == kSide - 2) return 0;
  const unsigned gapRow = (column / 2) % 2 ? kSide - 2 : 1;
  return row == gapRow ? 0 : 9;
}

TileMap MakeMap(bool maze) {
  TileMapGrid grid;
  grid.width = grid.height = kSide;
  grid.tileSize = kTile;
  for (unsigned row = 0; row < kSide; ++row) {
    for (unsigned column = 0; column < kSide; ++column) {
      grid.cells.push_back(maze ? MazeCode(row, column) : 0);
    }
  }
  TileMap map;
  map.LoadGrid(grid);
  return map;
}

// Centre of a cell of the 40 by 40 map in world coordinates.
KEVec2 Centre(unsigned row, unsigned column) {
  const float half = kSide * kTile / 2.0f;
  return {column * 1.0f * kTile - half + kTile / 2.0f, row * 1.0f * kTile - half + kTile / 2.0f};
}

void Run(benchmark::State& state, bool maze, KEVec2 from, KEVec2 to) {
  TileMap map = MakeMap(maze);
  size_t length = 0;
  for (auto _ : state) {
    std::list<KEVec2> path = map.FindPath(from, to);
    length = path.size();
    benchmark::DoNotOptimize(path);
  }
  state.counters["path"] = static_cast<double>(length);
}

void OpenCornerToCorner(benchmark::State& state) {
  Run(state, false, Centre(0, 0), Centre(kSide - 1, kSide - 1));
}
void MazeCornerToCorner(benchmark::State& state) {
  Run(state, true, Centre(1, 1), Centre(kSide - 2, kSide - 2));
}
// The whole reachable maze is searched before the walled-in target is given up.
void MazeToAWall(benchmark::State& state) {
  Run(state, true, Centre(1, 1), Centre(kSide - 1, kSide - 1));
}

BENCHMARK(OpenCornerToCorner);
BENCHMARK(MazeCornerToCorner);
BENCHMARK(MazeToAWall);

}  // namespace

BENCHMARK_MAIN();
