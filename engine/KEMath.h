// Math module: scalar helpers and the 2D vector library.
// Vector results go through the first pointer, which may alias an input.
#pragma once

struct KEVec2 {
  float x, y;
};

// Scalars
float KEDegToRad(float x);
float KERadToDeg(float x);
float KESin(float x);  // trig runs in double, rounded to float
float KECos(float x);
float KETan(float x);
float KEASin(float x);
float KEACos(float x);
float KEATan(float x);
int KEIsPowOf2(int a);                 // counts INT_MIN as a power of two
unsigned int KENextPowOf2(unsigned int a);  // strictly greater: 4 -> 8, 0 -> 1, 2^31 -> 0
unsigned int KELogBase2(unsigned int a);    // floor(log2 a), 0 for 0
float KEClamp(float x, float low, float high);
float KEWrap(float x, float low, float high);  // one step of (high - low) only
float KEMin(float a, float b);
float KEMax(float a, float b);
int KEInRange(float x, float low, float high);  // inclusive at both ends

// 2D vectors
void KEVec2Zero(KEVec2* r);
void KEVec2Set(KEVec2* r, float x, float y);
void KEVec2Neg(KEVec2* r, const KEVec2* a);
void KEVec2Add(KEVec2* r, const KEVec2* a, const KEVec2* b);
void KEVec2Sub(KEVec2* r, const KEVec2* a, const KEVec2* b);
void KEVec2Normalize(KEVec2* r, const KEVec2* a);  // a zero vector gives NaNs
void KEVec2Scale(KEVec2* r, const KEVec2* a, float s);
void KEVec2ScaleAdd(KEVec2* r, const KEVec2* a, const KEVec2* b, float s);  // a * s + b
void KEVec2ScaleSub(KEVec2* r, const KEVec2* a, const KEVec2* b, float s);  // a * s - b
void KEVec2Project(KEVec2* r, const KEVec2* a, const KEVec2* b);      // part of a along b
void KEVec2ProjectPerp(KEVec2* r, const KEVec2* a, const KEVec2* b);  // part of a across b
void KEVec2Lerp(KEVec2* r, const KEVec2* a, const KEVec2* b, float t);  // t not limited
float KEVec2Length(const KEVec2* a);
float KEVec2SquareLength(const KEVec2* a);
float KEVec2Distance(const KEVec2* a, const KEVec2* b);
float KEVec2SquareDistance(const KEVec2* a, const KEVec2* b);
float KEVec2DotProduct(const KEVec2* a, const KEVec2* b);
float KEVec2CrossProductMag(const KEVec2* a, const KEVec2* b);  // z of the 3D cross product
void KEVec2FromAngle(KEVec2* r, float angle);
int KEVec2Test(int a, int b);  // a + b

// Distance, overlap and swept-collision tests. Rectangles are a centre with full width and
// height; signed distances are negative by the depth of an overlap. Swept tests return the
// time t of first contact along X(t) = Ps + t (Pe - Ps), or -1 when there is none.

// A segment and its line: N is the unit normal, NdotP0 = N . P0. The caller fills all four.
struct KELineSegment {
  KEVec2 P0, P1;
  KEVec2 N;
  float NdotP0;
};

// Distances
float KECalcDistPointToCircle(const KEVec2* p, const KEVec2* centre, float radius);
float KECalcDistPointToRect(const KEVec2* p, const KEVec2* rect, float width, float height);
float KECalcDistPointToLineSeg(const KEVec2* p, const KEVec2* a, const KEVec2* b);      // unsigned
float KECalcDistPointToConvexPoly(const KEVec2* p, const KEVec2* vertices, int count);  // -1
float KECalcDistCircleToCircle(const KEVec2* c0, float r0, const KEVec2* c1, float r1);
float KECalcDistCircleToRect(const KEVec2* c, float r, const KEVec2* rect, float width,
                             float height);
// 0 when apart or touching; else minus the overlap on the shallower axis (x on a tie), with
// that axis' unit normal pointing from the second rectangle to the first in `normal`.
float KECalcDistRectToRect(const KEVec2* rect0, float width0, float height0, const KEVec2* rect1,
                           float width1, float height1, KEVec2* normal);

// Overlap tests: touching counts, except for a circle and a rectangle
int KETestPointToCircle(const KEVec2* p, const KEVec2* centre, float radius);
int KETestPointToRect(const KEVec2* p, const KEVec2* rect, float width, float height);
int KETestCircleToCircle(const KEVec2* c0, float r0, const KEVec2* c1, float r1);
int KETestCircleToRect(const KEVec2* c, float r, const KEVec2* rect, float width, float height);
int KETestRectToRect(const KEVec2* rect0, float width0, float height0, const KEVec2* rect1,
                     float width1, float height1);

// Segments and swept tests. Pi is the contact point (a moving circle's centre there), R the
// reflected motion, written only when t > 0.
float KEStaticPointToStaticLineSegment(const KEVec2* p, const KELineSegment* s);  // signed
float KEAnimatedPointToStaticLineSegment(const KEVec2* ps, const KEVec2* pe, const KELineSegment* s,
                                         KEVec2* pi);
float KEAnimatedCircleToStaticLineSegment(const KEVec2* ps, const KEVec2* pe, float radius,
                                          const KELineSegment* s, KEVec2* pi);
float KEReflectAnimatedPointOnStaticLineSegment(const KEVec2* ps, const KEVec2* pe,
                                                const KELineSegment* s, KEVec2* pi, KEVec2* r);
float KEReflectAnimatedCircleOnStaticLineSegment(const KEVec2* ps, const KEVec2* pe, float radius,
                                                 const KELineSegment* s, KEVec2* pi, KEVec2* r);
// t is negative when the way in lies behind the start; only t in (0, 1] is a hit.
float KEAnimatedPointToStaticCircle(const KEVec2* ps, const KEVec2* pe, const KEVec2* centre,
                                    float radius, KEVec2* pi);
float KEReflectAnimatedPointOnStaticCircle(const KEVec2* ps, const KEVec2* pe, const KEVec2* centre,
                                           float radius, KEVec2* pi, KEVec2* r);
float KEAnimatedCircleToStaticCircle(const KEVec2* ps, const KEVec2* pe, float r0,
                                     const KEVec2* centre, float r1, KEVec2* pi);
float KEReflectAnimatedCircleOnStaticCircle(const KEVec2* ps, const KEVec2* pe, float r0,
                                            const KEVec2* centre, float r1, KEVec2* pi, KEVec2* r);
