#include "KEMatrix.h"

#include <gtest/gtest.h>

TEST(Matrix4, DefaultIsZeroNotIdentity) {
  Matrix4 m;
  for (float e : m.m) EXPECT_EQ(e, 0.0f);
  m.Identity();
  EXPECT_EQ(m, Matrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
}

TEST(Matrix4, ApproximateEquality) {
  struct Case { int element; float delta; bool equal; };
  const Case cases[] = {{0, 0.000001f, true}, {15, 0.000001f, true},
                        {0, 0.0001f, false},  {15, 0.0001f, false}};
  for (const Case& c : cases) {
    Matrix4 a, b;
    a.Identity();
    b.Identity();
    b.m[c.element] += c.delta;
    EXPECT_EQ(a == b, c.equal) << c.element << " " << c.delta;
    EXPECT_EQ(a != b, !c.equal) << c.element << " " << c.delta;
  }
  EXPECT_EQ(Vector4(1, 2, 3, 4), Vector4(1, 2, 3, 4.000001f));
  EXPECT_NE(Vector4(1, 2, 3, 4), Vector4(1, 2, 3, 4.0001f));
  EXPECT_NE(Point4(1, 2, 3, 1), Point4(1, 2, 3, 1.0001f));
}

TEST(Matrix4, ProductOrder) {
  const Matrix4 a(1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  const Matrix4 b(1, 0, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  const Matrix4 ab(7, 2, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  EXPECT_EQ(a * b, ab);
  EXPECT_NE(b * a, ab);
  Matrix4 c = a;
  c *= b;
  EXPECT_EQ(c, ab);
}

// w picks whether the translation column applies: points move, directions do not.
TEST(Matrix4, TranslationMovesPointsOnly) {
  const Matrix4 t = Matrix4Translation(Vector4(5, 6, 7, 0));
  EXPECT_EQ(t * Point4(1, 1, 1, 1), Point4(6, 7, 8, 1));
  EXPECT_EQ(t * Vector4(1, 1, 1, 0), Vector4(1, 1, 1, 0));
}

TEST(Vector4, DotCrossLength) {
  EXPECT_FLOAT_EQ(Vector4(1, 2, 3, 4).Dot(Vector4(1, 1, 1, 1)), 6.0f);
  EXPECT_FLOAT_EQ(Vector4(0, 0, 0, 2).Length(), 2.0f);
  EXPECT_EQ(Vector4(1, 0, 0, 5).Cross(Vector4(0, 1, 0, 5)), Vector4(0, 0, 1, 0));
  EXPECT_EQ(Vector4(0, 1, 0, 0).Cross(Vector4(1, 0, 0, 0)), Vector4(0, 0, -1, 0));
}

TEST(Vector4, Normalize) {
  struct Case { Vector4 in, out; };
  const Case cases[] = {
      {Vector4(0, 3, 0, 4), Vector4(0, 0.6f, 0, 0.8f)},
      {Vector4(0, 0, 0, 0), Vector4(0, 0, 0, 0)},
      {Vector4(0.000005f, 0, 0, 0), Vector4(0.000005f, 0, 0, 0)},  // too short to trust
  };
  for (const Case& c : cases) {
    Vector4 v = c.in;
    v.Normalize();
    EXPECT_EQ(v, c.out);
  }
}

TEST(Point4, DefaultsAndDifference) {
  EXPECT_EQ(Point4(), Point4(0, 0, 0, 1));
  EXPECT_EQ(Vector4(), Vector4(0, 0, 0, 0));
  EXPECT_EQ(Point4(4, 5, 6, 1) - Point4(1, 1, 1, 1), Vector4(3, 4, 5, 0));
  EXPECT_EQ(Point4(1, 1, 1, 1) + Vector4(1, 2, 3, 0), Point4(2, 3, 4, 1));
}

TEST(Matrix4, PrintFormats) {
  Matrix4 m;
  m.Identity();
  testing::internal::CaptureStdout();
  m.Print();
  Vector4(1, 2, 3, 0).Print();
  Point4(-1, 0.5f, 0, 1).Print();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "--------------------------\n"
            "1.000 0.000 0.000 0.000\n0.000 1.000 0.000 0.000\n"
            "0.000 0.000 1.000 0.000\n0.000 0.000 0.000 1.000\n"
            "--------------------------\n"
            "1.000, 2.000, 3.000, 0.000\n"
            "-1.000, 0.500, 0.000, 1.000\n");
}

TEST(Matrix4, BasisNormalisesColumnsAndSkipsZero) {
  const Matrix4 b = Matrix4Basis(Vector4(2, 0, 0, 0), Vector4(0, 0, 0, 0), Vector4(0, 3, 4, 0));
  EXPECT_EQ(b, Matrix4(1, 0, 0, 0, 0, 0, 0.6f, 0, 0, 0, 0.8f, 0, 0, 0, 0, 1));
  EXPECT_EQ(Matrix4Transpose(b), Matrix4(1, 0, 0, 0, 0, 0, 0, 0, 0, 0.6f, 0.8f, 0, 0, 0, 0, 1));
}

// The game camera: looking down -z from height 60 must shift the world by the camera only.
TEST(Matrix4, LookAtCamera) {
  struct Case { float cx, cy; Point4 world; };
  const Case cases[] = {
      {0, 0, Point4(400, 300, 0, 1)},
      {100, 50, Point4(100, 50, 0, 1)},
      {-250, 1200, Point4(-400, 900, 0, 1)},
  };
  for (const Case& c : cases) {
    const Matrix4 view =
        Matrix4LookAt(Point4(c.cx, c.cy, 60, 1), Point4(c.cx, c.cy, 0, 1), Vector4(0, 1, 0, 0));
    const Point4 expected(c.world.x - c.cx, c.world.y - c.cy, -60, 1);
    EXPECT_EQ(view * c.world, expected) << c.cx << "," << c.cy;
  }
}

// Whatever the direction, the target lands straight ahead on -z; the up length does not matter.
TEST(Matrix4, LookAtTargetAhead) {
  struct Case { Point4 eye, target; Vector4 up; float distance; };
  const Case cases[] = {
      {Point4(0, 0, 0, 1), Point4(1, 0, 0, 1), Vector4(0, 1, 0, 0), 1.0f},
      {Point4(1, 2, 3, 1), Point4(1, 2, -7, 1), Vector4(0, 5, 0, 0), 10.0f},
      {Point4(0, 0, 0, 1), Point4(0, 0, 4, 1), Vector4(0, 1, 0, 0), 4.0f},
  };
  for (const Case& c : cases) {
    const Matrix4 view = Matrix4LookAt(c.eye, c.target, c.up);
    EXPECT_EQ(view * c.target, Point4(0, 0, -c.distance, 1));
    EXPECT_EQ(view * c.eye, Point4(0, 0, 0, 1));
  }
}
