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
