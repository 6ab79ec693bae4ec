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

// Below this a motion counts as parallel to a line and a segment as a point (0x3727C5AC).
static const float kTolerance = 0.00001f;

float KECalcDistPointToCircle(const KEVec2* p, const KEVec2* centre, float radius) {
  return KEVec2Distance(p, centre) - radius;
}

float KECalcDistPointToRect(const KEVec2* p, const KEVec2* rect, float width, float height) {
  KEVec2 d;
  KEVec2Sub(&d, p, rect);
  const float hw = width / 2, hh = height / 2;
  if (std::fabs(d.x) > hw || std::fabs(d.y) > hh) {
    const KEVec2 nearest = {KEClamp(d.x, -hw, hw), KEClamp(d.y, -hh, hh)};
    return KEVec2Distance(&d, &nearest);
  }
  return -KEMin(hw - std::fabs(d.x), hh - std::fabs(d.y));
}

float KECalcDistPointToLineSeg(const KEVec2* p, const KEVec2* a, const KEVec2* b) {
  KEVec2 ab, ap;
  KEVec2Sub(&ab, b, a);
  KEVec2Sub(&ap, p, a);
  const float length = KEVec2Length(&ab);
  const float q = KEVec2SquareLength(&ap);
  if (length < kTolerance) return Sqrt(q);
  const float s = KEVec2DotProduct(&ap, &ab) / length;
  if (s <= 0) return Sqrt(q);
  if (s >= length) return KEVec2Distance(p, b);
  // Rounding can take the square a hair below zero right on the line.
  return q - s * s <= 0 ? 0.0f : Sqrt(q - s * s);
}

float KECalcDistPointToConvexPoly(const KEVec2*, const KEVec2*, int) { return -1.0f; }

float KECalcDistCircleToCircle(const KEVec2* c0, float r0, const KEVec2* c1, float r1) {
  return KEVec2Distance(c0, c1) - r0 - r1;
}

float KECalcDistCircleToRect(const KEVec2* c, float r, const KEVec2* rect, float width,
                             float height) {
  return KECalcDistPointToRect(c, rect, width, height) - r;
}

float KECalcDistRectToRect(const KEVec2* rect0, float width0, float height0, const KEVec2* rect1,
                           float width1, float height1, KEVec2* normal) {
  KEVec2 d;
  KEVec2Sub(&d, rect1, rect0);
  if (std::fabs(d.x) >= (width0 + width1) / 2 || std::fabs(d.y) >= (height0 + height1) / 2) {
    return 0.0f;
  }
  float result = std::fabs(d.x) - width0 / 2 - width1 / 2;
  KEVec2 n = {d.x >= 0 ? -1.0f : 1.0f, 0.0f};
  const float py = std::fabs(d.y) - height0 / 2 - height1 / 2;
  if (py > result) {
    result = py;
    n = {0.0f, d.y >= 0 ? -1.0f : 1.0f};
  }
  if (normal) *normal = n;
  return result;
}

int KETestPointToCircle(const KEVec2* p, const KEVec2* centre, float radius) {
  return radius >= KEVec2Distance(p, centre) ? 1 : 0;
}

int KETestPointToRect(const KEVec2* p, const KEVec2* rect, float width, float height) {
  return std::fabs(p->x - rect->x) <= width / 2 && std::fabs(p->y - rect->y) <= height / 2 ? 1 : 0;
}

int KETestCircleToCircle(const KEVec2* c0, float r0, const KEVec2* c1, float r1) {
  return r0 + r1 >= KEVec2Distance(c0, c1) ? 1 : 0;
}

int KETestCircleToRect(const KEVec2* c, float r, const KEVec2* rect, float width, float height) {
  return r > KECalcDistPointToRect(c, rect, width, height) ? 1 : 0;
}

int KETestRectToRect(const KEVec2* rect0, float width0, float height0, const KEVec2* rect1,
                     float width1, float height1) {
  return std::fabs(rect1->x - rect0->x) <= (width0 + width1) / 2 &&
                 std::fabs(rect1->y - rect0->y) <= (height0 + height1) / 2
             ? 1
             : 0;
}

float KEStaticPointToStaticLineSegment(const KEVec2* p, const KELineSegment* s) {
  return KEVec2DotProduct(&s->N, p) - s->NdotP0;
}

