// Matrix module: 4x4 matrix, direction and position types for the camera code.
// Equality is approximate: every component pair within (strictly) 0.00001.
#pragma once

struct Vector4;
struct Point4;

// Row-major: m[row * 4 + col]; an affine matrix keeps its translation in column 3.
struct Matrix4 {
  float m[16];

  Matrix4();  // all zeros, not the identity
  Matrix4(float m00, float m01, float m02, float m03, float m10, float m11, float m12,
          float m13, float m20, float m21, float m22, float m23, float m30, float m31,
          float m32, float m33);

  Matrix4 operator*(const Matrix4& other) const;
  Vector4 operator*(const Vector4& v) const;  // w takes part
  Point4 operator*(const Point4& p) const;    // w takes part
  Matrix4 operator*(float s) const;
  Matrix4 operator/(float s) const;  // times 1 / s
  Matrix4 operator+(const Matrix4& other) const;
  Matrix4 operator-(const Matrix4& other) const;
  Matrix4& operator+=(const Matrix4& other);
  Matrix4& operator-=(const Matrix4& other);
  Matrix4& operator*=(const Matrix4& other);  // this := this * other
  Matrix4& operator*=(float s);
  Matrix4& operator/=(float s);
  bool operator==(const Matrix4& other) const;
  bool operator!=(const Matrix4& other) const;

  void Zero();
  void Identity();
  void Print() const;
};

struct Vector4 {
  float x, y, z, w;

  Vector4();  // (0, 0, 0, 0)
  Vector4(float x, float y, float z, float w);

  Vector4 operator-() const;
  Vector4 operator+(const Vector4& other) const;
  Vector4 operator-(const Vector4& other) const;
  Vector4 operator*(float s) const;
  Vector4 operator/(float s) const;  // times 1 / s
  Vector4& operator+=(const Vector4& other);
  Vector4& operator-=(const Vector4& other);
  Vector4& operator*=(float s);
  Vector4& operator/=(float s);
  bool operator==(const Vector4& other) const;
  bool operator!=(const Vector4& other) const;

  float Dot(const Vector4& other) const;      // x, y, z only
  Vector4 Cross(const Vector4& other) const;  // w of the result is 0
  float Length() const;                       // w included
  float LengthSq() const;                     // w included
  void Normalize();  // a length within 0.00001 of zero leaves it unchanged
  void Zero();
  void Print() const;
};

struct Point4 {
  float x, y, z, w;

  Point4();  // (0, 0, 0, 1)
  Point4(float x, float y, float z, float w);

  Vector4 operator-(const Point4& other) const;
  Point4 operator+(const Vector4& v) const;
  Point4 operator-(const Vector4& v) const;
  Point4 operator-() const;
  Point4& operator+=(const Vector4& v);
  Point4& operator-=(const Vector4& v);
  bool operator==(const Point4& other) const;
  bool operator!=(const Point4& other) const;

  void Zero();  // (0, 0, 0, 1)
  void Print() const;
};

// Camera builders
Matrix4 Matrix4Translation(const Vector4& t);  // identity with t.x, t.y, t.z in column 3
// x, y, z normalised into columns 0 to 2 of the upper 3x3; the rest is identity
Matrix4 Matrix4Basis(const Vector4& x, const Vector4& y, const Vector4& z);
Matrix4 Matrix4Transpose(const Matrix4& a);
// transpose(basis(right, up, forward)) * translation(-eye), forward = eye - target
Matrix4 Matrix4LookAt(const Point4& eye, const Point4& target, const Vector4& up);
