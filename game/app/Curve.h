#pragma once
// Value curves and the small numeric helpers that move things along them:
// flying coins, fruit and ice creams, fireworks, the main menu's loop.
// Every Evaluate and Get clamps t to 0..1.
#include <cstddef>

namespace Plix {

// Quadratic Bezier curve in the plane.
class Curve {
public:
  void SetStart(float x, float y) { mX0 = x; mY0 = y; }
  void SetControl(float x, float y) { mX1 = x; mY1 = y; }
  void SetEnd(float x, float y) { mX2 = x; mY2 = y; }
  void Evaluate(float t, float& x, float& y) const;
  float GetX(float t) const;

private:
  float mX0 = 0, mX1 = 0, mX2 = 0;
  float mY0 = 0, mY1 = 0, mY2 = 0;
};

class Curve3D {
public:
  void SetStart(float x, float y, float z) { mX0 = x; mY0 = y; mZ0 = z; }
  void SetControl(float x, float y, float z) { mX1 = x; mY1 = y; mZ1 = z; }
  void SetEnd(float x, float y, float z) { mX2 = x; mY2 = y; mZ2 = z; }
  void Evaluate(float t, float& x, float& y, float& z) const;
  float GetX(float t) const;
  float GetY(float t) const;

private:
  float mX0 = 0, mX1 = 0, mX2 = 0;
  float mY0 = 0, mY1 = 0, mY2 = 0;
  float mZ0 = 0, mZ1 = 0, mZ2 = 0;
};

// Cubic Bezier curve in the plane; the tangents are taken relative to the
// start and end points as they are when the tangent is set.
class CubicCurve {
public:
  void SetStart(float x, float y) { mX0 = x; mY0 = y; }
  void SetEnd(float x, float y) { mX3 = x; mY3 = y; }
  void SetStartTangent(float dx, float dy) { mX1 = mX0 + dx; mY1 = mY0 + dy; }
  void SetEndTangent(float dx, float dy) { mX2 = mX3 - dx; mY2 = mY3 - dy; }
  void Evaluate(float t, float& x, float& y) const;

private:
  float mX0 = 0, mX1 = 0, mX2 = 0, mX3 = 0;
  float mY0 = 0, mY1 = 0, mY2 = 0, mY3 = 0;
};

float FastSqrt(float v);
// Scales (a, b) to length 1; (0, 0) stays as it is.
void NormalizeVector(float& a, float& b);

// The point at t (0 to 1, once round) on the closed path through 13 points,
// a cubic segment between each pair with the given tension.
constexpr int kClosedSplinePoints = 13;
void EvalClosedSpline(const float points[kClosedSplinePoints][2], float t, float tension, float& x, float& y);

// n as decimal text with commas between groups of three digits ("1,234",
// "-1,234"). Writes at most `size` bytes including the terminating zero,
// cutting the text short rather than running past the buffer.
void FormatNumberWithCommas(char* text, size_t size, int n);
template <size_t N>
void FormatNumberWithCommas(char (&text)[N], int n) {
  FormatNumberWithCommas(text, N, n);
}

}  // namespace Plix
