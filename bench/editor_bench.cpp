// The level editor's cost on the biggest level the game takes: a generated 128 x 128 map
// with 300 monsters on routes, shown whole. Times the validator on it, then the editor's
// frame at the screen's size in full screen: standing, and with a cell painted every frame
// (the map picture built again and the level checked again each time).
//
// Run under a display with the screen to measure, on the software rasteriser:
//   xvfb-run -a -s "-screen 0 1920x1080x24" bench_editor [--frames N] [--shots DIR [FILE]]
// --zoom shows PIXELS a cell (the game's tiles from 20) round the cursor. --shots writes the
// editor's picture into DIR, on FILE when given (a level file, its first monster with a route
// chosen) instead of the generated map: editor.png at 4:3 (the README's 1600 x 1200),
// editor-16x9.png at 16:9, else editor-WxH.png.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "DataDirectory.h"
#include "EditorLayout.h"
#include "EditorSession.h"
#include "GameStateLoop.h"
#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"
#include "LevelCheck.h"
#include "LevelEditor.h"
#include "bench_support.h"
#include "frame_shots.h"
#include "platform/KEPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// Walls round and 6 % inside, a lake, a strip of lava, an exit in the far corner; 300
// monsters of the kinds that walk on floor, each on a route of two or three waypoints a few
// cells from its start.
Level BigLevel() {
  Level level = EditorDocument::NewLevel("Bench", kLevelMaxSide, kLevelMaxSide);
  EditorDocument doc(level);
  std::mt19937 random(7);
  const int side = int(kLevelMaxSide);
  auto free = [&](int c, int r) { return doc.Cell(c, r) == kFloorCell; };
  for (int i = 0; i < side * side * 6 / 100; ++i)
    doc.PaintCell(1 + int(random() % (side - 2)), 1 + int(random() % (side - 2)), kWallCell);
  for (int r = 40; r < 60; ++r)
    for (int c = 40; c < 70; ++c) doc.PaintCell(c, r, kWaterCell);
  for (int c = 10; c < 100; ++c) doc.PaintCell(c, 90, kLavaCell);
  doc.PaintCell(side - 2, side - 2, kExitCell);
  doc.SetPlayerStart(2, 2);
  doc.PaintCell(2, 2, kFloorCell);
  const int kinds[] = {0, 2, 3, 4};
  while (doc.level().monsters.size() < kLevelMaxMonsters) {
    const int c = 1 + int(random() % (side - 2)), r = 1 + int(random() % (side - 2));
    if (!free(c, r) || doc.MonsterAt(c, r) >= 0) continue;
    const int monster = doc.AddMonster(kinds[doc.level().monsters.size() % 4], c, r);
    for (int k = 0; k < 2 + int(random() % 2); ++k) {
      const int wc = std::clamp(c + int(random() % 13) - 6, 1, side - 2);
      const int wr = std::clamp(r + int(random() % 13) - 6, 1, side - 2);
      if (free(wc, wr)) doc.AddWaypoint(monster, wc, wr);
    }
  }
  return doc.level();
}

void PutChunk(FILE* f, const char* type, const std::vector<unsigned char>& data) {
  const uint32_t length = uint32_t(data.size());
  const unsigned char lengthBytes[4] = {(unsigned char)(length >> 24),
                                        (unsigned char)(length >> 16), (unsigned char)(length >> 8),
                                        (unsigned char)length};
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(type), 4);
  if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));
  const unsigned char crcBytes[4] = {(unsigned char)(crc >> 24), (unsigned char)(crc >> 16),
                                     (unsigned char)(crc >> 8), (unsigned char)crc};
  std::fwrite(lengthBytes, 1, 4, f);
  std::fwrite(type, 1, 4, f);
  if (!data.empty()) std::fwrite(data.data(), 1, data.size(), f);
  std::fwrite(crcBytes, 1, 4, f);
}

// The binary PPM SaveDrawable writes, as a PNG for the README.
bool PngFromPpm(const std::string& ppm, const std::string& png) {
  FILE* in = std::fopen(ppm.c_str(), "rb");
  if (!in) return false;
  int width = 0, height = 0, most = 0;
  const bool read = std::fscanf(in, "P6 %d %d %d", &width, &height, &most) == 3 &&
                    std::fgetc(in) != EOF && width > 0 && height > 0;
  std::vector<unsigned char> rows;
  if (read) {
    std::vector<unsigned char> rgb(std::size_t(width) * 3);
    for (int y = 0; y < height && std::fread(rgb.data(), 1, rgb.size(), in) == rgb.size(); ++y) {
      rows.push_back(0);
      rows.insert(rows.end(), rgb.begin(), rgb.end());
    }
  }
  std::fclose(in);
  if (rows.size() != std::size_t(height) * (std::size_t(width) * 3 + 1)) return false;
  std::vector<unsigned char> packed(compressBound(uLong(rows.size())));
  uLongf packedSize = uLongf(packed.size());
  if (compress2(packed.data(), &packedSize, rows.data(), uLong(rows.size()), 9) != Z_OK)
    return false;
  packed.resize(packedSize);
  FILE* out = std::fopen(png.c_str(), "wb");
  if (!out) return false;
  const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::fwrite(signature, 1, 8, out);
  const std::vector<unsigned char> header = {(unsigned char)(width >> 24),
                                             (unsigned char)(width >> 16),
                                             (unsigned char)(width >> 8),
                                             (unsigned char)width,
                                             (unsigned char)(height >> 24),
                                             (unsigned char)(height >> 16),
                                             (unsigned char)(height >> 8),
                                             (unsigned char)height,
                                             8,
                                             2,
                                             0,
                                             0,
                                             0};
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return std::fclose(out) == 0;
}

