#include "KEMath.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>

static uint32_t Bits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

// The tuning depends on these exact floats, not on the nearest ones to pi / 180.
TEST(MathScalar, AngleFactorsHaveExactBits) {
  EXPECT_EQ(Bits(KEDegToRad(1.0f)), 0x3C8EFA35u);
  EXPECT_EQ(Bits(KERadToDeg(1.0f)), 0x42652EE2u);
}

TEST(MathScalar, WrapAndClamp) {
  struct Case { float x, low, high, wrap, clamp; };
  const Case cases[] = {
      {370.0f, 0.0f, 360.0f, 10.0f, 360.0f},
      {-10.0f, 0.0f, 360.0f, 350.0f, 0.0f},
      {800.0f, 0.0f, 360.0f, 440.0f, 360.0f},  // wrap steps once only
      {360.0f, 0.0f, 360.0f, 360.0f, 360.0f},  // both ends are inside
      {-5.0f, 10.0f, 0.0f, -15.0f, 10.0f},     // low > high: low wins below
      {20.0f, 10.0f, 0.0f, 30.0f, 0.0f},       // and high wins above
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(KEWrap(c.x, c.low, c.high), c.wrap) << c.x;
    EXPECT_FLOAT_EQ(KEClamp(c.x, c.low, c.high), c.clamp) << c.x;
  }
}

TEST(MathScalar, PowersOfTwo) {
  struct Case { unsigned int a, next, log; };
  const Case cases[] = {
      {0u, 1u, 0u},    {1u, 2u, 0u},       {2u, 4u, 1u},         {5u, 8u, 2u},
      {16u, 32u, 4u},  {1023u, 1024u, 9u}, {1024u, 2048u, 10u},  {0x80000000u, 0u, 31u},
      {0xFFFFFFFFu, 0u, 31u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KENextPowOf2(c.a), c.next) << c.a;
    EXPECT_EQ(KELogBase2(c.a), c.log) << c.a;
  }

  struct IsCase { int a, expected; };
  const IsCase isCases[] = {{0, 0}, {1, 1}, {6, 0}, {64, 1}, {-4, 0}, {INT_MIN, 1}};
  for (const IsCase& c : isCases) EXPECT_EQ(KEIsPowOf2(c.a), c.expected) << c.a;
}

using BinaryOp = void (*)(KEVec2*, const KEVec2*, const KEVec2*);

static void ScaleAdd2(KEVec2* r, const KEVec2* a, const KEVec2* b) { KEVec2ScaleAdd(r, a, b, 2); }
static void ScaleSub2(KEVec2* r, const KEVec2* a, const KEVec2* b) { KEVec2ScaleSub(r, a, b, 2); }
static void Lerp2(KEVec2* r, const KEVec2* a, const KEVec2* b) { KEVec2Lerp(r, a, b, 2); }
static void NormalizeA(KEVec2* r, const KEVec2* a, const KEVec2*) { KEVec2Normalize(r, a); }

static void ExpectVec(const KEVec2& v, const KEVec2& expected, const char* what) {
  EXPECT_FLOAT_EQ(v.x, expected.x) << what;
  EXPECT_FLOAT_EQ(v.y, expected.y) << what;
}

TEST(MathVec2, ResultsSurviveAliasing) {
  const KEVec2 a = {3.0f, 4.0f}, b = {2.0f, 0.0f};
  struct Case { const char* name; BinaryOp run; KEVec2 expected; };
  const Case cases[] = {
      {"ScaleAdd", ScaleAdd2, {8.0f, 8.0f}},       {"ScaleSub", ScaleSub2, {4.0f, 8.0f}},
      {"Project", KEVec2Project, {3.0f, 0.0f}},    {"ProjectPerp", KEVec2ProjectPerp, {0.0f, 4.0f}},
      {"Lerp", Lerp2, {1.0f, -4.0f}},              {"Normalize", NormalizeA, {0.6f, 0.8f}},
  };
  for (const Case& c : cases) {
    KEVec2 r, inA = a, inB = b;
    c.run(&r, &a, &b);
    ExpectVec(r, c.expected, c.name);
    // Writing over either input must give the same answer.
    c.run(&inA, &inA, &inB);
    ExpectVec(inA, c.expected, c.name);
    inA = a;
    c.run(&inB, &inA, &inB);
    ExpectVec(inB, c.expected, c.name);
  }
  EXPECT_FLOAT_EQ(KEVec2Length(&a), 5.0f);
}

