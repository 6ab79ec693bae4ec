// GL context start-up, the shader programs, render state and the frame bracket.
#include "KEGraphics.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "KEGfxLocal.h"
#include "KEReport.h"
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

// With neutral settings the texture program's arithmetic gives back the texel unchanged;
// this one fetches it and nothing else, which the software rasteriser runs far faster.
const char* const kPlainTextureFragmentShader =
    "uniform sampler2D uTexture;\n"
    "varying vec2 vTextureCoordinate;\n"
    "void main()\n"
    "{\n"
    "  gl_FragColor = texture2D(uTexture, vTextureCoordinate);\n"
    "}\n";

// Slots 1 and 2 are the render modes' programs.
constexpr int kPlainTextureProgram = 3;

// The uniforms a program may read, named as in the shaders.
enum Uniform {
  kProjection,
  kView,
  kWorld,
  kTint,
  kTransparency,
  kBlend,
  kOffset,
  kSampler,
  kUniforms
};
const char* const kUniformNames[kUniforms] = {
    "uPMatrix",           "uVMatrix",    "uWorldMatrix",   "uTintColor",
    "uTransparencyValue", "uBlendColor", "uTextureOffset", "uTexture"};

// One linked program: where its inputs are, looked up once, and what it last received, so
// that a draw sends only what changed.
struct Program {
  GLuint name;
  GLint uniforms[kUniforms];
  KEGfxAttributes attributes;
  KEGfxInputs sent;
};

struct GraphicsState {
  int windowWidth;
  int windowHeight;
  int drawableWidth;  // read every frame, kept for whoever needs it
  int drawableHeight;
  float background[3];  // the view's clear colour; the bars around it stay black
  Program programs[4];  // render modes' programs, then the plain texture one; 0 stays empty
  // What the game set in each render mode: uniforms belong to a mode, as they belonged to
  // its program when every setter sent them at once.
  KEGfxInputs inputs[3];
  int renderMode;
  GLuint bound;    // the program in use, 0 for none
  int blendMode;   // as the game set it
  bool blending;   // GL_BLEND as it is now
  GLuint texture;  // bound by the last KEGfxTextureSet, 0 for none
  bool textureOpaque;
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

// A program that failed to link answers -1 everywhere and so receives nothing.
Program LinkProgram(const char* vertexSource, const char* fragmentSource) {
  Program program = {};
  program.name = BuildProgram(vertexSource, fragmentSource);
  for (int u = 0; u < kUniforms; ++u)
    program.uniforms[u] = glGetUniformLocation(program.name, kUniformNames[u]);
  program.attributes.position = glGetAttribLocation(program.name, "aPosition");
  program.attributes.colour = glGetAttribLocation(program.name, "aColor");
  program.attributes.textureCoordinate = glGetAttribLocation(program.name, "aTextureCoordinate");
  // All bits set is a NaN in every slot, unequal to whatever the game sets first.
  std::memset(&program.sent, 0xFF, sizeof program.sent);
  if (program.uniforms[kSampler] != -1) {
    glUseProgram(program.name);
    glUniform1i(program.uniforms[kSampler], 0);
    glUseProgram(0);
  }
  return program;
}

template <size_t N>
bool Changed(const float (&want)[N], float (&sent)[N]) {
  if (std::memcmp(want, sent, sizeof want) == 0) return false;
  std::memcpy(sent, want, sizeof want);
  return true;
}

void SendChanged(Program& p, const KEGfxInputs& in) {
  KEGfxInputs& sent = p.sent;
  const GLint* at = p.uniforms;
  if (at[kProjection] != -1 && Changed(in.projection, sent.projection))
    glUniformMatrix4fv(at[kProjection], 1, GL_FALSE, in.projection);
  if (at[kView] != -1 && Changed(in.view, sent.view))
    glUniformMatrix4fv(at[kView], 1, GL_FALSE, in.view);
  if (at[kWorld] != -1 && Changed(in.world, sent.world))
    glUniformMatrix4fv(at[kWorld], 1, GL_FALSE, in.world);
  if (at[kTint] != -1 && Changed(in.tint, sent.tint)) glUniform4fv(at[kTint], 1, in.tint);
  if (at[kTransparency] != -1 && Changed(in.transparency, sent.transparency))
    glUniform1f(at[kTransparency], in.transparency[0]);
  if (at[kBlend] != -1 && Changed(in.blend, sent.blend)) glUniform4fv(at[kBlend], 1, in.blend);
  if (at[kOffset] != -1 && Changed(in.offset, sent.offset)) glUniform2fv(at[kOffset], 1, in.offset);
}

// Blend weight 0 (over a finite colour), white opaque tint, full opacity, no offset: the
// texture program would compute exactly the texel it fetched.
bool Neutral(const KEGfxInputs& in) {
  const float* t = in.tint;
  const float* b = in.blend;
  return t[0] == 1 && t[1] == 1 && t[2] == 1 && t[3] == 1 && in.transparency[0] == 1 && b[3] == 0 &&
         std::isfinite(b[0]) && std::isfinite(b[1]) && std::isfinite(b[2]) && in.offset[0] == 0 &&
         in.offset[1] == 0;
}

// Translucent blending of an opaque texel at full opacity gives back the texel: such a
// draw needs no blending, and the rasteriser skips reading the screen under it.
bool NeedsBlending() {
  if (gfx.blendMode == KE_BLEND_NONE) return false;
  if (gfx.blendMode != KE_BLEND_TRANSLUCENT || gfx.renderMode != KE_RENDER_TEXTURE ||
      gfx.texture == 0 || !gfx.textureOpaque)
    return true;
  const KEGfxInputs& in = gfx.inputs[KE_RENDER_TEXTURE];
  return !(in.tint[3] == 1 && in.transparency[0] == 1);
}

void SetBlending(bool on) {
  if (on == gfx.blending) return;
  if (on) {
    glEnable(GL_BLEND);
  } else {
    glDisable(GL_BLEND);
  }
  gfx.blending = on;
}

void Bind(GLuint program) {
  if (gfx.bound == program) return;
  glUseProgram(program);
  gfx.bound = program;
}

[[noreturn]] void EndAfterReport() {
  fflush(stdout);
  KEPlatformWaitForKeyIfInteractive();
  exit(1);
}

}  // namespace

