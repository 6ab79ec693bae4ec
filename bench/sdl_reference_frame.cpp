// The yardstick for a level frame: the same kind of picture drawn through SDL2's own 2D
// renderer (OpenGL driver, nearest scaling, an 800 x 600 logical view stretched over the
// window): 50 x 50 floor and wall tiles over the whole view, one 40 x 40 sprite per actor
// turned to its own angle with its 135 x 60 translucent cone, and the 800 x 80 status strip.
// Frames back to back, no vsync. Run in the data folder, under a display:
//   bench_sdl_reference WIDTH HEIGHT FRAMES ACTORS...
// Prints one line per actor count: "actors N ms M cpu C", M the wall time and C the
// processor time of all the process's threads (the rasteriser's too), per frame.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

constexpr int kViewWidth = 800, kViewHeight = 600;
constexpr int kTile = 50;
constexpr int kWarmUp = 30;

SDL_Texture* Load(SDL_Renderer* renderer, const char* file) {
  SDL_Texture* texture = IMG_LoadTexture(renderer, file);
  if (!texture) std::printf("cannot load %s: %s\n", file, IMG_GetError());
  return texture;
}

struct Pictures {
  SDL_Texture *floor, *wall, *actor, *cone, *strip;
};

// Actors spread over the view above the strip, each turning a little every frame.
void DrawFrame(SDL_Renderer* renderer, const Pictures& p, int actors, int frame) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  // Half a tile past each edge, as a camera between cell centres sees the map.
  for (int top = -kTile / 2; top < kViewHeight; top += kTile) {
    for (int left = -kTile / 2; left < kViewWidth; left += kTile) {
      const SDL_Rect cell = {left, top, kTile, kTile};
      const bool wall = (left + 3 * top) % 350 == 0;
      SDL_RenderCopy(renderer, wall ? p.wall : p.floor, nullptr, &cell);
    }
  }
  for (int i = 0; i < actors; ++i) {
    const SDL_Rect body = {60 + (i * 131) % 680, 40 + (i * 71) % 420, 40, 40};
    const double angle = (frame * 3 + i * 45) % 360;
    // The cone's near edge sits on the actor's front, its middle on the actor's centre line.
    const SDL_Rect cone = {body.x + 40, body.y + 20 - 30, 135, 60};
    const SDL_Point apex = {-20, 30};
    SDL_RenderCopyEx(renderer, p.cone, nullptr, &cone, angle, &apex, SDL_FLIP_NONE);
    const SDL_Rect frameCell = {40 * (frame / 12 % 4), 0, 40, 40};
    SDL_RenderCopyEx(renderer, p.actor, &frameCell, &body, angle, nullptr, SDL_FLIP_NONE);
  }
  const SDL_Rect strip = {0, kViewHeight - 80, kViewWidth, 80};
  SDL_RenderCopy(renderer, p.strip, nullptr, &strip);
  SDL_RenderPresent(renderer);
}

double Milliseconds(Uint64 ticks) {
  return double(ticks) * 1000.0 / double(SDL_GetPerformanceFrequency());
}

double ProcessCpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return 1e3 * double(t.tv_sec) + 1e-6 * double(t.tv_nsec);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::printf("usage: bench_sdl_reference WIDTH HEIGHT FRAMES ACTORS...\n");
    return 2;
  }
  const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  const int frames = std::atoi(argv[3]);
  if (width <= 0 || height <= 0 || frames <= 0) return 2;

  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::printf("%s\n", SDL_GetError());
    return 1;
  }
  // Borderless at the screen's corner: what the game's full screen is on a bare X server.
  SDL_Window* window = SDL_CreateWindow("reference", 0, 0, width, height, SDL_WINDOW_BORDERLESS);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  if (!renderer) {
    std::printf("%s\n", SDL_GetError());
    return 1;
  }
  SDL_RenderSetLogicalSize(renderer, kViewWidth, kViewHeight);
  Pictures p = {Load(renderer, "Assets/floor.png"), Load(renderer, "Assets/wall.png"),
                Load(renderer, "Assets/FIRERAT.png"), Load(renderer, "Assets/monsterLOS.png"),
                Load(renderer, "Assets/gui.png")};
  if (!p.floor || !p.wall || !p.actor || !p.cone || !p.strip) return 1;
  for (SDL_Texture* t : {p.actor, p.cone, p.strip}) SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);

  for (int i = 4; i < argc; ++i) {
    const int actors = std::atoi(argv[i]);
    Uint64 spent = 0;
    double cpu = 0;
    for (int frame = -kWarmUp; frame < frames; ++frame) {
      SDL_Event event;
      while (SDL_PollEvent(&event)) {
      }
      const Uint64 start = SDL_GetPerformanceCounter();
      const double cpuStart = ProcessCpuMs();
      DrawFrame(renderer, p, actors, frame + kWarmUp);
      if (frame < 0) continue;
      spent += SDL_GetPerformanceCounter() - start;
      cpu += ProcessCpuMs() - cpuStart;
    }
    std::printf("actors %d ms %.4f cpu %.4f\n", actors, Milliseconds(spent) / frames, cpu / frames);
  }
  SDL_Quit();
  return 0;
}
