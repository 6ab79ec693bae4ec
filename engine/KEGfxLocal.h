// Private seams between the graphics module's files (context, meshes, textures, camera,
// fonts).
// Only these files include GLEW; nothing outside the graphics module includes this header.
#pragma once

#include <GL/glew.h>

// Context (KEGraphics.cpp)
int KEGfxCurrentRenderMode();

// What a draw takes from the game's settings; matrices are column-major, as GL reads them.
struct KEGfxInputs {
  float projection[16];
  float view[16];
  float world[16];
  float tint[4];
  float transparency[1];
  float blend[4];
  float offset[2];
};
// The settings of the current render mode, which setters write; null in mode none, where
// settings go nowhere.
KEGfxInputs* KEGfxCurrentInputs();

// Attribute locations of a program, -1 for those it lacks.
struct KEGfxAttributes {
  GLint position, colour, textureCoordinate;
};
// The texture the next draw samples: an opaque one is drawn without blending when nothing
// else makes it see-through.
void KEGfxNoteBoundTexture(GLuint name, bool opaque);
void KEGfxForgetTexture(GLuint name);  // deleted: if bound, GL falls back to texture 0

// Binds the program that draws in the current render mode and sends it the settings that
// changed since it last drew; null in mode none.
const KEGfxAttributes* KEGfxBeginDraw();
// Prints a report for every pending GL error and ends the process when there was one.
void KEGfxCheckGLError(int line, const char* function);
// Prints the fatal report with its message line and ends the process.
[[noreturn]] void KEGfxHalt(int line, const char* function, const char* message);

// Meshes (KEGfxMesh.cpp)
void KEGfxMeshResetState();
// Draws `count` vertices from two client-side arrays of `firstSize` and `secondSize` floats a
// vertex, fed to the attributes at `first` and `second`; nothing when either is -1.
void KEGfxDrawClientArrays(GLenum primitive, GLsizei count, GLint first, GLint firstSize,
                           const float* firstValues, GLint second, GLint secondSize,
                           const float* secondValues);

// Camera (KEGfxCamera.cpp)
void KEGfxCameraResetState();
// The view's rectangle in the drawable, GL style (x, y of the bottom-left corner): the
// normal viewport, centred, with the bars outside it.
void KEGfxGetViewport(int* x, int* y, int* width, int* height);
// Sends the camera's view, scaled to drawable pixels, as uVMatrix of the current program.
void KEGfxSendViewMatrix(float stretchX, float stretchY);
