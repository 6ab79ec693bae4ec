// GL context start-up, the two shader programs, render state and the frame bracket.
#include "KEGraphics.h"

#include <cstdio>
#include <cstdlib>

#include "KEGfxLocal.h"
#include "platform/KEPlatform.h"

namespace {

// Every graphics report names this file, whichever graphics file raised it.
const char* const kSourcePath = __FILE__;

const char* const kColorVertexShader =
    "uniform mat4 uPMatrix;\n"
    "uniform mat4 uVMatrix;\n"
    "uniform mat4 uWorldMatrix;\n"
    "attribute vec4 aPosition;\n"
    "attribute vec4 aColor;\n"
    "varying vec4 vColor;\n"
    "void main()\n"
    "{\n"
    "  vColor = aColor;\n"
    "  gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;\n"
    "}\n";

const char* const kColorFragmentShader =
    "//precision mediump float;\n"
    "uniform vec4 uBlendColor;\n"
    "uniform float uTransparencyValue;\n"
    "uniform vec4 uTintColor;\n"
    "varying vec4 vColor;\n"
    "void main()\n"
    "{\n"
    "  vec3 blended = vColor.rgb * (1.0 - uBlendColor.w) + uBlendColor.rgb * uBlendColor.w;\n"
    "  gl_FragColor = vec4(blended * uTintColor.rgb,\n"
    "                      vColor.w * uTransparencyValue * uTintColor.w);\n"
    "}\n";

const char* const kTextureVertexShader =
    "uniform mat4 uPMatrix;\n"
    "uniform mat4 uVMatrix;\n"
    "uniform mat4 uWorldMatrix;\n"
    "attribute vec4 aPosition;\n"
    "attribute vec2 aTextureCoordinate;\n"
    "varying vec2 vTextureCoordinate;\n"
    "void main()\n"
    "{\n"
    "  vTextureCoordinate = aTextureCoordinate;\n"
    "  gl_Position = uPMatrix * uVMatrix * uWorldMatrix * aPosition;\n"
    "}\n";

// The offset wraps once per component only: sprite sheets never ask for more.
const char* const kTextureFragmentShader =
    "//precision mediump float;\n"
    "uniform sampler2D uTexture;\n"
    "uniform vec4 uBlendColor;\n"
    "uniform vec2 uTextureOffset;\n"
    "uniform float uTransparencyValue;\n"
    "uniform vec4 uTintColor;\n"
    "varying vec2 vTextureCoordinate;\n"
    "void main()\n"
    "{\n"
    "  vec2 coordinate = vTextureCoordinate + uTextureOffset;\n"
    "  if (coordinate.x > 1.0) coordinate.x -= 1.0;\n"
    "  if (coordinate.y > 1.0) coordinate.y -= 1.0;\n"
    "  vec4 texel = texture2D(uTexture, coordinate);\n"
    "  vec3 blended = texel.rgb * (1.0 - uBlendColor.w) + uBlendColor.rgb * uBlendColor.w;\n"
    "  gl_FragColor = vec4(blended * uTintColor.rgb,\n"
    "                      texel.w * uTransparencyValue * uTintColor.w);\n"
    "}\n";

struct GraphicsState {
  int windowWidth;
  int windowHeight;
  int drawableWidth;  // read every frame, kept for whoever needs it
  int drawableHeight;
  GLuint programs[3];  // indexed by render mode; slot 0 stays 0
  int renderMode;
};

GraphicsState gfx = {};

// A shader that fails to compile is left out of its program without a word, as the
// engine always did; the program then draws nothing.
void AttachShader(GLuint program, GLenum stage, const char* source) {
  GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled == GL_TRUE) {
    glAttachShader(program, shader);
  } else {
    glDeleteShader(shader);
  }
}

GLuint BuildProgram(const char* vertexSource, const char* fragmentSource) {
  GLuint program = glCreateProgram();
  AttachShader(program, GL_VERTEX_SHADER, vertexSource);
  AttachShader(program, GL_FRAGMENT_SHADER, fragmentSource);
  // glRasterPos feeds attribute 0, so text is placed by the same transform as meshes.
  glBindAttribLocation(program, 0, "aPosition");
  glLinkProgram(program);
  return program;
}

[[noreturn]] void EndAfterReport() {
  fflush(stdout);
  KEPlatformWaitForKeyIfInteractive();
  exit(1);
}

}  // namespace

int KEGfxCurrentRenderMode() { return gfx.renderMode; }

GLuint KEGfxCurrentProgram() { return gfx.programs[gfx.renderMode]; }

GLint KEGfxUniformLocation(const char* name) {
  GLuint program = KEGfxCurrentProgram();
  return program != 0 ? glGetUniformLocation(program, name) : -1;
}

GLint KEGfxAttribLocation(const char* name) {
  GLuint program = KEGfxCurrentProgram();
  return program != 0 ? glGetAttribLocation(program, name) : -1;
}

