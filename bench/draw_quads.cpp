// Cost of drawing N textured quads the way sprites are drawn, per frame and per quad,
// against an empty frame, with frames paced to 60 per second and back to back.
// Run under a display, e.g.: xvfb-run -a -s "-screen 0 1600x1200x24" bench_draw_quads
// Pass --default-trim to see the cost of glibc's default malloc trim threshold.
#include <malloc.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <vector>

#include "KEFrameRateController.h"
#include "KEGraphics.h"
#include "KESystem.h"

namespace {

using Clock = std::chrono::steady_clock;

KEGfxVertexList* MakeQuad(float half) {
  const uint32_t white = 0xFFFFFFFF;
  KEGfxTriAdd(-half, -half, white, 0, 1, half, -half, white, 0.25f, 1, -half, half, white, 0, 0);
  KEGfxTriAdd(half, -half, white, 0.25f, 1, half, half, white, 0.25f, 0, -half, half, white, 0,
              0);
  return KEGfxMeshEnd();
}

KEGfxTexture* MakeStrip() {
  std::vector<unsigned char> rgba(160 * 40 * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = (unsigned char)(i * 7);
    rgba[i + 1] = (unsigned char)(i * 13);
    rgba[i + 2] = 200;
    rgba[i + 3] = (i / 4) % 3 ? 255 : 0;
  }
  return KEGfxTextureLoadFromMemory(rgba.data(), 160, 40);
}

// Mean milliseconds of work per frame (frame start to after the swap), and of whole frames;
// the mean distance of the measured frame time from 1/60 s, and processor time per frame.
struct Pacing {
  double deviationUs;
  double cpuMs;
};
Pacing gPacing;

void RunFrames(int quads, int frames, KEGfxVertexList* quad, KEGfxTexture* strip,
               double* workMs, double* frameMs) {
  double work = 0, deviation = 0;
  const std::clock_t cpuStart = std::clock();
  const auto begin = Clock::now();
  for (int f = 0; f < frames; ++f) {
    const auto start = Clock::now();
    KEFrameRateControllerStart();
    KEGfxStart();
    for (int i = 0; i < quads; ++i) {
      KEGfxSetRenderMode(KE_RENDER_TEXTURE);
      KEGfxSetPosition(float((i * 37) % 760 - 380), float((i * 53) % 560 - 280));
      KEGfxSetTintColor(1, 1, 1, 1);
      KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
      KEGfxSetTransparency(1);
      KEGfxTextureSet(strip, 0.25f * (i % 4), 0);
      KEGfxMeshDraw(quad, KE_DRAW_TRIANGLES);
    }
    KEGfxEnd();
    work += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    KEFrameRateControllerEnd();
    deviation += std::fabs(KEFrameRateControllerGetFrameTime() - 1.0 / 60);
    KESysUpdate();
  }
  gPacing = {deviation / frames * 1e6,
             1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC / frames};
  *workMs = work / frames;
  *frameMs = std::chrono::duration<double, std::milli>(Clock::now() - begin).count() / frames;
}

}  // namespace

int main(int argc, char** argv) {
  const bool defaultTrim = argc > 1 && std::strcmp(argv[1], "--default-trim") == 0;
  if (!KESysInit(nullptr, 1, 800, 600, 0, 60, nullptr)) return 1;
  if (defaultTrim) mallopt(M_TRIM_THRESHOLD, 128 * 1024);
  KEGfxSetBackgroundColor(0, 0, 0);
  KEGfxVertexList* quad = MakeQuad(20);
  KEGfxTexture* strip = MakeStrip();
  const int frames = 240;

  std::printf("malloc trim threshold: %s\n", defaultTrim ? "glibc default" : "raised at start");
  std::printf("%-13s %6s %14s %14s %14s\n", "pacing", "quads", "work ms/frame",
              "vs empty ms", "us per quad");
  for (unsigned rate : {60u, 0u}) {
    KEFrameRateControllerInit(rate);
    double emptyWork = 0, frameMs = 0;
    RunFrames(0, 30, quad, strip, &emptyWork, &frameMs);  // warm up
    RunFrames(0, frames, quad, strip, &emptyWork, &frameMs);
    std::printf("%-13s %6d %14.3f %14s %14s\n", rate ? "paced 60/s" : "back to back", 0,
                emptyWork, "-", "-");
    if (rate)
      std::printf("  empty paced frames: %.2f us mean off 1/60 s, %.3f ms of processor per frame\n",
                  gPacing.deviationUs, gPacing.cpuMs);
    for (int n : {200, 2000}) {
      double work = 0;
      RunFrames(n, frames, quad, strip, &work, &frameMs);
      std::printf("%-13s %6d %14.3f %14.3f %14.3f\n", rate ? "paced 60/s" : "back to back", n,
                  work, work - emptyWork, (work - emptyWork) * 1000.0 / n);
    }
  }
  KEGfxMeshFree(quad);
  KEGfxTextureUnload(strip);
  KESysExit();
  return 0;
}
