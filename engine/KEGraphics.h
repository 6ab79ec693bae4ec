// Graphics module: GL context and the shader programs, meshes, textures, camera,
// bitmap-font text.
#pragma once

#include <cstdint>

// Render modes: which program is bound
#define KE_RENDER_NONE 0
#define KE_RENDER_COLOR 1
#define KE_RENDER_TEXTURE 2

#define KE_BLEND_NONE 0
#define KE_BLEND_TRANSLUCENT 1
#define KE_BLEND_ADD 2

#define KE_DRAW_POINTS 0
#define KE_DRAW_LINES 1
#define KE_DRAW_LINE_STRIP 2
#define KE_DRAW_TRIANGLES 3

#define KE_TEXTURE_NEAREST 0
#define KE_TEXTURE_LINEAR 1

// Vertices a mesh may stage before KEGfxMeshEnd.
#define KE_GFX_MAX_STAGED_VERTICES 24576

// A mesh: three GL buffers (positions, colours, texture coordinates).
struct KEGfxVertexList {
  unsigned int* buffers;
  unsigned int vertexCount;
};

struct KEGfxTexture {
  unsigned int* glName;
  char fileName[256];  // empty for textures made from memory
  bool opaque;         // every texel fully opaque, as found when loaded
};

// 2D affine transform, row-major; only the first two rows are read.
struct KEMtx33 {
  float m[3][3];
};

extern float gKEWinMinX, gKEWinMaxX, gKEWinMinY, gKEWinMaxY;

// Context and frame
int KEGfxInit(int width, int height);  // 1 success, 0 soft failure (no GL context)
void KEGfxReset();  // forget any staged vertices
void KEGfxExit();
namespace Shader {
void Destroy();  // deletes the programs and their shaders; safe to call twice
}
void KEGfxStart();  // clear and viewport
void KEGfxEnd();    // unbind, finish, swap
int KEGetWindowWidth();
int KEGetWindowHeight();

// Render state (uniforms reach the program that is current at the call)
void KEGfxSetBackgroundColor(float r, float g, float b);
void KEGfxSetRenderMode(int mode);
void KEGfxSetBlendMode(int mode);
void KEGfxSetTransparency(float opacity);
void KEGfxSetBlendColor(float r, float g, float b, float weight);
void KEGfxSetTintColor(float r, float g, float b, float a);

// Meshes
void KEGfxMeshStart();
void KEGfxTriAdd(float x0, float y0, uint32_t c0, float u0, float v0,
                 float x1, float y1, uint32_t c1, float u1, float v1,
                 float x2, float y2, uint32_t c2, float u2, float v2);
void KEGfxVertexAdd(float x, float y, uint32_t colour, float u, float v);
KEGfxVertexList* KEGfxMeshEnd();
void KEGfxMeshDraw(KEGfxVertexList* mesh, unsigned int drawMode);
void KEGfxMeshFree(KEGfxVertexList* mesh);
void KEGfxTriListInitialize(KEGfxVertexList* mesh);
void KEGfxLine(float x0, float y0, float z0, float r0, float g0, float b0, float a0,
               float x1, float y1, float z1, float r1, float g1, float b1, float a1);
void KEGfxAxis(float scale);
uint32_t KEGfxColInterp(uint32_t colour0, uint32_t colour1, float factor);
// Write a shape into the first staged vertices without staging or drawing it.
void KEGfxPoint(float x, float y, float z, uint32_t colour);
void KEGfxTri(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1,
              uint32_t c1, float x2, float y2, float z2, uint32_t c2);
void KEGfxQuad(float x0, float y0, float z0, uint32_t c0, float x1, float y1, float z1,
               uint32_t c1, float x2, float y2, float z2, uint32_t c2, float x3, float y3,
               float z3, uint32_t c3);
void KEGfxBox(float x, float y, float z, float sizeX, float sizeY, float sizeZ,
              uint32_t colour0, uint32_t colour1);
void KEGfxSphere(float x, float y, float z, float radius, uint32_t colour0, uint32_t colour1,
                 int segments);
void KEGfxCone();  // does nothing

// Textures
KEGfxTexture* KEGfxTextureLoad(const char* fileName);  // null for names of 256+ characters
KEGfxTexture* KEGfxTextureLoadFromMemory(const unsigned char* rgba, int width, int height);
void KEGfxTextureSet(KEGfxTexture* texture, float offsetU, float offsetV);
void KEGfxTextureUnload(KEGfxTexture* texture);
void KEGfxTextureInitialize(KEGfxTexture* texture);
void KEGfxSetTextureMode(int mode);
void KEGfxSaveTextureToFile(KEGfxTexture* texture, const char* fileName);

// Tile layers: a grid of square pictures that never move, drawn together.
struct KEGfxTileLayer;
// `columns` x `rows` empty cells of `cellSize`, the grid's bottom-left corner at (left, bottom);
// null for an empty grid or one over 4096 cells on a side.
KEGfxTileLayer* KEGfxTileLayerCreate(int columns, int rows, float cellSize, float left,
                                     float bottom);
// Row 0 is the bottom row; null empties the cell. The texture must outlive the layer.
void KEGfxTileLayerSet(KEGfxTileLayer* layer, int column, int row, KEGfxTexture* texture);
// Draws in texture mode, with the settings and blending left by the draw before, every cell
// that reaches into the view, except those entirely under an opaque band drawn later over
// the view below `hiddenBelow` (-INFINITY for none). Leaves the world transform at identity.
void KEGfxTileLayerDraw(KEGfxTileLayer* layer, float hiddenBelow);
void KEGfxTileLayerFree(KEGfxTileLayer* layer);

// Camera and world transform
void KEGfxSetCamPosition(float x, float y);
void KEGfxGetCamPosition(float* x, float* y);
float KEGfxGetWinMinX();
float KEGfxGetWinMaxX();
float KEGfxGetWinMinY();
float KEGfxGetWinMaxY();
void KEGfxSetPosition(float x, float y);
void KEGfxSetTransform(const KEMtx33* transform);
void KEGfxSetTransform3D(const float* rowMajor16);
void SetProjectionAndViewMatrices();  // run when a program is bound

// Bitmap-font text
// Font handle: the first of 96 display lists, one per character 32 to 127; 0 on failure.
// The face is found by name, DejaVu Sans when none has it; the height is in pixels.
unsigned int KEGfxCreateFont(const char* faceName, int height, bool bold, bool italic);
void KEGfxDestroyFont(unsigned int font);
// One line at world (x, y), the baseline's left end, in the given colour. Needs render mode
// 1 or 2; prints at most 255 characters and skips those outside 32 to 127.
void KEGfxPrint(unsigned int font, const char* text, int x, int y, float r, float g, float b);
