#include "FrameOverlay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "KEGraphics.h"
#include "KEInput.h"
#include "KESystem.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kFace = "DejaVu Sans Mono";
const int kFontHeight = 14;
const int kLineHeight = 17;
const int kMargin = 8;
const int kPanelWidth = 320;  // drawable pixels: wide enough for the longest line

struct Overlay {
  bool shown = false;
  unsigned int font = 0;  // font and panel are made the first time the overlay shows
  KEGfxVertexList* panel = nullptr;
  Clock::time_point updateStart, drawStart;
  double update = 0, draw = 0;
  FrameTimeStats stats;
};
Overlay overlay;

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// A unit square from (0, -1) to (1, 0), hanging from its top-left corner.
KEGfxVertexList* MakePanel() {
  const uint32_t shade = 0xB0000000;
  KEGfxTriAdd(0, -1, shade, 0, 0, 1, -1, shade, 0, 0, 0, 0, shade, 0, 0);
  KEGfxTriAdd(1, -1, shade, 0, 0, 1, 0, shade, 0, 0, 0, 0, shade, 0, 0);
  return KEGfxMeshEnd();
}

// Text bitmaps keep their pixel size in full screen, so the panel under them is sized in
// drawable pixels too.
void DrawPanel(float left, float top, int lines) {
  const float width = kPanelWidth / KESysGetHorizontalScale();
  const float height = float(lines * kLineHeight + kMargin) / KESysGetVerticalScale();
  const KEMtx33 placement = {{{width, 0, left}, {0, height, top}, {0, 0, 1}}};
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxSetBlendColor(0, 0, 0, 0);
  KEGfxSetTransform(&placement);
  KEGfxMeshDraw(overlay.panel, KE_DRAW_TRIANGLES);
}

}  // namespace

void FrameTimeStats::Sum::Add(double seconds) {
  total += seconds;
  worst = std::max(worst, seconds);
}

FrameTimeStats::Spread FrameTimeStats::Sum::Over(int frames) const {
  return {total / frames, worst};
}

void FrameTimeStats::Add(double update, double draw, double work, double frame) {
  ++frames_;
  update_.Add(update);
  draw_.Add(draw);
  present_.Add(std::max(0.0, work - update - draw));
  frame_.Add(frame);
  if (frame_.total < 1.0) return;
  last_.framesPerSecond = frames_ / frame_.total;
  last_.frame = frame_.Over(frames_);
  last_.update = update_.Over(frames_);
  last_.draw = draw_.Over(frames_);
  last_.present = present_.Over(frames_);
  hasSummary_ = true;
  frames_ = 0;
  frame_ = update_ = draw_ = present_ = Sum();
}

std::vector<std::string> FrameOverlayLines(const FrameTimeStats& stats) {
  if (!stats.HasSummary()) return {"F3 frame times: measuring"};
  const FrameTimeStats::Summary& s = stats.Last();
  auto line = [](const char* name, const FrameTimeStats::Spread& spread) {
    char text[80];
    std::snprintf(text, sizeof text, "%-8s %6.2f ms mean %6.2f worst", name, 1000 * spread.mean,
                  1000 * spread.worst);
    return std::string(text);
  };
  char fps[32];
  std::snprintf(fps, sizeof fps, "%.1f fps", s.framesPerSecond);
  return {fps, line("frame", s.frame), line("update", s.update), line("draw", s.draw),
          line("gl+swap", s.present)};
}

void FrameOverlayToggleOnF3() {
  if (!KEInputCheckTriggered(VK_F3)) return;
  overlay.shown = !overlay.shown;
  // Each showing measures afresh rather than from a second long past.
  overlay.stats.Clear();
  if (overlay.shown && overlay.panel == nullptr) {
    overlay.font = KEGfxCreateFont(kFace, kFontHeight, true, false);
    overlay.panel = MakePanel();
  }
}

bool FrameOverlayIsShown() { return overlay.shown; }

void FrameOverlayBeginUpdate() {
  if (overlay.shown) overlay.updateStart = Clock::now();
}

void FrameOverlayBeginDraw() {
  if (!overlay.shown) return;
  overlay.drawStart = Clock::now();
  overlay.update = Seconds(overlay.updateStart, overlay.drawStart);
}

void FrameOverlayEndDraw() {
  if (!overlay.shown) return;
  overlay.draw = Seconds(overlay.drawStart, Clock::now());
  // Text takes the current program's tint; the colour program needs no texture.
  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1, 1, 1, 1);
  const std::vector<std::string> lines = FrameOverlayLines(overlay.stats);
  const float left = KEGfxGetWinMinX(), top = KEGfxGetWinMaxY();
  DrawPanel(left, top, int(lines.size()));
  // Placed in drawable pixels from the corner, like the panel.
  const float sx = KESysGetHorizontalScale(), sy = KESysGetVerticalScale();
  for (size_t i = 0; i < lines.size(); ++i) {
    const float down = float(kMargin + kFontHeight + int(i) * kLineHeight) / sy;
    KEGfxPrint(overlay.font, lines[i].c_str(), int(left + kMargin / sx), int(top - down), 1, 1,
               0.4f);
  }
}

void FrameOverlayEndFrame(double workSeconds, double frameSeconds) {
  if (overlay.shown) overlay.stats.Add(overlay.update, overlay.draw, workSeconds, frameSeconds);
}

void FrameOverlayReset() {
  KEGfxDestroyFont(overlay.font);
  if (overlay.panel) KEGfxMeshFree(overlay.panel);
  overlay = Overlay();
}
