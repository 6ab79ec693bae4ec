#include "KEMath.h"

#include <cmath>

// Kept to these exact floats (0x3C8EFA35, 0x42652EE2) so angles match the shipped tuning.
static const float kDegToRad = 0.017453292f;
static const float kRadToDeg = 57.295784f;

// Single-precision everywhere except sqrt and trig, which go through double once.
static float Sqrt(float x) { return (float)std::sqrt((double)x); }

float KEDegToRad(float x) { return x * kDegToRad; }
float KERadToDeg(float x) { return x * kRadToDeg; }

float KESin(float x) { return (float)std::sin((double)x); }
float KECos(float x) { return (float)std::cos((double)x); }
float KETan(float x) { return (float)std::tan((double)x); }
float KEASin(float x) { return (float)std::asin((double)x); }
float KEACos(float x) { return (float)std::acos((double)x); }
float KEATan(float x) { return (float)std::atan((double)x); }

int KEIsPowOf2(int a) {
  // Unsigned so that INT_MIN - 1 does not overflow.
  unsigned int u = (unsigned int)a;
  return (u != 0 && (u & (u - 1)) == 0) ? 1 : 0;
}

unsigned int KENextPowOf2(unsigned int a) {
  // No decrement first: exact powers of two move up, and 2^31 or more wraps to 0.
  a |= a >> 1;
  a |= a >> 2;
  a |= a >> 4;
  a |= a >> 8;
  a |= a >> 16;
  return a + 1;
}

unsigned int KELogBase2(unsigned int a) {
  unsigned int h = a >> 1;
  unsigned int count = 0;
  while ((h >> count) != 0) ++count;
  return count;
}

float KEClamp(float x, float low, float high) {
  if (x < low) return low;
  if (x > high) return high;
  return x;
}

float KEWrap(float x, float low, float high) {
  if (x < low) return x + (high - low);
  if (x > high) return x - (high - low);
  return x;
}

float KEMin(float a, float b) { return a < b ? a : b; }
float KEMax(float a, float b) { return a < b ? b : a; }

int KEInRange(float x, float low, float high) { return (low <= x && x <= high) ? 1 : 0; }

void KEVec2Zero(KEVec2* r) { r->x = r->y = 0.0f; }

void KEVec2Set(KEVec2* r, float x, float y) {
  r->x = x;
  r->y = y;
}

void KEVec2Neg(KEVec2* r, const KEVec2* a) {
  r->x = -a->x;
  r->y = -a->y;
}

void KEVec2Add(KEVec2* r, const KEVec2* a, const KEVec2* b) {
  float x = a->x + b->x, y = a->y + b->y;
  r->x = x;
  r->y = y;
}

void KEVec2Sub(KEVec2* r, const KEVec2* a, const KEVec2* b) {
  float x = a->x - b->x, y = a->y - b->y;
  r->x = x;
  r->y = y;
}

void KEVec2Normalize(KEVec2* r, const KEVec2* a) {
  float k = 1.0f / KEVec2Length(a);
  KEVec2Scale(r, a, k);
}

void KEVec2Scale(KEVec2* r, const KEVec2* a, float s) {
  r->x = a->x * s;
  r->y = a->y * s;
}

void KEVec2ScaleAdd(KEVec2* r, const KEVec2* a, const KEVec2* b, float s) {
  float x = a->x * s + b->x, y = a->y * s + b->y;
  r->x = x;
  r->y = y;
}

void KEVec2ScaleSub(KEVec2* r, const KEVec2* a, const KEVec2* b, float s) {
  float x = a->x * s - b->x, y = a->y * s - b->y;
  r->x = x;
  r->y = y;
}

void KEVec2Project(KEVec2* r, const KEVec2* a, const KEVec2* b) {
  KEVec2 n;
  KEVec2Normalize(&n, b);
  KEVec2Scale(r, &n, KEVec2DotProduct(a, &n));
}

void KEVec2ProjectPerp(KEVec2* r, const KEVec2* a, const KEVec2* b) {
  KEVec2 along;
  KEVec2Project(&along, a, b);
  KEVec2Sub(r, a, &along);
}

void KEVec2Lerp(KEVec2* r, const KEVec2* a, const KEVec2* b, float t) {
  float x = a->x + (b->x - a->x) * t, y = a->y + (b->y - a->y) * t;
  r->x = x;
  r->y = y;
}

float KEVec2Length(const KEVec2* a) { return Sqrt(KEVec2SquareLength(a)); }

float KEVec2SquareLength(const KEVec2* a) { return a->x * a->x + a->y * a->y; }

float KEVec2Distance(const KEVec2* a, const KEVec2* b) { return Sqrt(KEVec2SquareDistance(a, b)); }

float KEVec2SquareDistance(const KEVec2* a, const KEVec2* b) {
  float dx = a->x - b->x, dy = a->y - b->y;
  return dx * dx + dy * dy;
}

float KEVec2DotProduct(const KEVec2* a, const KEVec2* b) { return a->x * b->x + a->y * b->y; }

float KEVec2CrossProductMag(const KEVec2* a, const KEVec2* b) { return a->x * b->y - a->y * b->x; }

void KEVec2FromAngle(KEVec2* r, float angle) {
  r->x = KECos(angle);
  r->y = KESin(angle);
}

int KEVec2Test(int a, int b) { return a + b; }
