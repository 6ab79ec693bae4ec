// Meshes: vertices are staged in one array, uploaded once into three GL buffers and
// drawn with whichever program the render mode selects.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "KEGfxLocal.h"
#include "KEGraphics.h"
#include "KEReport.h"

namespace {

struct StagedVertex {
  float x, y, z;
  uint32_t colour;  // 0xAARRGGBB
  float u, v;
};

struct MeshState {
  StagedVertex staged[KE_GFX_MAX_STAGED_VERTICES];
  int stagedCount;
  bool overflowReported;  // one line per overflowing mesh is enough
};

MeshState mesh = {};

void ReportOverflow() {
  if (mesh.overflowReported) return;
  mesh.overflowReported = true;
  KEReport("KEGfxMeshEnd: more than %d vertices staged; the extra ones are dropped",
           KE_GFX_MAX_STAGED_VERTICES);
}

void Stage(float x, float y, uint32_t colour, float u, float v) {
  mesh.staged[mesh.stagedCount++] = {x, y, 0.0f, colour, u, v};
}

// The shape writers fill the first entries without staging them.
void Overwrite(int index, float x, float y, float z, uint32_t colour) {
  StagedVertex& vertex = mesh.staged[index];
  vertex.x = x;
  vertex.y = y;
  vertex.z = z;
  vertex.colour = colour;
}

float Channel(uint32_t colour, int shift) {
  return static_cast<float>((colour >> shift) & 0xFFu) / 255.0f;
}

void UploadArray(GLuint buffer, const std::vector<float>& values) {
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(values.size() * sizeof(float)),
               values.empty() ? nullptr : values.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glFinish();
}

// Where the mesh's box lands in clip space, all four corners wholly beyond one edge: then no
// pixel can be drawn. The margin covers the shader rounding otherwise than this product.
bool OutOfSight(const KEGfxVertexList& list, const KEGfxInputs& in) {
  if (!(list.left <= list.right && list.bottom <= list.top)) return false;
  float pv[16], m[16];
  auto multiply = [](const float* a, const float* b, float* out) {  // column-major a * b
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 4; ++r)
        out[c * 4 + r] = a[r] * b[c * 4] + a[4 + r] * b[c * 4 + 1] + a[8 + r] * b[c * 4 + 2] +
                         a[12 + r] * b[c * 4 + 3];
  };
  multiply(in.projection, in.view, pv);
  multiply(pv, in.world, m);
  constexpr float kEdge = 1.001f;
  int beyond[4] = {0, 0, 0, 0};  // left, right, below, above
  for (float x : {list.left, list.right}) {
    for (float y : {list.bottom, list.top}) {
      const float w = m[3] * x + m[7] * y + m[15];
      const float cx = m[0] * x + m[4] * y + m[12], cy = m[1] * x + m[5] * y + m[13];
      if (!(w > 0)) return false;
      if (cx < -kEdge * w) ++beyond[0];
      if (cx > kEdge * w) ++beyond[1];
      if (cy < -kEdge * w) ++beyond[2];
      if (cy > kEdge * w) ++beyond[3];
    }
  }
  return beyond[0] == 4 || beyond[1] == 4 || beyond[2] == 4 || beyond[3] == 4;
}

void EnableArray(GLint location, GLuint buffer, GLint components) {
  if (location == -1) return;
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void DisableArray(GLint location) {
  if (location != -1) glDisableVertexAttribArray(location);
}

}  // namespace

void KEGfxMeshResetState() {
  mesh.stagedCount = 0;
  mesh.overflowReported = false;
}

void KEGfxReset() { KEGfxMeshResetState(); }

void KEGfxMeshStart() {}

void KEGfxTriAdd(float x0, float y0, uint32_t c0, float u0, float v0, float x1, float y1,
                 uint32_t c1, float u1, float v1, float x2, float y2, uint32_t c2, float u2,
                 float v2) {
  // Half a triangle would join vertices of different triangles, so drop it whole.
  if (mesh.stagedCount + 3 > KE_GFX_MAX_STAGED_VERTICES) {
    ReportOverflow();
    return;
  }
  Stage(x0, y0, c0, u0, v0);
  Stage(x1, y1, c1, u1, v1);
  Stage(x2, y2, c2, u2, v2);
}

