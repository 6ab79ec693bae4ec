#include "KEMatrix.h"

#include <cmath>
#include <cstdio>

static const float kEpsilon = 0.00001f;

static bool Near(float a, float b) { return std::fabs(a - b) < kEpsilon; }

static bool NearZero(float a) { return a > -kEpsilon && a < kEpsilon; }

Matrix4::Matrix4() : m{} {}

Matrix4::Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
                 float m13, float m20, float m21, float m22, float m23, float m30, float m31,
                 float m32, float m33)
    : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33} {}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
  Matrix4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i * 4 + j] += m[i * 4 + k] * other.m[k * 4 + j];
  return r;
}

// Vectors and points go through the same four dot products, w included.
static void Transform(const float* m, const float* in, float* out) {
  for (int i = 0; i < 4; ++i)
    out[i] = m[i * 4] * in[0] + m[i * 4 + 1] * in[1] + m[i * 4 + 2] * in[2] + m[i * 4 + 3] * in[3];
}

Vector4 Matrix4::operator*(const Vector4& v) const {
  float in[4] = {v.x, v.y, v.z, v.w}, out[4];
  Transform(m, in, out);
  return Vector4(out[0], out[1], out[2], out[3]);
}

Point4 Matrix4::operator*(const Point4& p) const {
  float in[4] = {p.x, p.y, p.z, p.w}, out[4];
  Transform(m, in, out);
  return Point4(out[0], out[1], out[2], out[3]);
}

Matrix4 Matrix4::operator*(float s) const {
  Matrix4 r(*this);
  return r *= s;
}

Matrix4 Matrix4::operator/(float s) const {
  Matrix4 r(*this);
  return r /= s;
}

Matrix4 Matrix4::operator+(const Matrix4& other) const {
  Matrix4 r(*this);
  return r += other;
}

Matrix4 Matrix4::operator-(const Matrix4& other) const {
  Matrix4 r(*this);
  return r -= other;
}

Matrix4& Matrix4::operator+=(const Matrix4& other) {
  for (int i = 0; i < 16; ++i) m[i] += other.m[i];
  return *this;
}

Matrix4& Matrix4::operator-=(const Matrix4& other) {
  for (int i = 0; i < 16; ++i) m[i] -= other.m[i];
  return *this;
}

Matrix4& Matrix4::operator*=(const Matrix4& other) { return *this = *this * other; }

Matrix4& Matrix4::operator*=(float s) {
  for (float& e : m) e *= s;
  return *this;
}

Matrix4& Matrix4::operator/=(float s) { return *this *= 1.0f / s; }

bool Matrix4::operator==(const Matrix4& other) const {
  for (int i = 0; i < 16; ++i)
    if (!Near(m[i], other.m[i])) return false;
  return true;
}

bool Matrix4::operator!=(const Matrix4& other) const { return !(*this == other); }

void Matrix4::Zero() { *this = Matrix4(); }

void Matrix4::Identity() {
  Zero();
  m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void Matrix4::Print() const {
  std::printf("--------------------------\n");
  for (int i = 0; i < 4; ++i)
    std::printf("%5.3f %5.3f %5.3f %5.3f\n", m[i * 4], m[i * 4 + 1], m[i * 4 + 2], m[i * 4 + 3]);
  std::printf("--------------------------\n");
}

Vector4::Vector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}

Vector4::Vector4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

Vector4 Vector4::operator-() const { return Vector4(-x, -y, -z, -w); }

Vector4 Vector4::operator+(const Vector4& o) const {
  return Vector4(x + o.x, y + o.y, z + o.z, w + o.w);
}

Vector4 Vector4::operator-(const Vector4& o) const {
  return Vector4(x - o.x, y - o.y, z - o.z, w - o.w);
}

Vector4 Vector4::operator*(float s) const { return Vector4(x * s, y * s, z * s, w * s); }

Vector4 Vector4::operator/(float s) const { return *this * (1.0f / s); }

