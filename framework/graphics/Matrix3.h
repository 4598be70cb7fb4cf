#pragma once
// A 3 x 3 float matrix for 2-D transforms; points are column vectors
// (x, y, 1). Translate, Rotate and Scale act after what the matrix already
// holds.
namespace Plix {

struct Vector2 {
  float mX = 0;
  float mY = 0;
};

struct Vector3 {
  float mX = 0;
  float mY = 0;
  float mZ = 0;
};

class Matrix3 {
public:
  float m[3][3];

  Matrix3() { LoadIdentity(); }

  void LoadIdentity();
  // This becomes other x this, computed in double.
  void Multiply(const Matrix3& other);
  Vector2 TransformPoint(float x, float y) const;
  Vector3 MultiplyVector(const Vector3& v) const;
  void Translate(float tx, float ty);
  // Turns counter-clockwise on the screen for a positive angle (radians).
  void Rotate(float angle);
  void Scale(float sx, float sy);
  void Assign(const Matrix3& other) { *this = other; }
};

}  // namespace Plix
