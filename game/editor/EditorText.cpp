#include "EditorText.h"

#include <cstring>

#include "EditorPictures.h"
#include "KEGraphics.h"

namespace {
// The glyphs are drawn at twice the size they are shown at, for sharp letters on big screens.
constexpr float kScale = 0.5f, kAdvance = 0.85f;
constexpr float kWidth = kEditorGlyphWidth * kScale, kHeight = kEditorGlyphHeight * kScale;
}  // namespace

float EditorText::Advance() { return kWidth * kAdvance; }

void EditorText::Load() { glyphs_ = GetTexture(kEditorGlyphsPicture); }

void EditorText::Forget() {
  if (mesh_) KEGfxMeshFree(mesh_);
  mesh_ = nullptr;
  shown_.clear();
}

void EditorText::Draw(const std::vector<EditorTextLine>& lines) {
  if (!(lines == shown_) || (!mesh_ && !lines.empty())) {
    Forget();
    shown_ = lines;
    const uint32_t white = 0xFFFFFFFF;
    int staged = 0;
    for (const EditorTextLine& line : lines) {
      float left = line.x;
      for (char c : line.text) {
        const char* cell = c && c != ' ' ? std::strchr(kEditorGlyphs, c) : nullptr;
        // A mesh holds so many vertices; what would not fit is not shown.
        if (cell && staged + 6 <= KE_GFX_MAX_STAGED_VERTICES) {
          if (staged == 0) KEGfxMeshStart();
          const float u0 = float(cell - kEditorGlyphs) / kEditorGlyphCount;
          const float u1 = float(cell - kEditorGlyphs + 1) / kEditorGlyphCount;
          const float right = left + kWidth, bottom = line.y - kHeight / 2,
                      top = line.y + kHeight / 2;
          KEGfxTriAdd(left, bottom, white, u0, 1, right, bottom, white, u1, 1, left, top, white, u0,
                      0);
          KEGfxTriAdd(right, bottom, white, u1, 1, right, top, white, u1, 0, left, top, white, u0,
                      0);
          staged += 6;
        }
        left += Advance();
      }
    }
    if (staged > 0) mesh_ = KEGfxMeshEnd();
  }
  if (!mesh_) return;
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetPosition(0, 0);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxTextureSet(glyphs_ ? glyphs_->get() : nullptr, 0, 0);
  KEGfxMeshDraw(mesh_, KE_DRAW_TRIANGLES);
}
