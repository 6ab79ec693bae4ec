// Sprite resources: shared textures and quads, the texture cache, animated strips.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct KEGfxTexture;
struct KEGfxVertexList;

// Owns one engine texture.
class Texture {
 public:
  explicit Texture(KEGfxTexture* texture) : texture_(texture) {}
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  KEGfxTexture* get() const { return texture_; }

 private:
  KEGfxTexture* texture_;
};

// Owns one engine mesh; every game mesh is a list of triangles (draw mode 3).
template <int DrawMode>
class Mesh {
 public:
  explicit Mesh(KEGfxVertexList* mesh) : mesh_(mesh) {}
  ~Mesh();
  Mesh(const Mesh&) = delete;
  Mesh& operator=(const Mesh&) = delete;
  KEGfxVertexList* get() const { return mesh_; }

 private:
  KEGfxVertexList* mesh_;
};

struct SpriteVertex {
  float x, y;
  uint32_t colour;  // 0xAARRGGBB
  float u, v;
};
struct SpriteTriangle {
  SpriteVertex vertex[3];
};

struct SpriteFrame {
  float duration;  // seconds
  float uOffset;
  float vOffset;
};

struct SpriteAnimation {
  int frameCount = 0;
  std::shared_ptr<Texture> texture;
  std::vector<SpriteFrame> frames;
  bool animated = false;  // single frames never advance
};

// A quad plus animations cut from strip images, one frame drawn at a time.
struct Sprite {
  std::vector<SpriteAnimation> animations;
  int currentAnimation = 0;
  int currentFrame = 0;
  float frameTimer = 0;
  float columnWidth = 0;  // texture width of one frame: 1 / columns
  float rowHeight = 0;
  std::shared_ptr<Mesh<3>> mesh;

  void Init(int columns, float halfWidth, float halfHeight);
  void AddImage(const std::string& file);
  void AddStrip(const std::string& file, unsigned frameCount, float frameDuration);
  void SetImage(const std::string& file);  // a unit quad showing the whole picture
  void SetAnimation(int index);
  void Advance(float dt);
  void DrawFrame() const;
};

// Each picture is read once and shared for the rest of the run.
std::shared_ptr<Texture> GetTexture(const std::string& file);
std::shared_ptr<Mesh<3>> MakeMesh(const SpriteTriangle& first, const SpriteTriangle& second);
// An upright quad showing a whole picture, v = 0 along its top edge.
std::shared_ptr<Mesh<3>> MakeQuad(float left, float right, float bottom, float top);
// A whole picture at a world position with a white tint; blending and transparency stay as
// they are. Nothing is drawn without a quad.
void DrawPicture(const std::shared_ptr<Mesh<3>>& quad, const std::shared_ptr<Texture>& picture,
                 float x, float y);
// The same turned by `angle` radians about its centre, with translucent blending.
void DrawTurnedPicture(const std::shared_ptr<Mesh<3>>& quad,
                       const std::shared_ptr<Texture>& picture, float x, float y, float angle);
// Texture program, position, white tint, alpha blending and the given transparency.
void BeginSpriteDraw(float transparency, float x, float y);
