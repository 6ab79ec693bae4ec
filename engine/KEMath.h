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