Vector4& Vector4::operator+=(const Vector4& o) { return *this = *this + o; }

Vector4& Vector4::operator-=(const Vector4& o) { return *this = *this - o; }

Vector4& Vector4::operator*=(float s) { return *this = *this * s; }

Vector4& Vector4::operator/=(float s) { return *this = *this / s; }

bool Vector4::operator==(const Vector4& o) const {
  return Near(x, o.x) && Near(y, o.y) && Near(z, o.z) && Near(w, o.w);
}

bool Vector4::operator!=(const Vector4& o) const { return !(*this == o); }

float Vector4::Dot(const Vector4& o) const { return x * o.x + y * o.y + z * o.z; }

Vector4 Vector4::Cross(const Vector4& o) const {
  return Vector4(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x, 0.0f);
}

float Vector4::Length() const { return std::sqrt(LengthSq()); }

float Vector4::LengthSq() const { return x * x + y * y + z * z + w * w; }

void Vector4::Normalize() {
  float len = Length();
  if (NearZero(len)) return;
  x /= len;
  y /= len;
  z /= len;
  w /= len;
}

void Vector4::Zero() { *this = Vector4(); }

void Vector4::Print() const { std::printf("%5.3f, %5.3f, %5.3f, %5.3f\n", x, y, z, w); }

Point4::Point4() : x(0.0f), y(0.0f), z(0.0f), w(1.0f) {}

Point4::Point4(float x, float y, float z, float w) : x(x), y(y), z(z), w(w) {}

Vector4 Point4::operator-(const Point4& o) const {
  return Vector4(x - o.x, y - o.y, z - o.z, w - o.w);
}

Point4 Point4::operator+(const Vector4& v) const {
  return Point4(x + v.x, y + v.y, z + v.z, w + v.w);
}

Point4 Point4::operator-(const Vector4& v) const {
  return Point4(x - v.x, y - v.y, z - v.z, w - v.w);
}

Point4 Point4::operator-() const { return Point4(-x, -y, -z, -w); }

Point4& Point4::operator+=(const Vector4& v) { return *this = *this + v; }

Point4& Point4::operator-=(const Vector4& v) { return *this = *this - v; }

bool Point4::operator==(const Point4& o) const {
  return Near(x, o.x) && Near(y, o.y) && Near(z, o.z) && Near(w, o.w);
}

bool Point4::operator!=(const Point4& o) const { return !(*this == o); }

void Point4::Zero() { *this = Point4(); }

void Point4::Print() const { std::printf("%5.3f, %5.3f, %5.3f, %5.3f\n", x, y, z, w); }

Matrix4 Matrix4Translation(const Vector4& t) {
  Matrix4 r;
  r.Identity();
  r.m[3] = t.x;
  r.m[7] = t.y;
  r.m[11] = t.z;
  return r;
}

Matrix4 Matrix4Basis(const Vector4& x, const Vector4& y, const Vector4& z) {
  const Vector4* axes[3] = {&x, &y, &z};
  Matrix4 r;
  r.Identity();
  for (int col = 0; col < 3; ++col) {
    Vector4 v = *axes[col];
    v.Normalize();
    r.m[col] = v.x;
    r.m[4 + col] = v.y;
    r.m[8 + col] = v.z;
  }
  return r;
}

Matrix4 Matrix4Transpose(const Matrix4& a) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) r.m[j * 4 + i] = a.m[i * 4 + j];
  return r;
}

Matrix4 Matrix4LookAt(const Point4& eye, const Point4& target, const Vector4& up) {
  Vector4 forward = eye - target;
  forward.Normalize();
  Vector4 right = up.Cross(forward);
  right.Normalize();
  // Up is taken as given, not re-orthogonalised; the basis only normalises it.
  Matrix4 rotation = Matrix4Transpose(Matrix4Basis(right, up, forward));
  return rotation * Matrix4Translation(Vector4(-eye.x, -eye.y, -eye.z, 0.0f));
}
