#include "game/app/Curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

struct QuadCase {
  float t;
  float x;
  float y;
};

class QuadraticCurve : public ::testing::TestWithParam<QuadCase> {};

TEST_P(QuadraticCurve, PointAt) {
  // Start (0, 100), control (50, 0), end (200, 100).
  Curve c;
  c.SetStart(0, 100);
  c.SetControl(50, 0);
  c.SetEnd(200, 100);
  float x, y;
  c.Evaluate(GetParam().t, x, y);
  EXPECT_FLOAT_EQ(x, GetParam().x);
  EXPECT_FLOAT_EQ(y, GetParam().y);
  EXPECT_FLOAT_EQ(c.GetX(GetParam().t), GetParam().x);

  Curve3D c3;
  c3.SetStart(0, 100, 7);
  c3.SetControl(50, 0, 7);
  c3.SetEnd(200, 100, 7);
  float z;
  c3.Evaluate(GetParam().t, x, y, z);
  EXPECT_FLOAT_EQ(x, GetParam().x);
  EXPECT_FLOAT_EQ(y, GetParam().y);
  EXPECT_FLOAT_EQ(z, 7);
  EXPECT_FLOAT_EQ(c3.GetX(GetParam().t), GetParam().x);
  EXPECT_FLOAT_EQ(c3.GetY(GetParam().t), GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Table, QuadraticCurve,
                         ::testing::Values(QuadCase{-0.5f, 0, 100},  // clamped to the start
                                           QuadCase{0, 0, 100},
                                           QuadCase{0.25f, 31.25f, 62.5f},
                                           QuadCase{0.5f, 75, 50},
                                           QuadCase{0.75f, 131.25f, 62.5f},
                                           QuadCase{1, 200, 100},
                                           QuadCase{2, 200, 100}),  // clamped to the end
                         [](const auto& info) { return "t_" + Testing::ParamName(info.param.t); });

TEST(CubicCurve, TangentsAndEnds) {
  CubicCurve c;
  c.SetStart(0, 0);
  c.SetEnd(300, 0);
  c.SetStartTangent(0, 300);  // first control (0, 300)
  c.SetEndTangent(0, 0);      // second control = end: arrives at rest
  float x, y;
  c.Evaluate(0, x, y);
  EXPECT_FLOAT_EQ(x, 0);
  EXPECT_FLOAT_EQ(y, 0);
  c.Evaluate(0.5f, x, y);
  EXPECT_FLOAT_EQ(x, 150);    // 0.375 * 0 + 0.375 * 300 + 0.125 * 300
  EXPECT_FLOAT_EQ(y, 112.5f);  // 0.375 * 300
  c.Evaluate(1.5f, x, y);
  EXPECT_FLOAT_EQ(x, 300);
  EXPECT_FLOAT_EQ(y, 0);
  // Zero speed at the end: the last step is much shorter than a middle one.
  float x1, y1, x2, y2, xm, ym;
  c.Evaluate(0.99f, x1, y1);
  c.Evaluate(1.0f, x2, y2);
  c.Evaluate(0.51f, xm, ym);
  c.Evaluate(0.5f, x, y);
  EXPECT_LT(std::hypot(x2 - x1, y2 - y1) * 10, std::hypot(xm - x, ym - y));
  // Tangents are taken from the points as they were at the time.
  c.SetStart(100, 100);
  c.Evaluate(0.5f, x, y);
  EXPECT_FLOAT_EQ(x, 0.125f * 100 + 0.375f * 0 + 0.5f * 300);
}

TEST(NormalizeVector, Table) {
  float a = 3, b = 4;
  NormalizeVector(a, b);
  EXPECT_FLOAT_EQ(a, 0.6f);
  EXPECT_FLOAT_EQ(b, 0.8f);
  a = 0, b = 0;
  NormalizeVector(a, b);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  a = -5, b = 0;
  NormalizeVector(a, b);
  EXPECT_FLOAT_EQ(a, -1);
  EXPECT_EQ(FastSqrt(2.25f), 1.5f);
}

struct SplineCase {
  float t;
  float x;
  float y;
};

class ClosedSpline : public ::testing::TestWithParam<SplineCase> {};

// Points on a 13-gon: point k at (10 k, k * k).
const float kPath[13][2] = {{0, 0},   {10, 1},  {20, 4},  {30, 9},   {40, 16},  {50, 25}, {60, 36},
                            {70, 49}, {80, 64}, {90, 81}, {100, 100}, {110, 121}, {120, 144}};

TEST_P(ClosedSpline, PointAt) {
  float x, y;
  EvalClosedSpline(kPath, GetParam().t, 0.25f, x, y);
  EXPECT_NEAR(x, GetParam().x, 1e-3);
  EXPECT_NEAR(y, GetParam().y, 1e-3);
}

// A point k/13 is point k; half way between points 1 and 2 with tension
// 0.25: controls 10 + 0.25 * 20 = 15 and 20 - 0.25 * 20 = 15 in x,
// 1 + 0.25 * 4 = 2 and 4 - 0.25 * 8 = 2 in y.
INSTANTIATE_TEST_SUITE_P(Table, ClosedSpline,
                         ::testing::Values(SplineCase{0, 0, 0}, SplineCase{1, 0, 0},
                                           SplineCase{3.0f / 13, 30, 9}, SplineCase{12.0f / 13, 120, 144},
                                           SplineCase{1.5f / 13, 15, 2.125f},
                                           // Between point 12 and 0 the path closes: controls
                                           // 120 + 0.25 * (0 - 110) and 0 - 0.25 * (10 - 120).
                                           SplineCase{12.5f / 13, 60, 0.125f * 144 + 0.375f * (144 + 0.25f * (0 - 121)) +
                                                                        0.375f * (0 - 0.25f * (1 - 144))}),
                         [](const auto& info) { return "t_" + Testing::ParamName(info.param.t); });

TEST(ClosedSpline, EndsExactlyOnPointZero) {
  const float p[13][2] = {{7.5f, -3.25f}, {1, 2}, {5, 9}, {3, 3}, {0, 0}, {4, 4}, {6, 6},
                          {8, 8},         {9, 9}, {2, 2}, {1, 1}, {7, 7}, {3, 5}};
  float x, y;
  EvalClosedSpline(p, 0, 0.3f, x, y);
  EXPECT_EQ(x, 7.5f);
  EXPECT_EQ(y, -3.25f);
  EvalClosedSpline(p, 1, 0.3f, x, y);
  EXPECT_EQ(x, 7.5f);
  EXPECT_EQ(y, -3.25f);
  // Outside 0..1 it still stays on the path instead of reading past it.
  EvalClosedSpline(p, -1, 0.3f, x, y);
  EvalClosedSpline(p, 5.5f, 0.3f, x, y);
  EvalClosedSpline(p, NAN, 0.3f, x, y);
}

struct CommaCase {
  int n;
  const char* text;
};

class Commas : public ::testing::TestWithParam<CommaCase> {};

TEST_P(Commas, Format) {
  char text[16];
  std::memset(text, 'x', sizeof(text));
  FormatNumberWithCommas(text, GetParam().n);
  EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, Commas,
                         ::testing::Values(CommaCase{0, "0"}, CommaCase{7, "7"}, CommaCase{100, "100"},
                                           CommaCase{999, "999"}, CommaCase{1000, "1,000"},
                                           CommaCase{1234, "1,234"}, CommaCase{100000, "100,000"},
                                           CommaCase{1234567, "1,234,567"},
                                           CommaCase{2147483647, "2,147,483,647"}, CommaCase{-5, "-5"},
                                           CommaCase{-123, "-123"}, CommaCase{-1234, "-1,234"},
                                           CommaCase{-2147483647 - 1, "-2,147,483,648"}),
                         [](const auto& info) { return Testing::ParamName(info.param.text); });

TEST(Commas, NeverWritesPastTheBuffer) {
  // The documented minimum of 14 characters, and smaller, with guard bytes.
  for (size_t size : {14u, 8u, 2u, 1u}) {
    char buf[32];
    std::memset(buf, '#', sizeof(buf));
    FormatNumberWithCommas(buf, size, -2147483647 - 1);
    EXPECT_EQ(std::strlen(buf), size - 1);
    for (size_t i = size; i < sizeof(buf); ++i) EXPECT_EQ(buf[i], '#') << size;
  }
  char buf[14];
  FormatNumberWithCommas(buf, 2147483647);
  EXPECT_STREQ(buf, "2,147,483,647");
  char small[4] = {'#', '#', '#', '#'};
  FormatNumberWithCommas(small, 0, 5);  // no room at all: untouched
  EXPECT_EQ(small[0], '#');
}

}  // namespace
}  // namespace Plix