TEST(MathVec2, CrossProductSign) {
  const KEVec2 x = {1.0f, 0.0f}, y = {0.0f, 1.0f};
  EXPECT_FLOAT_EQ(KEVec2CrossProductMag(&x, &y), 1.0f);
  EXPECT_FLOAT_EQ(KEVec2CrossProductMag(&y, &x), -1.0f);
}

// Rectangles 4 x 2 and shapes at the origin unless a row says otherwise; segments from
// the origin to (4, 0).
const KEVec2 kOrigin = {0, 0};
const KEVec2 kFourRight = {4, 0};

TEST(MathCollision, DistancesAreNegativeByTheOverlap) {
  const struct {
    const char* what;
    float (*distance)(KEVec2);  // from the row's point
    KEVec2 p;
    float want;
  } cases[] = {
      {"rect centre",
       [](KEVec2 p) { return KECalcDistPointToRect(&p, &kOrigin, 4, 2); },
       {0, 0},
       -1},
      {"inside, nearer the top",
       [](KEVec2 p) { return KECalcDistPointToRect(&p, &kOrigin, 4, 2); },
       {1.5f, 0.5f},
       -0.5f},
      {"3 right of the rect centre",
       [](KEVec2 p) { return KECalcDistPointToRect(&p, &kOrigin, 4, 2); },
       {3, 0},
       1},
      {"off a rect corner",
       [](KEVec2 p) { return KECalcDistPointToRect(&p, &kOrigin, 4, 2); },
       {5, 5},
       5},
      {"circle 0.5 beside the rect",
       [](KEVec2 p) { return KECalcDistCircleToRect(&p, 0.5f, &kOrigin, 4, 2); },
       {3, 0},
       0.5f},
      {"point to circle 2",
       [](KEVec2 p) { return KECalcDistPointToCircle(&p, &kOrigin, 2); },
       {3, 4},
       3},
      {"circles 1 and 1 apart",
       [](KEVec2 p) { return KECalcDistCircleToCircle(&p, 1, &kOrigin, 1); },
       {5, 0},
       3},
      {"circles 2 and 2 overlapping",
       [](KEVec2 p) { return KECalcDistCircleToCircle(&p, 2, &kOrigin, 2); },
       {3, 0},
       -1},
      {"above the segment",
       [](KEVec2 p) { return KECalcDistPointToLineSeg(&p, &kOrigin, &kFourRight); },
       {2, 3},
       3},
      {"before its start",
       [](KEVec2 p) { return KECalcDistPointToLineSeg(&p, &kOrigin, &kFourRight); },
       {-3, 4},
       5},
      {"past its end",
       [](KEVec2 p) { return KECalcDistPointToLineSeg(&p, &kOrigin, &kFourRight); },
       {7, 4},
       5},
      {"segment of no length",
       [](KEVec2 p) { return KECalcDistPointToLineSeg(&p, &kFourRight, &kFourRight); },
       {7, 4},
       5},
      {"convex polygon",
       [](KEVec2 p) { return KECalcDistPointToConvexPoly(&p, &kOrigin, 1); },
       {9, 9},
       -1},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(c.distance(c.p), c.want) << c.what;
}

TEST(MathCollision, RectanglesPushOutAlongTheShallowerAxis) {
  const KEVec2& o = kOrigin;
  const KEVec2 untouched = {9, 9};
  const struct {
    KEVec2 second;  // a 4 x 2 rectangle against a 4 x 2 at the origin
    float want;
    KEVec2 normal;
    int overlap;
  } cases[] = {
      {{4, 0}, 0, untouched, 1},  // touching: no depth, but the overlap test counts it
      {{4.01f, 0}, 0, untouched, 0},     {{3, 0.5f}, -1, {-1, 0}, 1},
      {{-3, 0.5f}, -1, {1, 0}, 1},       {{0.5f, 1.5f}, -0.5f, {0, -1}, 1},
      {{0.5f, -1.5f}, -0.5f, {0, 1}, 1}, {{3, 1}, -1, {-1, 0}, 1},  // a tie goes to x
  };
  for (const auto& c : cases) {
    KEVec2 normal = untouched;
    EXPECT_FLOAT_EQ(KECalcDistRectToRect(&o, 4, 2, &c.second, 4, 2, &normal), c.want)
        << c.second.x << ", " << c.second.y;
    ExpectVec(normal, c.normal, "normal");
    EXPECT_EQ(KETestRectToRect(&o, 4, 2, &c.second, 4, 2), c.overlap);
  }
  EXPECT_FLOAT_EQ(KECalcDistRectToRect(&o, 4, 2, &o, 4, 2, nullptr), -2) << "no normal asked";
}

TEST(MathCollision, TouchingCountsAsOverlapButForCircleAndRect) {
  const struct {
    const char* what;
    int (*test)(KEVec2);
    KEVec2 p;
    int want;
  } cases[] = {
      {"point on a rect corner",
       [](KEVec2 p) { return KETestPointToRect(&p, &kOrigin, 4, 2); },
       {2, 1},
       1},
      {"point just outside",
       [](KEVec2 p) { return KETestPointToRect(&p, &kOrigin, 4, 2); },
       {2.01f, 0},
       0},
      {"point on a circle",
       [](KEVec2 p) { return KETestPointToCircle(&p, &kOrigin, 1); },
       {0, 1},
       1},
      {"circles touching",
       [](KEVec2 p) { return KETestCircleToCircle(&p, 1, &kOrigin, 1); },
       {2, 0},
       1},
      {"circles apart",
       [](KEVec2 p) { return KETestCircleToCircle(&p, 1, &kOrigin, 1); },
       {2.01f, 0},
       0},
      {"circle touching a rect",
       [](KEVec2 p) { return KETestCircleToRect(&p, 0.5f, &kOrigin, 4, 2); },
       {2.5f, 0},
       0},
      {"circle into a rect",
       [](KEVec2 p) { return KETestCircleToRect(&p, 0.5f, &kOrigin, 4, 2); },
       {2.4f, 0},
       1},
      {"dot inside a rect",
       [](KEVec2 p) { return KETestCircleToRect(&p, 0, &kOrigin, 4, 2); },
       {1, 0},
       1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.test(c.p), c.want) << c.what;
}

// The segment from (-1, 0) to (1, 0) facing up.
const KELineSegment kFloor = {{-1, 0}, {1, 0}, {0, 1}, 0};

enum Sweep { PointOnSegment, CircleOnSegment, PointOnCircle, CircleOnCircle };

// The plain sweep of each kind, or the one that also reflects when r is given.
float RunSweep(Sweep kind, const KEVec2& ps, const KEVec2& pe, KEVec2* pi, KEVec2* r) {
  switch (kind) {
    case PointOnSegment:
      return r ? KEReflectAnimatedPointOnStaticLineSegment(&ps, &pe, &kFloor, pi, r)
               : KEAnimatedPointToStaticLineSegment(&ps, &pe, &kFloor, pi);
    case CircleOnSegment:
      return r ? KEReflectAnimatedCircleOnStaticLineSegment(&ps, &pe, 0.5f, &kFloor, pi, r)
               : KEAnimatedCircleToStaticLineSegment(&ps, &pe, 0.5f, &kFloor, pi);
    case PointOnCircle:
      return r ? KEReflectAnimatedPointOnStaticCircle(&ps, &pe, &kOrigin, 1, pi, r)
               : KEAnimatedPointToStaticCircle(&ps, &pe, &kOrigin, 1, pi);
    case CircleOnCircle:
      return r ? KEReflectAnimatedCircleOnStaticCircle(&ps, &pe, 0.5f, &kOrigin, 0.5f, pi, r)
               : KEAnimatedCircleToStaticCircle(&ps, &pe, 0.5f, &kOrigin, 0.5f, pi);
  }
  return 0;
}

TEST(MathCollision, SweptContactsAndReflections) {
  const KEVec2 none = {99, 99};  // what an output nobody wrote still holds
  const struct {
    const char* what;
    Sweep kind;
    KEVec2 ps, pe;
    float t;
    KEVec2 pi, r;
  } cases[] = {
      {"crossing the middle", PointOnSegment, {0, -1}, {0, 1}, 0.5f, {0, 0}, {0, -1}},
      {"crossing at a slant", PointOnSegment, {-1, 1}, {1, -1}, 0.5f, {0, 0}, {1, 1}},
      {"crossing beyond an end", PointOnSegment, {2, -1}, {2, 1}, -1, none, none},
      {"crossing at one end", PointOnSegment, {1, -1}, {1, 1}, 0.5f, {1, 0}, {0, -1}},
      {"crossing at the other end", PointOnSegment, {-1, 1}, {-1, -1}, 0.5f, {-1, 0}, {0, 1}},
      {"along the line", PointOnSegment, {-0.5f, 0}, {0.5f, 0}, -1, none, none},
      {"staying in front", PointOnSegment, {0, 1}, {0, 2}, -1, none, none},
      {"leaving from the line", PointOnSegment, {0, 0}, {0, 1}, 0, {0, 0}, none},
      {"circle from behind", CircleOnSegment, {0, -2}, {0, 2}, 0.375f, {0, -0.5f}, {0, -2.5f}},
      {"circle from in front", CircleOnSegment, {0, 2}, {0, -2}, 0.375f, {0, 0.5f}, {0, 2.5f}},
      {"circle passing in front", CircleOnSegment, {-2, 1}, {2, 0.6f}, -1, none, none},
      {"entering a circle", PointOnCircle, {-3, 0}, {3, 0}, 1 / 3.0f, {-1, 0}, {-2, 0}},
      {"missing a circle", PointOnCircle, {-3, 2}, {3, 2}, -1, none, none},
      {"stopping short", PointOnCircle, {-3, 0}, {-2, 0}, -1, {-1, 0}, none},
      {"leaving from inside", PointOnCircle, {0.5f, 0}, {3, 0}, -1, none, none},
      {"inside, heading in", PointOnCircle, {-0.5f, 0}, {3, 0}, -0.5f / 3.5f, {-1, 0}, none},
      {"circle behind the motion", PointOnCircle, {3, 0}, {5, 0}, -2, {-1, 0}, none},
      {"not moving", PointOnCircle, {-3, 0}, {-3, 0}, -1, none, none},
      {"circles meeting", CircleOnCircle, {-5, 0}, {5, 0}, 0.4f, {-1, 0}, {-4, 0}},
  };
  for (const auto& c : cases) {
    for (bool reflect : {false, true}) {
      KEVec2 pi = none, r = none;
      const float t = RunSweep(c.kind, c.ps, c.pe, &pi, reflect ? &r : nullptr);
      EXPECT_NEAR(t, c.t, 1e-6f) << c.what;
      ExpectVec(pi, c.pi, c.what);
      if (reflect) ExpectVec(r, c.r, c.what);
    }
  }
  EXPECT_FLOAT_EQ(KEStaticPointToStaticLineSegment(&kOrigin, &kFloor), 0);
  const KEVec2 below = {7, -2};
  EXPECT_FLOAT_EQ(KEStaticPointToStaticLineSegment(&below, &kFloor), -2);
}
