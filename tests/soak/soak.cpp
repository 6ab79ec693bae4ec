// Plays every level through the real state loop with seeded random keys, clicks and mouse
// moves (odd ones included), and checks that the heap in use stops growing.
// usage: soak [frames per level] [first level] [last level]   (under a display)
//        soak restarts COUNT LEVEL   enters the level COUNT times in a row and prints the heap
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>

#include "DataDirectory.h"
#include "GameStateLoop.h"
#include "KESystem.h"
#include "LevelBase.h"
#include "LevelRoster.h"
#include "test_input.h"

// The game's own heap: everything it makes with new. The GL driver's and SDL's C heaps
// swing by megabytes from frame to frame and are left out.
std::atomic<long> gGameHeap{0};

void* Take(std::size_t size) noexcept {
  void* block = std::malloc(size ? size : 1);
  if (block) gGameHeap += long(malloc_usable_size(block));
  return block;
}

void Give(void* block) noexcept {
  if (!block) return;
  gGameHeap -= long(malloc_usable_size(block));
  std::free(block);
}

// Every plain form, so that no block is taken by one allocator and given back to another
// (a stable sort's buffer is taken without throwing and given back plainly).
void* operator new(std::size_t size) {
  if (void* block = Take(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void operator delete(void* block) noexcept { Give(block); }
void operator delete[](void* block) noexcept { Give(block); }
void operator delete(void* block, std::size_t) noexcept { Give(block); }
void operator delete[](void* block, std::size_t) noexcept { Give(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Give(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Give(block); }

size_t HeapInUse() { return size_t(gGameHeap.load()); }

namespace {

// Bytes the game's heap may grow by from the second quarter of a level's run to the last.
// The least in use over each quarter is compared: hazards and paths come and go, a leak per
// frame or per restart stays.
constexpr long kAllowedGrowth = 256 * 1024;
// A small window: every draw call still runs, but the software rasteriser fills a
// sixteenth of the pixels, so a long run is spent on the game rather than on filling.
constexpr int kWindowWidth = 200, kWindowHeight = 150;
constexpr int kFramesOutOfLevel = 180;  // menus and screens, then straight back in

// Walking keys most often, the rest now and then, and any code at all once in a while.
unsigned RandomKey(std::mt19937& random) {
  static const unsigned kKeys[] = {'W', 'A', 'S', 'D', 'W', 'A', 'S', 'D', 0x01, 0x02,
                                   0x04, 0x20, 0x0D, 0x1B, 'G', 0x72};
  std::uniform_int_distribution<int> pick(0, int(sizeof kKeys / sizeof kKeys[0]));
  const int i = pick(random);
  return i < int(sizeof kKeys / sizeof kKeys[0]) ? kKeys[i] : random() % 256;
}

void Enter(int level) {
  GameStateManager.next = CreateLevel(level);
  GameStateManager.level = level;
}

// Returns the heap growth over the second half of the run.
long Soak(int level, int frames) {
  std::mt19937 random(level);
  bool down[256] = {};
  int cursorX = 400, cursorY = 300, outOfLevel = 0, restarts = 0;
  size_t leastEarly = SIZE_MAX, leastLate = SIZE_MAX;
  GameStateLoopBegin(CreateLevel(level));
  GameStateManager.level = level;
  for (int frame = 0; frame < frames; ++frame) {
    if (random() % 8 == 0) {
      const unsigned key = RandomKey(random);
      // Escape and the buttons are let go at once: a held Escape pauses and unpauses.
      down[key] = !down[key];
      down[key] ? test_input::Press(key) : test_input::Release(key);
    }
    if (random() % 50 == 0) {
      cursorX = int(random() % 1000) - 100;  // off the view now and then
      cursorY = int(random() % 800) - 100;
    } else {
      cursorX += int(random() % 21) - 10;
      cursorY += int(random() % 21) - 10;
    }
    test_input::SetCursor(cursorX, cursorY);
    if (!GameStateLoopStep()) {
      GameStateLoopBegin(CreateLevel(level));
      GameStateManager.level = level;
      ++restarts;
    }
    outOfLevel = CurrentLevel() ? 0 : outOfLevel + 1;
    if (outOfLevel > kFramesOutOfLevel) {
      Enter(level);
      ++restarts;
    }
    if (frame % 10 == 0 && frame >= frames / 4) {
      size_t& least = frame < frames / 2 ? leastEarly : leastLate;
      if (frame < frames / 2 || frame >= 3 * frames / 4) least = std::min(least, HeapInUse());
    }
  }
  GameStateManager.next = nullptr;
  GameStateLoopStep();
  for (int key = 0; key < 256; ++key)
    if (down[key]) test_input::Release(key);
  const long growth = long(leastLate) - long(leastEarly);
  std::printf("level %d: %d frames, %d times back into the level, heap %+ld bytes from the second quarter to the last\n",
              level, frames, restarts, growth);
  return growth;
}

// Each entry is a new level object from its table, as the pause menu's restart makes it.
void Restarts(int count, int level) {
  GameStateLoopBegin(CreateLevel(level));
  GameStateManager.level = level;
  for (int restart = 1; restart <= count; ++restart) {
    for (int frame = 0; frame < 30; ++frame) GameStateLoopStep();
    Enter(level);
    GameStateLoopStep();
    if (restart % 10 == 0) std::printf("restart %d: heap %zu bytes\n", restart, HeapInUse());
  }
  GameStateManager.next = nullptr;
  GameStateLoopStep();
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (argc == 4 && std::string(argv[1]) == "restarts") {
    if (!EnterDataDirectory() || !KESysInit(nullptr, 1, kWindowWidth, kWindowHeight, 0, 60, nullptr)) return 1;
    test_input::Install();
    Restarts(std::atoi(argv[2]), std::atoi(argv[3]));
    test_input::Uninstall();
    KESysExit();
    return 0;
  }
  const int frames = argc > 1 ? std::atoi(argv[1]) : 3000;
  const int first = argc > 2 ? std::atoi(argv[2]) : 1;
  const int last = argc > 3 ? std::atoi(argv[3]) : kLevelCount;
  if (frames < 40 || first < 1 || last > kLevelCount || first > last) {
    std::printf("usage: soak [frames per level] [first level] [last level]\n");
    return 2;
  }
  if (!EnterDataDirectory()) return 1;
  if (!KESysInit(nullptr, 1, kWindowWidth, kWindowHeight, 0, 60, nullptr)) return 1;
  test_input::Install();
  int failures = 0;
  for (int level = first; level <= last; ++level) {
    if (Soak(level, frames) > kAllowedGrowth) {
      std::printf("FAIL: level %d keeps growing\n", level);
      ++failures;
    }
  }
  test_input::Uninstall();
  KESysExit();
  std::printf(failures ? "soak: %d levels failed\n" : "soak: all levels held up\n", failures);
  return failures ? 1 : 0;
}