// The line widened by `radius` on both sides; 0 for a point.
static float SweepToSegment(const KEVec2* ps, const KEVec2* pe, float radius,
                            const KELineSegment* s, KEVec2* pi) {
  const float start = KEVec2DotProduct(&s->N, ps) - s->NdotP0;
  const float end = KEVec2DotProduct(&s->N, pe) - s->NdotP0;
  if ((start < -radius && end < -radius) || (start > radius && end > radius)) return -1.0f;
  KEVec2 v;
  KEVec2Sub(&v, pe, ps);
  const float nDotV = KEVec2DotProduct(&s->N, &v);
  if (std::fabs(nDotV) < kTolerance) return -1.0f;
  const float side = start < 0 ? -radius : radius;
  const float t = (KEVec2DotProduct(&s->N, &s->P0) - KEVec2DotProduct(&s->N, ps) + side) / nDotV;
  KEVec2 contact;
  KEVec2ScaleAdd(&contact, &v, ps, t);
  // Past either end the contact's direction from that end turns away from the other end.
  KEVec2 along, fromP0, back, fromP1;
  KEVec2Sub(&along, &s->P1, &s->P0);
  KEVec2Sub(&fromP0, &contact, &s->P0);
  KEVec2Sub(&back, &s->P0, &s->P1);
  KEVec2Sub(&fromP1, &contact, &s->P1);
  if (KEVec2DotProduct(&along, &fromP0) < 0 || KEVec2DotProduct(&back, &fromP1) < 0) return -1.0f;
  *pi = contact;
  return t;
}

float KEAnimatedPointToStaticLineSegment(const KEVec2* ps, const KEVec2* pe, const KELineSegment* s,
                                         KEVec2* pi) {
  return SweepToSegment(ps, pe, 0.0f, s, pi);
}

float KEAnimatedCircleToStaticLineSegment(const KEVec2* ps, const KEVec2* pe, float radius,
                                          const KELineSegment* s, KEVec2* pi) {
  return SweepToSegment(ps, pe, radius, s, pi);
}

// The motion left after the contact, mirrored in the line.
static void ReflectOnLine(const KEVec2* pe, const KEVec2* pi, const KEVec2* n, KEVec2* r) {
  KEVec2 rest;
  KEVec2Sub(&rest, pe, pi);
  KEVec2ScaleAdd(r, n, &rest, -2 * KEVec2DotProduct(&rest, n));
}

float KEReflectAnimatedPointOnStaticLineSegment(const KEVec2* ps, const KEVec2* pe,
                                                const KELineSegment* s, KEVec2* pi, KEVec2* r) {
  const float t = SweepToSegment(ps, pe, 0.0f, s, pi);
  if (t > 0) ReflectOnLine(pe, pi, &s->N, r);
  return t;
}

float KEReflectAnimatedCircleOnStaticLineSegment(const KEVec2* ps, const KEVec2* pe, float radius,
                                                 const KELineSegment* s, KEVec2* pi, KEVec2* r) {
  const float t = SweepToSegment(ps, pe, radius, s, pi);
  if (t > 0) ReflectOnLine(pe, pi, &s->N, r);
  return t;
}

float KEAnimatedPointToStaticCircle(const KEVec2* ps, const KEVec2* pe, const KEVec2* centre,
                                    float radius, KEVec2* pi) {
  KEVec2 v, toCentre;
  KEVec2Sub(&v, pe, ps);
  const float length = KEVec2Length(&v);
  // A point that does not move meets nothing; dividing by its length would give NaN.
  if (length < kTolerance) return -1.0f;
  KEVec2Sub(&toCentre, centre, ps);
  const float m = KEVec2DotProduct(&toCentre, &v) / length;
  const float q = KEVec2SquareLength(&toCentre);
  const float rr = radius * radius;
  if (m < 0 && q < rr) return -1.0f;
  const float nn = q - m * m;
  if (nn > rr) return -1.0f;
  const float t = (m - Sqrt(rr - nn)) / length;
  KEVec2 contact, fromEnd, startFromEnd;
  KEVec2ScaleAdd(&contact, &v, ps, t);
  *pi = contact;
  KEVec2Sub(&fromEnd, &contact, pe);
  KEVec2Sub(&startFromEnd, ps, pe);
  if (KEVec2DotProduct(&startFromEnd, &fromEnd) < 0) return -1.0f;
  return t;
}

float KEReflectAnimatedPointOnStaticCircle(const KEVec2* ps, const KEVec2* pe, const KEVec2* centre,
                                           float radius, KEVec2* pi, KEVec2* r) {
  const float t = KEAnimatedPointToStaticCircle(ps, pe, centre, radius, pi);
  if (t > 0) {
    KEVec2 n, travelled;
    KEVec2Sub(&n, pi, centre);
    KEVec2Normalize(&n, &n);
    KEVec2Sub(&travelled, ps, pi);
    KEVec2ScaleSub(r, &n, &travelled, 2 * KEVec2DotProduct(&n, &travelled));
  }
  return t;
}

float KEAnimatedCircleToStaticCircle(const KEVec2* ps, const KEVec2* pe, float r0,
                                     const KEVec2* centre, float r1, KEVec2* pi) {
  return KEAnimatedPointToStaticCircle(ps, pe, centre, r0 + r1, pi);
}

float KEReflectAnimatedCircleOnStaticCircle(const KEVec2* ps, const KEVec2* pe, float r0,
                                            const KEVec2* centre, float r1, KEVec2* pi, KEVec2* r) {
  return KEReflectAnimatedPointOnStaticCircle(ps, pe, centre, r0 + r1, pi, r);
}
