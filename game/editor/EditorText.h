// The editor's lines of words, set in the glyphs the art generator draws, all in one mesh
// built again only when a line changes: hundreds of glyphs drawn one by one would cost the
// software rasteriser more than the whole map.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Sprite.h"

struct EditorTextLine {
  std::string text;
  float x, y;  // the left end, the middle of the line's height, in the view
  bool operator==(const EditorTextLine& o) const { return text == o.text && x == o.x && y == o.y; }
};

class EditorText {
 public:
  ~EditorText() { Forget(); }
  void Load();
  void Forget();
  // The characters the glyphs lack are left out.
  void Draw(const std::vector<EditorTextLine>& lines);
  // How far one character moves the next along.
  static float Advance();

 private:
  std::shared_ptr<Texture> glyphs_;
  std::vector<EditorTextLine> shown_;
  KEGfxVertexList* mesh_ = nullptr;
};