void KEGfxCheckGLError(int line, const char* function) {
  bool reported = false;
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    printf("CHECK_GL_ERROR:\nLine: %d\nFunc: %s\nFile: %s\n", line, function, kSourcePath);
    printf("Code: 0x%.8x\n", static_cast<unsigned int>(error));
    printf("Mesg: ");
    printf("\n");
    reported = true;
  }
  if (reported) EndAfterReport();
}

void KEGfxHalt(int line, const char* function, const char* message) {
  printf("HALT:\nLine: %d\nFunc: %s\nFile: %s\n", line, function, kSourcePath);
  printf("%s", message);
  printf("\n");
  EndAfterReport();
}

namespace Shader {

void Destroy() {
  for (GLuint& program : gfx.programs) {
    if (program == 0) continue;
    GLsizei count = 0;
    GLuint shaders[3] = {};
    glGetAttachedShaders(program, 3, &count, shaders);
    for (GLsizei i = 0; i < count; ++i) glDeleteShader(shaders[i]);
    glDeleteProgram(program);
    // Forget the name so a second shutdown does not report a GL error on it.
    program = 0;
    KEGfxCheckGLError(326, "Shader::Destroy");
  }
  if (gfx.renderMode != KE_RENDER_NONE) glUseProgram(0);
  gfx.renderMode = KE_RENDER_NONE;
}

}  // namespace Shader

int KEGfxInit(int width, int height) {
  gfx = {};
  gfx.windowWidth = width;
  gfx.windowHeight = height;
  printf("Graphics: OpenGL\n");

  // The platform layer made the context current; without one GL answers null here.
  if (glGetString(GL_VERSION) == nullptr) return 0;

  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) KEGfxHalt(770, "KEGfxInit", "Mesg: fail to initialize GLEW!!");
  // GLEW's own probing can leave an error behind that is none of the game's doing.
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!GLEW_VERSION_2_0) KEGfxHalt(773, "KEGfxInit", "Mesg: OpenGL 2.0 is not supported!!");

  KEGfxMeshResetState();
  KEGfxCameraResetState();

  gfx.programs[KE_RENDER_COLOR] = BuildProgram(kColorVertexShader, kColorFragmentShader);
  gfx.programs[KE_RENDER_TEXTURE] = BuildProgram(kTextureVertexShader, kTextureFragmentShader);

  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  KEGfxSetTransparency(1.0f);
  glClearColor(1.0f, 1.0f, 1.0f, 1.0f);

  KEGfxCheckGLError(843, "KEGfxInit");
  return 1;
}

void KEGfxExit() { Shader::Destroy(); }

void KEGfxStart() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  KEPlatformGetDrawableSize(&gfx.drawableWidth, &gfx.drawableHeight);
  glViewport(0, 0, gfx.windowWidth, gfx.windowHeight);
}

void KEGfxEnd() {
  KEGfxCheckGLError(1002, "KEGfxEnd");
  glUseProgram(0);
  gfx.renderMode = KE_RENDER_NONE;
  KEGfxCheckGLError(1005, "KEGfxEnd");
  glFinish();
  KEPlatformSwapBuffers();
}

int KEGetWindowWidth() { return gfx.windowWidth; }

int KEGetWindowHeight() { return gfx.windowHeight; }

void KEGfxSetBackgroundColor(float r, float g, float b) { glClearColor(r, g, b, 1.0f); }

void KEGfxSetRenderMode(int mode) {
  if (mode == KE_RENDER_COLOR || mode == KE_RENDER_TEXTURE) {
    if (mode == gfx.renderMode) return;
    glUseProgram(gfx.programs[mode]);
    gfx.renderMode = mode;
    SetProjectionAndViewMatrices();
  } else if (mode == KE_RENDER_NONE && gfx.renderMode != KE_RENDER_NONE) {
    glUseProgram(0);
    gfx.renderMode = KE_RENDER_NONE;
  }
}

void KEGfxSetBlendMode(int mode) {
  switch (mode) {
    case KE_BLEND_NONE:
      glDisable(GL_BLEND);
      break;
    case KE_BLEND_TRANSLUCENT:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case KE_BLEND_ADD:
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    default:
      break;
  }
}

void KEGfxSetTransparency(float opacity) {
  GLint location = KEGfxUniformLocation("uTransparencyValue");
  if (location != -1) glUniform1f(location, opacity);
}

void KEGfxSetBlendColor(float r, float g, float b, float weight) {
  GLint location = KEGfxUniformLocation("uBlendColor");
  if (location != -1) glUniform4f(location, r, g, b, weight);
  KEGfxCheckGLError(1325, "KEGfxSetBlendColor");
}

void KEGfxSetTintColor(float r, float g, float b, float a) {
  GLint location = KEGfxUniformLocation("uTintColor");
  if (location != -1) glUniform4f(location, r, g, b, a);
}
