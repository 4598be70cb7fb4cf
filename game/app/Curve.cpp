#include "game/app/Curve.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace Plix {

namespace {

float Clamp01(float t) {
  if (t < 0.0f) return 0.0f;
  if (t > 1.0f) return 1.0f;
  return t;
}

struct Quadratic {
  float b0, b1, b2;
  explicit Quadratic(float t) {
    t = Clamp01(t);
    float u = 1.0f - t;
    b0 = u * u;
    b1 = 2.0f * (t - t * t);
    b2 = t * t;
  }
  float Of(float p0, float p1, float p2) const {
    return static_cast<float>(double(b0) * p0 + double(b1) * p1 + double(b2) * p2);
  }
};

}  // namespace

void Curve::Evaluate(float t, float& x, float& y) const {
  Quadratic q(t);
  x = q.Of(mX0, mX1, mX2);
  y = q.Of(mY0, mY1, mY2);
}

float Curve::GetX(float t) const { return Quadratic(t).Of(mX0, mX1, mX2); }

void Curve3D::Evaluate(float t, float& x, float& y, float& z) const {
  Quadratic q(t);
  x = q.Of(mX0, mX1, mX2);
  y = q.Of(mY0, mY1, mY2);
  z = q.Of(mZ0, mZ1, mZ2);
}

float Curve3D::GetX(float t) const { return Quadratic(t).Of(mX0, mX1, mX2); }
float Curve3D::GetY(float t) const { return Quadratic(t).Of(mY0, mY1, mY2); }

void CubicCurve::Evaluate(float t, float& x, float& y) const {
  t = Clamp01(t);
  float u = 1.0f - t;
  float b0 = u * u * u;
  float b1 = 3.0f * u * u * t;
  float b2 = 3.0f * u * t * t;
  float b3 = t * t * t;
  x = static_cast<float>(double(b0) * mX0 + double(b1) * mX1 + double(b2) * mX2 + double(b3) * mX3);
  y = static_cast<float>(double(b0) * mY0 + double(b1) * mY1 + double(b2) * mY2 + double(b3) * mY3);
}

float FastSqrt(float v) { return static_cast<float>(std::sqrt(double(v))); }

void NormalizeVector(float& a, float& b) {
  if (a == 0.0f && b == 0.0f) return;
  float length = FastSqrt(a * a + b * b);
  float f = 1.0f / length;
  a *= f;
  b *= f;
}

void EvalClosedSpline(const float points[kClosedSplinePoints][2], float t, float tension, float& x, float& y) {
  const int n = kClosedSplinePoints;
  float u = t * n;
  // Callers stay within 0..1; anything else still lands on the path.
  if (!(u > -1e6f && u < 1e6f)) u = 0.0f;
  int i = static_cast<int>(u);
  float s = u - static_cast<float>(i);
  int p1 = ((i % n) + n) % n;
  int p2 = (p1 + 1) % n;
  int p3 = (p1 + 2) % n;
  int p0 = (p1 + n - 1) % n;
  float w = 1.0f - s;
  float w0 = w * w * w, w1 = 3.0f * w * w * s, w2 = 3.0f * w * s * s, w3 = s * s * s;
  float out[2];
  for (int c = 0; c < 2; ++c) {
    float c1 = points[p1][c] + tension * (points[p2][c] - points[p0][c]);
    float c2 = points[p2][c] - tension * (points[p3][c] - points[p1][c]);
    out[c] = w0 * points[p1][c] + w1 * c1 + w2 * c2 + w3 * points[p2][c];
  }
  x = out[0];
  y = out[1];
}

void FormatNumberWithCommas(char* text, size_t size, int n) {
  if (size == 0) return;
  char digits[16];
  std::snprintf(digits, sizeof(digits), "%d", n);
  const char* d = digits;
  char out[24];
  size_t o = 0;
  if (*d == '-') out[o++] = *d++;
  size_t len = std::strlen(d);
  size_t first = len % 3 == 0 ? 3 : len % 3;
  for (size_t i = 0; i < len; ++i) {
    if (i == first || (i > first && (i - first) % 3 == 0)) out[o++] = ',';
    out[o++] = d[i];
  }
  size_t keep = o < size - 1 ? o : size - 1;
  std::memcpy(text, out, keep);
  text[keep] = '\0';
}

}  // namespace Plix
