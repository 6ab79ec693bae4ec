#include "Sprite.h"

#include <cmath>
#include <map>
#include <tuple>

#include "KEGraphics.h"

Texture::~Texture() { KEGfxTextureUnload(texture_); }

template <>
Mesh<3>::~Mesh() {
  if (mesh_) KEGfxMeshFree(mesh_);
}

namespace {

const uint32_t kOpaqueWhite = 0xFFFFFFFF;

std::map<std::string, std::shared_ptr<Texture>>& TextureCache() {
  static auto* cache = new std::map<std::string, std::shared_ptr<Texture>>();
  return *cache;
}

// By column width and half extents; a quad goes when its last sprite lets it go.
std::map<std::tuple<float, float, float>, std::weak_ptr<Mesh<3>>>& SharedQuads() {
  static auto* quads = new std::map<std::tuple<float, float, float>, std::weak_ptr<Mesh<3>>>();
  return *quads;
}

}  // namespace

// The status strip asks for its pictures every frame, so a cached name never touches
// the disk again; the texture returned is the one the first call loaded.
std::shared_ptr<Texture> GetTexture(const std::string& file) {
  auto& cache = TextureCache();
  auto found = cache.find(file);
  if (found != cache.end()) return found->second;
  auto texture = std::make_shared<Texture>(KEGfxTextureLoad(file.c_str()));
  cache.emplace(file, texture);
  return texture;
}

std::shared_ptr<Mesh<3>> MakeMesh(const SpriteTriangle& first, const SpriteTriangle& second) {
  for (const SpriteTriangle* t : {&first, &second}) {
    const SpriteVertex* v = t->vertex;
    KEGfxTriAdd(v[0].x, v[0].y, v[0].colour, v[0].u, v[0].v, v[1].x, v[1].y, v[1].colour, v[1].u,
                v[1].v, v[2].x, v[2].y, v[2].colour, v[2].u, v[2].v);
  }
  return std::make_shared<Mesh<3>>(KEGfxMeshEnd());
}

std::shared_ptr<Mesh<3>> MakeQuad(float left, float right, float bottom, float top) {
  const uint32_t w = kOpaqueWhite;
  return MakeMesh({{{left, bottom, w, 0, 1}, {right, bottom, w, 1, 1}, {left, top, w, 0, 0}}},
                  {{{right, bottom, w, 1, 1}, {right, top, w, 1, 0}, {left, top, w, 0, 0}}});
}

void DrawPicture(const std::shared_ptr<Mesh<3>>& quad, const std::shared_ptr<Texture>& picture,
                 float x, float y) {
  if (!quad) return;
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetPosition(x, y);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxTextureSet(picture ? picture->get() : nullptr, 0, 0);
  KEGfxMeshDraw(quad->get(), KE_DRAW_TRIANGLES);
}

void DrawTurnedPicture(const std::shared_ptr<Mesh<3>>& quad,
                       const std::shared_ptr<Texture>& picture, float x, float y, float angle) {
  if (!quad) return;
  const float c = std::cos(angle), s = std::sin(angle);
  const KEMtx33 turned = {{{c, -s, x}, {s, c, y}, {0, 0, 1}}};
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(1);
  KEGfxSetTransform(&turned);
  KEGfxTextureSet(picture ? picture->get() : nullptr, 0, 0);
  KEGfxMeshDraw(quad->get(), KE_DRAW_TRIANGLES);
}

// Sprites of one shape share their quad: a large map's tiles would otherwise each hold one.
void Sprite::Init(int columns, float halfWidth, float halfHeight) {
  rowHeight = 1.0f;
  columnWidth = 1.0f / float(columns > 0 ? columns : 1);
  // NaN would break the ordering of the map's keys.
  const bool shareable = std::isfinite(halfWidth) && std::isfinite(halfHeight);
  std::weak_ptr<Mesh<3>> own;
  std::weak_ptr<Mesh<3>>& shared =
      shareable ? SharedQuads()[{columnWidth, halfWidth, halfHeight}] : own;
  mesh = shared.lock();
  if (mesh) return;
  const float hw = halfWidth, hh = halfHeight, cw = columnWidth;
  const SpriteTriangle first = {{{-hw, -hh, kOpaqueWhite, 0, 1},
                                 {hw, -hh, kOpaqueWhite, cw, 1},
                                 {-hw, hh, kOpaqueWhite, 0, 0}}};
  const SpriteTriangle second = {{{hw, -hh, kOpaqueWhite, cw, 1},
                                  {hw, hh, kOpaqueWhite, cw, 0},
                                  {-hw, hh, kOpaqueWhite, 0, 0}}};
  mesh = MakeMesh(first, second);
  shared = mesh;
}

void Sprite::AddImage(const std::string& file) {
  SpriteAnimation animation;
  animation.frameCount = 1;
  animation.texture = GetTexture(file);
  animation.frames.push_back(SpriteFrame{0, 0, 0});
  animation.animated = false;
  animations.push_back(std::move(animation));
}

void Sprite::AddStrip(const std::string& file, unsigned frameCount, float frameDuration) {
  if (frameCount == 0) frameCount = 1;
  SpriteAnimation animation;
  animation.frames.reserve(frameCount);
  animation.texture = GetTexture(file);
  float v = rowHeight == 1.0f ? 0.0f : 1.0f - rowHeight;
  float u = 0;
  for (unsigned i = 0; i < frameCount; ++i) {
    animation.frames.push_back(SpriteFrame{frameDuration, u, v});
    ++animation.frameCount;
    animation.animated = animation.frameCount >= 2;
    u += columnWidth;
    if (u > 1.0f) {
      u = 0;
      v -= rowHeight;
    }
  }
  animations.push_back(std::move(animation));
}

void Sprite::SetImage(const std::string& file) {
  Init(1, 0.5f, 0.5f);
  AddImage(file);
}

void Sprite::SetAnimation(int index) {
  const int count = int(animations.size());
  currentAnimation = index < count ? index : count - 1;
  if (currentAnimation < 0) currentAnimation = 0;
  currentFrame = 0;
  frameTimer = 0;
}

void Sprite::Advance(float dt) {
  if (currentAnimation >= int(animations.size())) return;
  const SpriteAnimation& animation = animations[currentAnimation];
  if (!animation.animated) return;
  frameTimer += dt;
  if (frameTimer >= animation.frames[currentFrame].duration) {
    frameTimer = 0;
    if (++currentFrame > animation.frameCount - 1) currentFrame = 0;
  }
}

// A sprite that was never given a picture or a quad draws nothing instead of failing.
void Sprite::DrawFrame() const {
  if (!mesh || currentAnimation >= int(animations.size())) return;
  const SpriteAnimation& animation = animations[currentAnimation];
  const SpriteFrame& frame = animation.frames[currentFrame];
  KEGfxTextureSet(animation.texture ? animation.texture->get() : nullptr, frame.uOffset,
                  frame.vOffset);
  KEGfxMeshDraw(mesh->get(), KE_DRAW_TRIANGLES);
}

void BeginSpriteDraw(float transparency, float x, float y) {
  KEGfxSetRenderMode(KE_RENDER_TEXTURE);
  KEGfxSetPosition(x, y);
  KEGfxSetTintColor(1, 1, 1, 1);
  KEGfxSetBlendMode(KE_BLEND_TRANSLUCENT);
  KEGfxSetTransparency(transparency);
}
