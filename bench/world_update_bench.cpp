// Cost of one UpdateAll over a 40 x 40 map's tiles plus 30 moving objects, against the
// tiles alone and an empty world, all in one run.
// Run under a display: xvfb-run -a -s "-screen 0 1600x1200x24" bench_world_update
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "DataDirectory.h"
#include "GameState.h"
#include "KEInput.h"
#include "KESystem.h"
#include "ObjectManager.h"
#include "TileMap.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSide = 40;
constexpr int kMovers = 30;
constexpr int kCalls = 2000;

// Walks back and forth across the map with its box, as monsters and the player do.
class Mover : public GameObject {
 public:
  explicit Mover(int index) : GameObject({float(index * 40 - 600), 0}, {60, 30}, {40, 40}, 0) {
    layer = 10;
  }
  void Update() override {
    const float dt = 1.0f / 60;
    position.x += velocity.x * dt;
    position.y += velocity.y * dt;
    if (position.x > 900 || position.x < -900) velocity.x = -velocity.x;
    if (position.y > 900 || position.y < -900) velocity.y = -velocity.y;
    boundsMin = {position.x - 16, position.y - 16};
    boundsMax = {position.x + 16, position.y + 16};
    UpdateTransform();
  }
  void Draw() override {}
};

double MicrosecondsPerUpdate() {
  for (int i = 0; i < 100; ++i) gObjectManager.UpdateAll();
  const auto start = Clock::now();
  for (int i = 0; i < kCalls; ++i) gObjectManager.UpdateAll();
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kCalls;
}

}  // namespace

int main() {
  if (!EnterDataDirectory() || !KESysInit(nullptr, 1, 800, 600, 0, 0, nullptr)) return 1;
  KEInputReset();

  const double empty = MicrosecondsPerUpdate();

  const std::string file = std::string(P_tmpdir) + "/vantrel_world_update_bench.txt";
  {
    std::ofstream out(file);
    out << "width " << kSide << "\nheight " << kSide << "\ntilesize 50\n";
    for (int cell = 0; cell < kSide * kSide; ++cell)
      out << ((cell % 7 == 3) ? 9 : 0) << ((cell + 1) % kSide ? " " : "\n");
  }
  TileMap map;
  map.LoadFile(file.c_str());
  std::remove(file.c_str());
  const double tilesOnly = MicrosecondsPerUpdate();

  for (int i = 0; i < kMovers; ++i) gObjectManager.objects.push_back(std::make_shared<Mover>(i));
  SortByLayer(gObjectManager.objects);
  const double withMovers = MicrosecondsPerUpdate();

  std::printf("UpdateAll, mean of %d calls\n", kCalls);
  std::printf("%-34s %10.2f us\n", "empty world", empty);
  std::printf("%-34s %10.2f us\n", "1600 tiles", tilesOnly);
  std::printf("%-34s %10.2f us  (%.2f us more than the tiles alone)\n",
              "1600 tiles + 30 moving objects", withMovers, withMovers - tilesOnly);
  gObjectManager.FreeAll();
  KESysExit();
  return 0;
}