struct Timing {
  double update = 0, total = 0, cpu = 0;
  void Print(const char* scene, int frames) const {
    std::printf("%-9s update %6.2f  frame %6.2f ms (%3.0f a second)  cpu %6.2f ms\n", scene,
                update / frames, total / frames, 1000 * frames / total, cpu / frames);
  }
};

// One frame as the state loop runs it, unpaced.
void Frame(GameState* state, Timing* timing, const std::string& shot = "") {
  gKESysAppActive = 1;
  const double cpu0 = ProcessCpuMs();
  const auto t0 = Clock::now();
  KEGfxStart();
  KEInputUpdate();
  state->Update();
  const auto t1 = Clock::now();
  state->Draw();
  if (!shot.empty() && !SaveDrawable(shot)) std::printf("could not write %s\n", shot.c_str());
  KEGfxEnd();
  const auto t2 = Clock::now();
  timing->update += Ms(t0, t1);
  timing->total += Ms(t0, t2);
  timing->cpu += ProcessCpuMs() - cpu0;
  KESysUpdate();
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 300;
  float zoom = 0;
  std::string shots, file;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--frames" && i + 1 < argc) {
      frames = std::max(1, std::atoi(argv[++i]));
    } else if (word == "--zoom" && i + 1 < argc) {
      zoom = float(std::atof(argv[++i]));
    } else if (word == "--shots" && i + 1 < argc) {
      shots = argv[++i];
      if (i + 1 < argc) file = argv[++i];
    } else {
      std::printf("usage: bench_editor [--frames N] [--zoom PIXELS] [--shots DIR [FILE]]\n");
      return 2;
    }
  }
  const Level level = BigLevel();
  const int checks = 50;
  std::size_t problems = 0;
  const auto c0 = Clock::now();
  for (int i = 0; i < checks; ++i) problems = CheckLevel(level).size();
  const double checkMs = Ms(c0, Clock::now()) / checks;
  std::printf("map 128 x 128, %zu monsters, %zu problems\n", level.monsters.size(), problems);
  std::printf("CheckLevel %.2f ms (mean of %d)\n", checkMs, checks);

  if (!EnterDataDirectory()) return 1;
  const std::string path = file.empty() ? "/tmp/vantrel_editor_bench.txt" : file;
  std::string problem;
  if (file.empty() && !SaveLevelFile(path, level, &problem)) {
    std::printf("%s\n", problem.c_str());
    return 1;
  }
  if (!KESysInit(nullptr, 1, 800, 600, 0, 0, nullptr)) return 1;
  KEGfxSetBackgroundColor(0, 0, 0);
  if (!SetFullScreen(true)) return 1;
  int width = 0, height = 0;
  KEPlatformGetDrawableSize(&width, &height);

  GameStateLoopBegin(CreateLevelEditor(path));
  GameState* editor = GameStateManager.current;
  EditorSession& session = *CurrentEditorSession();
  const std::vector<LevelMonster>& cast = session.document.level().monsters;
  for (std::size_t i = 0; i < cast.size() && !file.empty(); ++i) {
    if (cast[i].route.empty()) continue;
    session.monster = int(i);
    session.tool = 12;  // the waypoint
    session.column = cast[i].route.front().column;
    session.row = cast[i].route.front().row;
    break;
  }
  if (zoom > 0) {
    // The whole map in the middle when it fits, else the cursor, as the zoom keys leave it.
    const bool fits = float(session.document.Height()) * zoom < kMapTop - kMapBottom &&
                      float(session.document.Width()) * zoom < kMapRight - kMapLeft;
    session.zoom = zoom;
    session.cameraX = fits ? float(session.document.Width()) / 2 : float(session.column) + 0.5f;
    session.cameraY = fits ? float(session.document.Height()) / 2 : float(session.row) + 0.5f;
  }
  Timing warmUp, standing, painting;
  for (int i = 0; i < 60; ++i) Frame(editor, &warmUp);
  if (!shots.empty()) {
    const std::string name = width * 3 == height * 4 ? "editor"
                             : width * 9 == height * 16
                                 ? "editor-16x9"
                                 : "editor-" + std::to_string(width) + "x" + std::to_string(height);
    const std::string ppm = shots + "/" + name + ".ppm", png = shots + "/" + name + ".png";
    Frame(editor, &warmUp, ppm);
    if (PngFromPpm(ppm, png)) std::printf("wrote %s\n", png.c_str());
    std::remove(ppm.c_str());
  }
  std::printf("the editor at %dx%d, mean of %d frames, unpaced:\n", width, height, frames);
  for (int i = 0; i < frames; ++i) Frame(editor, &standing);
  standing.Print("standing", frames);
  if (file.empty()) {
    // One long drag.
    session.document.BeginStroke();
    for (int i = 0; i < frames; ++i) {
      // One cell further along each frame: a wall on floor, floor on a wall.
      const int column = 1 + i % 126, row = 1 + (i / 126) % 126;
      const unsigned code =
          session.document.Cell(column, row) == kWallCell ? kFloorCell : kWallCell;
      session.document.PaintCell(column, row, code);
      Frame(editor, &painting);
    }
    session.document.EndStroke();
    painting.Print("painting", frames);
  }
  GameStateManager.next = nullptr;
  GameStateLoopStep();
  KESysExit();
  return 0;
}
