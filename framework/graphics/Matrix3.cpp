#include "framework/graphics/Matrix3.h"

#include <cmath>

namespace Plix {

void Matrix3::LoadIdentity() {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0f : 0.0f;
}

void Matrix3::Multiply(const Matrix3& other) {
  float r[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += double(other.m[i][k]) * double(m[k][j]);
      r[i][j] = float(sum);
    }
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = r[i][j];
}

Vector2 Matrix3::TransformPoint(float x, float y) const {
  return Vector2{m[0][0] * x + m[0][1] * y + m[0][2], m[1][0] * x + m[1][1] * y + m[1][2]};
}

Vector3 Matrix3::MultiplyVector(const Vector3& v) const {
  return Vector3{m[0][0] * v.mX + m[0][1] * v.mY + m[0][2] * v.mZ, m[1][0] * v.mX + m[1][1] * v.mY + m[1][2] * v.mZ,
                 m[2][0] * v.mX + m[2][1] * v.mY + m[2][2] * v.mZ};
}

void Matrix3::Translate(float tx, float ty) {
  Matrix3 t;
  t.m[0][2] = tx;
  t.m[1][2] = ty;
  Multiply(t);
}

void Matrix3::Rotate(float angle) {
  Matrix3 t;
  float c = std::cos(angle), s = std::sin(angle);
  t.m[0][0] = c;
  t.m[0][1] = s;
  t.m[1][0] = -s;
  t.m[1][1] = c;
  Multiply(t);
}

void Matrix3::Scale(float sx, float sy) {
  Matrix3 t;
  t.m[0][0] = sx;
  t.m[1][1] = sy;
  Multiply(t);
}

}  // namespace Plix
