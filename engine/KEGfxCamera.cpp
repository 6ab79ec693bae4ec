// Camera, projection and the per-draw world transform. World units are pixels of the
// 800 x 600 view, y up; the camera position is the world point at the view's centre.
#include <cstring>

#include "KEGfxLocal.h"
#include "KEGraphics.h"
#include "KEMatrix.h"
#include "KESystem.h"

float gKEWinMinX = 0.0f;
float gKEWinMaxX = 0.0f;
float gKEWinMinY = 0.0f;
float gKEWinMaxY = 0.0f;

namespace {

struct CameraState {
  float x, y;
};

CameraState camera = {};

void UpdateExtents() {
  float halfWidth = static_cast<float>(KEGetWindowWidth()) * 0.5f;
  float halfHeight = static_cast<float>(KEGetWindowHeight()) * 0.5f;
  gKEWinMinX = camera.x - halfWidth;
  gKEWinMaxX = camera.x + halfWidth;
  gKEWinMinY = camera.y - halfHeight;
  gKEWinMaxY = camera.y + halfHeight;
}

float FloatFromBits(uint32_t bits) {
  float value;
  memcpy(&value, &bits, sizeof(value));
  return value;
}

// GL wants columns first; our matrices are kept by rows.
void StoreRowMajor(float (&columnMajor)[16], const Matrix4& rowMajor) {
  memcpy(columnMajor, Matrix4Transpose(rowMajor).m, sizeof columnMajor);
}

// Only the current render mode takes it; the game sets the transform before each draw.
void SendWorld(const float columnMajor[16]) {
  if (KEGfxInputs* in = KEGfxCurrentInputs()) memcpy(in->world, columnMajor, sizeof in->world);
}

}  // namespace

void KEGfxCameraResetState() {
  camera = {};
  UpdateExtents();
}

void KEGfxSetCamPosition(float x, float y) {
  camera.x = x;
  camera.y = y;
  UpdateExtents();
}

void KEGfxGetCamPosition(float* x, float* y) {
  if (x != nullptr) *x = camera.x;
  if (y != nullptr) *y = camera.y;
}

float KEGfxGetWinMinX() { return gKEWinMinX; }
float KEGfxGetWinMaxX() { return gKEWinMaxX; }
float KEGfxGetWinMinY() { return gKEWinMinY; }
float KEGfxGetWinMaxY() { return gKEWinMaxY; }

void KEGfxSetPosition(float x, float y) {
  const float world[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
  SendWorld(world);
}

void KEGfxSetTransform(const KEMtx33* transform) {
  if (transform == nullptr) return;
  const float(*m)[3] = transform->m;
  const float world[16] = {m[0][0], m[1][0], 0, 0, m[0][1], m[1][1], 0, 0,
                           0,       0,       1, 0, m[0][2], m[1][2], 0, 1};
  SendWorld(world);
}

void KEGfxSetTransform3D(const float* rowMajor16) {
  if (rowMajor16 == nullptr) return;
  Matrix4 rows;
  memcpy(rows.m, rowMajor16, sizeof(rows.m));
  SendWorld(Matrix4Transpose(rows).m);
}

void KEGfxGetViewport(int* x, int* y, int* width, int* height) {
  const KEViewRect rect = KESysGetViewRect();
  *x = rect.x;
  *y = rect.bottom;
  *width = rect.width;
  *height = rect.height;
}

void KEGfxSendViewMatrix(float stretchX, float stretchY) {
  // The scale only widens the viewport, so the view is enlarged, never shown wider.
  Point4 eye(camera.x, camera.y, 60.0f, 1.0f);
  Point4 target(camera.x, camera.y, 0.0f, 1.0f);
  Matrix4 stretch;
  stretch.Identity();
  stretch.m[0] = stretchX;
  stretch.m[5] = stretchY;
  KEGfxInputs* in = KEGfxCurrentInputs();
  if (in) StoreRowMajor(in->view, stretch * Matrix4LookAt(eye, target, Vector4(0, 1, 0, 0)));
}

void SetProjectionAndViewMatrices() {
  int px, py, pw, ph;
  KEGfxGetViewport(&px, &py, &pw, &ph);

  // Orthographic, centred on the origin, near plane 1 and far plane 1000; the depth terms
  // are exact bit patterns so every compiler rounds -2/999 and -1001/999 alike.
  Matrix4 projection;
  projection.Identity();
  projection.m[0] = 2.0f / static_cast<float>(pw);
  projection.m[5] = 2.0f / static_cast<float>(ph);
  projection.m[10] = FloatFromBits(0xBB033405u);
  projection.m[11] = FloatFromBits(0xBF80419Au);
  if (KEGfxInputs* in = KEGfxCurrentInputs()) StoreRowMajor(in->projection, projection);

  glViewport(px, py, pw, ph);
  KEGfxCheckGLError(2601, "SetProjectionAndViewMatrices");

  const float scale = KESysGetHorizontalScale();
  KEGfxSendViewMatrix(scale, scale);
  KEGfxCheckGLError(2650, "SetProjectionAndViewMatrices");
}