int KEGfxCurrentRenderMode() { return gfx.renderMode; }

KEGfxInputs* KEGfxCurrentInputs() {
  return gfx.renderMode == KE_RENDER_NONE ? nullptr : &gfx.inputs[gfx.renderMode];
}

const KEGfxAttributes* KEGfxBeginDraw() {
  if (gfx.renderMode == KE_RENDER_NONE) return nullptr;
  const bool plain = gfx.renderMode == KE_RENDER_TEXTURE && Neutral(gfx.inputs[KE_RENDER_TEXTURE]);
  Program& program = gfx.programs[plain ? kPlainTextureProgram : gfx.renderMode];
  Bind(program.name);
  SendChanged(program, gfx.inputs[gfx.renderMode]);
  SetBlending(NeedsBlending());
  return &program.attributes;
}

void KEGfxNoteBoundTexture(GLuint name, bool opaque) {
  gfx.texture = name;
  gfx.textureOpaque = opaque;
}

void KEGfxForgetTexture(GLuint name) {
  if (gfx.texture == name) KEGfxNoteBoundTexture(0, false);
}

void KEGfxCheckGLError(int line, const char* function) {
  bool reported = false;
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    KEReport("CHECK_GL_ERROR:\nLine: %d\nFunc: %s\nFile: %s\nCode: 0x%.8x\nMesg: ", line, function,
             kSourcePath, static_cast<unsigned int>(error));
    reported = true;
  }
  if (reported) EndAfterReport();
}

void KEGfxHalt(int line, const char* function, const char* message) {
  KEReport("HALT:\nLine: %d\nFunc: %s\nFile: %s\n%s", line, function, kSourcePath, message);
  EndAfterReport();
}

