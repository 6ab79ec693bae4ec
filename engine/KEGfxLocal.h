// Private seams between the graphics module's files (context, meshes, textures, camera,
// fonts).
// Only these files include GLEW; nothing outside the graphics module includes this header.
#pragma once

#include <GL/glew.h>

// Context (KEGraphics.cpp)
int KEGfxCurrentRenderMode();
GLuint KEGfxCurrentProgram();  // 0 when no program is bound
// -1 when no program is bound, so callers can skip GL instead of raising an error.
GLint KEGfxUniformLocation(const char* name);
GLint KEGfxAttribLocation(const char* name);
// Prints a report for every pending GL error and ends the process when there was one.
void KEGfxCheckGLError(int line, const char* function);
// Prints the fatal report with its message line and ends the process.
[[noreturn]] void KEGfxHalt(int line, const char* function, const char* message);

// Meshes (KEGfxMesh.cpp)
void KEGfxMeshResetState();

// Camera (KEGfxCamera.cpp)
void KEGfxCameraResetState();
// Drawable pixels the view is stretched over: the normal viewport's size.
void KEGfxGetStretchedViewSize(int* width, int* height);
// Sends the camera's view, scaled by the stretch, as uVMatrix of the current program.
void KEGfxSendViewMatrix(float stretchX, float stretchY);