void KEGfxVertexAdd(float x, float y, uint32_t colour, float u, float v) {
  if (mesh.stagedCount >= KE_GFX_MAX_STAGED_VERTICES) {
    ReportOverflow();
    return;
  }
  Stage(x, y, colour, u, v);
}

KEGfxVertexList* KEGfxMeshEnd() {
  KEGfxVertexList* list = new KEGfxVertexList();
  KEGfxTriListInitialize(list);
  glGenBuffers(3, list->buffers);
  list->vertexCount = static_cast<unsigned int>(mesh.stagedCount);

  std::vector<float> positions, colours, coordinates;
  positions.reserve(list->vertexCount * 3);
  colours.reserve(list->vertexCount * 4);
  coordinates.reserve(list->vertexCount * 2);
  for (int i = 0; i < mesh.stagedCount; ++i) {
    const StagedVertex& vertex = mesh.staged[i];
    list->left = std::min(list->left, vertex.x), list->right = std::max(list->right, vertex.x);
    list->bottom = std::min(list->bottom, vertex.y), list->top = std::max(list->top, vertex.y);
    positions.insert(positions.end(), {vertex.x, vertex.y, vertex.z});
    colours.insert(colours.end(), {Channel(vertex.colour, 16), Channel(vertex.colour, 8),
                                   Channel(vertex.colour, 0), Channel(vertex.colour, 24)});
    coordinates.insert(coordinates.end(), {vertex.u, vertex.v});
  }
  UploadArray(list->buffers[0], positions);
  UploadArray(list->buffers[1], colours);
  UploadArray(list->buffers[2], coordinates);
  KEGfxCheckGLError(1519, "KEGfxMeshEnd");

  KEGfxMeshResetState();
  return list;
}

void KEGfxMeshDraw(KEGfxVertexList* list, unsigned int drawMode) {
  static const GLenum kPrimitives[] = {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_TRIANGLES};
  if (drawMode > KE_DRAW_TRIANGLES) {
    KEReport("Mesh Draw Mode %u is invalid!", drawMode);
    return;
  }
  // Without a program GL would only raise errors, and there is nothing to draw with.
  if (list == nullptr || list->buffers == nullptr) return;
  // Off the view (a monster across the map, its cone): nothing to bind or send.
  const KEGfxInputs* settings = KEGfxCurrentInputs();
  if (settings != nullptr && OutOfSight(*list, *settings)) return;
  const KEGfxAttributes* in = KEGfxBeginDraw();
  if (in == nullptr) return;

  // The colour program reads colours, the texture program texture coordinates.
  const bool colours = KEGfxCurrentRenderMode() == KE_RENDER_COLOR;
  const GLint second = colours ? in->colour : in->textureCoordinate;
  EnableArray(in->position, list->buffers[0], 3);
  EnableArray(second, list->buffers[colours ? 1 : 2], colours ? 4 : 2);
  glDrawArrays(kPrimitives[drawMode], 0, static_cast<GLsizei>(list->vertexCount));
  DisableArray(second);
  DisableArray(in->position);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void KEGfxMeshFree(KEGfxVertexList* list) {
  if (list == nullptr) return;
  if (list->buffers != nullptr) glDeleteBuffers(3, list->buffers);
  delete[] list->buffers;
  delete list;
}

// An empty box: a list whose positions are not known is never skipped.
void KEGfxTriListInitialize(KEGfxVertexList* list) {
  if (list == nullptr) return;
  list->buffers = new unsigned int[3]();
  list->left = list->bottom = INFINITY;
  list->right = list->top = -INFINITY;
}

void KEGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0, float x1,
               float y1, float z1, float r1, float g1, float b1, float a1) {
  if (KEGfxCurrentRenderMode() != KE_RENDER_COLOR) return;
  const float positions[] = {x0, y0, z0, x1, y1, z1};
  const float colours[] = {r0, g0, b0, a0, r1, g1, b1, a1};
  const KEGfxAttributes* in = KEGfxBeginDraw();
  if (in == nullptr) return;
  KEGfxDrawClientArrays(GL_LINES, 2, in->position, 3, positions, in->colour, 4, colours);
}