namespace Shader {

void Destroy() {
  for (Program& program : gfx.programs) {
    if (program.name == 0) continue;
    GLsizei count = 0;
    GLuint shaders[3] = {};
    glGetAttachedShaders(program.name, 3, &count, shaders);
    for (GLsizei i = 0; i < count; ++i) glDeleteShader(shaders[i]);
    glDeleteProgram(program.name);
    // Forget the name so a second shutdown does not report a GL error on it.
    program = Program();
    KEGfxCheckGLError(326, "Shader::Destroy");
  }
  if (gfx.bound != 0) glUseProgram(0);
  gfx.bound = 0;
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
  // A restart keeps the context, and with it any blending left on, whose function is not
  // known here: counted as adding, it is never switched off for a draw.
  gfx.blending = glIsEnabled(GL_BLEND) == GL_TRUE;
  gfx.blendMode = gfx.blending ? KE_BLEND_ADD : KE_BLEND_NONE;

  gfx.programs[KE_RENDER_COLOR] = LinkProgram(kColorVertexShader, kColorFragmentShader);
  gfx.programs[KE_RENDER_TEXTURE] = LinkProgram(kTextureVertexShader, kTextureFragmentShader);
  gfx.programs[kPlainTextureProgram] =
      LinkProgram(kTextureVertexShader, kPlainTextureFragmentShader);

  KEGfxSetRenderMode(KE_RENDER_COLOR);
  KEGfxSetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
  KEGfxSetTransparency(1.0f);
  KEGfxSetBackgroundColor(1.0f, 1.0f, 1.0f);

  KEGfxCheckGLError(843, "KEGfxInit");
  return 1;
}

void KEGfxExit() { Shader::Destroy(); }

void KEGfxStart() {
  KEPlatformGetDrawableSize(&gfx.drawableWidth, &gfx.drawableHeight);
  int x, y, width, height;
  KEGfxGetViewport(&x, &y, &width, &height);
  // The bars first, over the whole drawable, then the view in the game's background colour;
  // the scissor keeps everything drawn afterwards (text included) off the bars.
  glDisable(GL_SCISSOR_TEST);
  if (width < gfx.drawableWidth || height < gfx.drawableHeight) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glScissor(x, y, width, height);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(gfx.background[0], gfx.background[1], gfx.background[2], 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glViewport(x, y, width, height);
}

void KEGfxEnd() {
  KEGfxCheckGLError(1002, "KEGfxEnd");
  glUseProgram(0);
  gfx.bound = 0;
  gfx.renderMode = KE_RENDER_NONE;
  KEGfxCheckGLError(1005, "KEGfxEnd");
  glFinish();
  KEPlatformSwapBuffers();
}

int KEGetWindowWidth() { return gfx.windowWidth; }

int KEGetWindowHeight() { return gfx.windowHeight; }

void KEGfxSetBackgroundColor(float r, float g, float b) {
  gfx.background[0] = r;
  gfx.background[1] = g;
  gfx.background[2] = b;
  glClearColor(r, g, b, 1.0f);
}

// The program itself is bound by the next draw.
void KEGfxSetRenderMode(int mode) {
  if (mode == KE_RENDER_COLOR || mode == KE_RENDER_TEXTURE) {
    if (mode == gfx.renderMode) return;
    gfx.renderMode = mode;
    SetProjectionAndViewMatrices();
  } else if (mode == KE_RENDER_NONE && gfx.renderMode != KE_RENDER_NONE) {
    Bind(0);
    gfx.renderMode = KE_RENDER_NONE;
  }
}

// Blending is switched on or off as asked; a draw that needs none may switch it off for
// itself.
void KEGfxSetBlendMode(int mode) {
  switch (mode) {
    case KE_BLEND_NONE:
      break;
    case KE_BLEND_TRANSLUCENT:
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case KE_BLEND_ADD:
      glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    default:
      return;
  }
  gfx.blendMode = mode;
  SetBlending(mode != KE_BLEND_NONE);
}

void KEGfxSetTransparency(float opacity) {
  if (KEGfxInputs* in = KEGfxCurrentInputs()) in->transparency[0] = opacity;
}

void KEGfxSetBlendColor(float r, float g, float b, float weight) {
  if (KEGfxInputs* in = KEGfxCurrentInputs()) {
    const float blend[4] = {r, g, b, weight};
    std::memcpy(in->blend, blend, sizeof blend);
  }
}

void KEGfxSetTintColor(float r, float g, float b, float a) {
  if (KEGfxInputs* in = KEGfxCurrentInputs()) {
    const float tint[4] = {r, g, b, a};
    std::memcpy(in->tint, tint, sizeof tint);
  }
}