void KEGfxDrawClientArrays(GLenum primitive, GLsizei count, GLint first, GLint firstSize,
                           const float* firstValues, GLint second, GLint secondSize,
                           const float* secondValues) {
  if (first == -1 || second == -1) return;
  // Nothing may be bound as the array buffer while client-side arrays are read.
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glEnableVertexAttribArray(first);
  glVertexAttribPointer(first, firstSize, GL_FLOAT, GL_FALSE, 0, firstValues);
  glEnableVertexAttribArray(second);
  glVertexAttribPointer(second, secondSize, GL_FLOAT, GL_FALSE, 0, secondValues);
  glDrawArrays(primitive, 0, count);
  glDisableVertexAttribArray(second);
  glDisableVertexAttribArray(first);
}

void KEGfxAxis(float scale) {
  KEGfxSphere(0.0f, 0.0f, 0.0f, 0.1f * scale, 0xFF808080u, 0xFFFFFFFFu, 8);
  float length = 0.8f * scale;
  KEGfxLine(0, 0, 0, 1, 0, 0, 1, length, 0, 0, 1, 0, 0, 1);
  KEGfxLine(0, 0, 0, 0, 1, 0, 1, 0, length, 0, 0, 1, 0, 1);
  KEGfxLine(0, 0, 0, 0, 0, 1, 1, 0, 0, length, 0, 0, 1, 1);
}

uint32_t KEGfxColInterp(uint32_t colour0, uint32_t colour1, float factor) {
  // Limiting to [0, 1] and truncating leaves only "1 or more"; a NaN counts as below.
  int k = factor >= 1.0f ? 1 : 0;
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int byte0 = static_cast<int>((colour0 >> shift) & 0xFFu);
    int byte1 = static_cast<int>((colour1 >> shift) & 0xFFu);
    int byte = byte0 + (byte1 - byte0) * k;
    byte = byte < 0 ? 0 : (byte > 255 ? 255 : byte);
    result |= static_cast<uint32_t>(byte) << shift;
  }
  return result;
}

void KEGfxPoint(float x, float y, float z, uint32_t colour) { Overwrite(0, x, y, z, colour); }

void KEGfxTri(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1, uint32_t c1,
              float x2, float y2, float z2, uint32_t c2) {
  Overwrite(0, x0, y0, z0, c0);
  Overwrite(1, x1, y1, z1, c1);
  Overwrite(2, x2, y2, z2, c2);
}

void KEGfxQuad(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1, uint32_t c1,
               float x2, float y2, float z2, uint32_t c2, float x3, float y3, float z3,
               uint32_t c3) {
  KEGfxTri(x0, y0, z0, c0, x1, y1, z1, c1, x2, y2, z2, c2);
  Overwrite(3, x3, y3, z3, c3);
}

// Eight corners: the near face in the first colour, the far face in the second.
void KEGfxBox(float x, float y, float z, float sizeX, float sizeY, float sizeZ, uint32_t colour0,
              uint32_t colour1) {
  for (int corner = 0; corner < 8; ++corner) {
    float cx = x + ((corner & 1) ? 0.5f : -0.5f) * sizeX;
    float cy = y + ((corner & 2) ? 0.5f : -0.5f) * sizeY;
    float cz = z + ((corner & 4) ? 0.5f : -0.5f) * sizeZ;
    Overwrite(corner, cx, cy, cz, (corner & 4) ? colour1 : colour0);
  }
}

// Rings of points from pole to pole: the lower half in the first colour, the upper in
// the second. At most 33 x 32 points, far below the staging capacity.
void KEGfxSphere(float x, float y, float z, float radius, uint32_t colour0, uint32_t colour1,
                 int segments) {
  segments = segments < 4 ? 4 : (segments > 32 ? 32 : segments);
  const float pi = 3.14159265f;
  int index = 0;
  for (int ring = 0; ring <= segments; ++ring) {
    float latitude = pi * (static_cast<float>(ring) / segments - 0.5f);
    for (int step = 0; step < segments; ++step) {
      float longitude = 2.0f * pi * static_cast<float>(step) / segments;
      Overwrite(index++, x + radius * std::cos(latitude) * std::cos(longitude),
                y + radius * std::sin(latitude),
                z + radius * std::cos(latitude) * std::sin(longitude),
                latitude > 0.0f ? colour1 : colour0);
    }
  }
}

void KEGfxCone() {}
