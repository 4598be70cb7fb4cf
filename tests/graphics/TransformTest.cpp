// Pixel tests of rotated, stretched, matrix and triangle blits.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/graphics/PixelTestUtil.h"
#include "tests/graphics/RenderReference.h"

namespace Plix {
namespace {

using Testing::MakeImage;
using Testing::PixelAt;
using Testing::Pixels;

constexpr double kPi = 3.14159265358979323846;

// Distinct, mostly opaque colours with a few translucent and clear ones.
std::vector<uint32_t> Pattern(int w, int h) {
  std::vector<uint32_t> bits(size_t(w) * size_t(h));
  for (int i = 0; i < w * h; ++i) {
    uint32_t a = i % 7 == 3 ? 0 : i % 5 == 1 ? 0x80 : 0xFF;
    bits[i] = a << 24 | uint32_t(i * 37 % 256) << 16 | uint32_t(i * 91 % 256) << 8 | uint32_t(255 - i * 13 % 256);
  }
  return bits;
}

TEST(Transform, FloatBlitNarrowsToWholeBilinearSamples) {
  // At a whole position the first sample column (u = 0) steps to u = 1 and
  // rows and columns that would need a neighbour outside are left out.
  auto src = MakeImage(4, 4, 0xFFFFFFFFu);
  auto dest = MakeImage(8, 8, 0xFF000000u);
  dest->BlitF(src.get(), 2, 2, Rect(0, 0, 4, 4), Rect(0, 0, 8, 8), Color::White, 0);
  EXPECT_TRUE(src->mDrawn);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool drawn = x >= 3 && x <= 4 && y >= 2 && y <= 4;
      // The sample's own weight 65534 carries 254 of the alpha: 255 * 254 / 256.
      EXPECT_EQ(PixelAt(*dest, x, y), drawn ? 0xFFFDFDFDu : 0xFF000000u) << x << "," << y;
    }
}

TEST(Transform, RotatedBlitMatchesReference) {
  struct Case {
    const char* name;
    double angle;
    float x, y, cx, cy;
    Color color;
    int mode;
    uint32_t dest;
    Rect clip;
  } cases[] = {
      {"quarter turn", kPi / 2, 3, 3, 3, 3, Color::White, 0, 0xFF202020, {0, 0, 12, 12}},
      {"17 degrees", 17 * kPi / 180, 2.5f, 1.25f, 3, 3, Color::White, 0, 0xFF202020, {0, 0, 12, 12}},
      {"negative, translucent dest", -0.7, 3, 2, 2, 4, Color::White, 0, 0x80406080, {0, 0, 12, 12}},
      {"clear dest", 2.0, 3, 3, 3, 3, Color::White, 0, 0x00000000, {0, 0, 12, 12}},
      {"tinted", 0.4, 2, 2, 3, 3, Color(200, 100, 50, 180), 0, 0xFF102030, {0, 0, 12, 12}},
      {"additive", 1.1, 2, 2, 3, 3, Color::White, 1, 0x80102030, {0, 0, 12, 12}},
      {"additive tinted", -2.5, 2, 2, 3, 3, Color(250, 120, 10, 128), 1, 0xFF102030, {0, 0, 12, 12}},
      {"clipped left top", 0.3, -2, -3, 3, 3, Color::White, 0, 0xFF000000, {0, 0, 12, 12}},
      {"clipped by rect", 3.0, 3, 3, 3, 3, Color::White, 0, 0xFF000000, {2, 4, 5, 3}},
      {"half turn", kPi, 4, 4, 0, 0, Color::White, 0, 0xFF000000, {0, 0, 12, 12}},
  };
  for (const auto& c : cases) {
    for (bool palettised : {false, true}) {
      auto src = MakeImage(6, 6, Pattern(6, 6));
      if (palettised) src->Palettize();
      auto dest = MakeImage(12, 12, c.dest);
      std::vector<uint32_t> expect = Pixels(*dest);
      Ref::Rotated(expect.data(), 12, 12, *src, c.x, c.y, Rect(0, 0, 6, 6), c.clip, c.color, c.mode, c.angle, c.cx,
                   c.cy);
      dest->BlitRotated(src.get(), c.x, c.y, Rect(0, 0, 6, 6), c.clip, c.color, c.mode, c.angle, c.cx, c.cy);
      EXPECT_EQ(Pixels(*dest), expect) << c.name;
      EXPECT_NE(Pixels(*dest), std::vector<uint32_t>(144, c.dest)) << c.name << " drew nothing";
    }
  }
}

TEST(Transform, RotationTurnsCounterClockwise) {
  // Only the top-right pixel is lit; a quarter turn brings it to the top left.
  std::vector<uint32_t> bits(64, 0xFF000000u);
  bits[1 * 8 + 6] = 0xFFFFFFFF;
  auto src = MakeImage(8, 8, bits);
  auto dest = MakeImage(16, 16, 0xFF000000u);
  dest->BlitRotated(src.get(), 4, 4, Rect(0, 0, 8, 8), Rect(0, 0, 16, 16), Color::White, 0, kPi / 2, 4, 4);
  int bestX = -1, bestY = -1;
  uint32_t best = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if ((PixelAt(*dest, x, y) & 0xFF) > best) {
        best = PixelAt(*dest, x, y) & 0xFF;
        bestX = x;
        bestY = y;
      }
  EXPECT_LT(bestX, 8);
  EXPECT_LT(bestY, 8);
}

TEST(Transform, RotatedBoxAndOddModes) {
  FRect box;
  ASSERT_TRUE(MemoryImage::RotatedDestBox(10, 20, Rect(0, 0, 4, 2), Rect(0, 0, 100, 100), 2, 1, kPi / 2, box));
  EXPECT_NEAR(box.mX, 11, 1e-5);
  EXPECT_NEAR(box.mY, 19, 1e-5);
  EXPECT_NEAR(box.mWidth, 2, 1e-5);
  EXPECT_NEAR(box.mHeight, 4, 1e-5);
  EXPECT_FALSE(MemoryImage::RotatedDestBox(10, 20, Rect(0, 0, 4, 2), Rect(0, 0, 5, 5), 2, 1, 0.1, box));

  auto src = MakeImage(4, 4, 0xFFFFFFFFu);
  auto dest = MakeImage(8, 8, 0xFF000000u);
  dest->BlitRotated(src.get(), 1.5f, 1.5f, Rect(0, 0, 4, 4), Rect(0, 0, 8, 8), Color::White, 2, 0.3, 2, 2);
  EXPECT_EQ(Pixels(*dest), std::vector<uint32_t>(64, 0xFF000000u));
}

TEST(Transform, FastStretchValues) {
  auto src = MakeImage(2, 2, {0xFFFFFFFF, 0x00FFFFFF, 0x80FF0000, 0xFF000000});
  auto dest = MakeImage(4, 4, 0xFF000000u);
  dest->StretchBlit(src.get(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White, 0, true);
  EXPECT_TRUE(src->mDrawn);
  // The over-blend of an opaque sample onto an opaque pixel writes 254.
  std::vector<uint32_t> expect = {0xFFFEFEFE, 0xFFFEFEFE, 0xFF000000, 0xFF000000,  //
                                  0xFFFEFEFE, 0xFFFEFEFE, 0xFF000000, 0xFF000000,  //
                                  0xFF7F0000, 0xFF7F0000, 0xFF000000, 0xFF000000,  //
                                  0xFF7F0000, 0xFF7F0000, 0xFF000000, 0xFF000000};
  EXPECT_EQ(Pixels(*dest), expect);
}

TEST(Transform, StretchesMatchReference) {
  struct Case {
    Rect dest, src, clip;
    Color color;
    uint32_t background;
  } cases[] = {
      {{1, 1, 10, 9}, {0, 0, 5, 3}, {0, 0, 12, 12}, Color::White, 0xFF102030},        // enlarge
      {{2, 2, 3, 2}, {0, 0, 6, 6}, {0, 0, 12, 12}, Color::White, 0xFF102030},         // shrink
      {{0, 0, 7, 5}, {1, 1, 4, 4}, {0, 0, 12, 12}, Color::White, 0x80102030},         // sub-rect
      {{-3, -2, 12, 12}, {0, 0, 6, 6}, {0, 0, 12, 12}, Color::White, 0xFF000000},     // clipped left top
      {{4, 5, 12, 10}, {0, 0, 6, 6}, {1, 1, 10, 9}, Color::White, 0x00000000},        // clipped right bottom
      {{1, 1, 11, 4}, {0, 0, 6, 6}, {0, 0, 12, 12}, Color::White, 0xFF000000},        // mixed
      {{1, 1, 9, 9}, {0, 0, 6, 6}, {3, 2, 4, 5}, Color(100, 200, 30, 200), 0xFF000000},  // tinted (fast only)
  };
  for (const auto& c : cases) {
    for (bool fast : {true, false}) {
      auto src = MakeImage(6, 6, Pattern(6, 6));
      auto dest = MakeImage(12, 12, c.background);
      std::vector<uint32_t> expect = Pixels(*dest);
      if (fast)
        Ref::FastStretch(expect.data(), 12, 12, *src, c.dest, c.src, c.clip, c.color);
      else
        Ref::FilteredStretch(expect.data(), 12, 12, *src, c.dest, c.src, c.clip);
      dest->StretchBlit(src.get(), c.dest, c.src, c.clip, c.color, 0, fast);
      EXPECT_EQ(Pixels(*dest), expect) << (fast ? "fast " : "filtered ") << c.dest.mWidth << "x" << c.dest.mHeight;
    }
  }
}

TEST(Transform, FilteredStretchValues) {
  // Shrinking 4 to 2: each source pixel weighs trunc(0.5 * 257) = 128.
  auto src = MakeImage(4, 1, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF});
  auto dest = MakeImage(2, 1, 0xFF000000u);
  dest->StretchBlit(src.get(), Rect(0, 0, 2, 1), Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), Color(1, 2, 3, 4), 1, false);
  EXPECT_EQ(Pixels(*dest), (std::vector<uint32_t>{0xFF7E7E7E, 0xFFFEFEFE}));

  // Enlarging never samples outside the source rect.
  auto framed = MakeImage(4, 1, {0xFFFF0000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF0000});
  auto wide = MakeImage(9, 3, 0xFF000000u);
  wide->StretchBlit(framed.get(), Rect(0, 0, 9, 3), Rect(1, 0, 2, 1), Rect(0, 0, 9, 3), Color::White, 0, false);
  for (uint32_t p : Pixels(*wide)) EXPECT_EQ(p, 0xFFFEFEFEu);
}

TEST(Transform, EmptyStretchLeavesBits) {
  auto src = MakeImage(2, 2, 0xFFFFFFFFu);
  auto dest = MakeImage(4, 4, 0xFF000000u);
  int32_t count = dest->mBitsChangedCount;
  for (bool fast : {true, false}) {
    dest->StretchBlit(src.get(), Rect(5, 5, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White, 0, fast);
    dest->StretchBlit(src.get(), Rect(0, 0, 0, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White, 0, fast);
  }
  EXPECT_EQ(Pixels(*dest), std::vector<uint32_t>(16, 0xFF000000u));
  EXPECT_EQ(dest->mBitsChangedCount, count);
}

TEST(Transform, ClipStretchMirror) {
  Rect dest;
  FRect area;
  ASSERT_TRUE(MemoryImage::ClipStretch(Rect(0, 0, 8, 4), Rect(0, 0, 4, 2), Rect(2, 0, 4, 4), dest, area));
  EXPECT_EQ(dest, Rect(2, 0, 4, 4));
  EXPECT_EQ(area, FRect(1, 0, 2, 2));
  ASSERT_TRUE(MemoryImage::ClipStretchMirror(Rect(0, 0, 8, 4), Rect(0, 0, 4, 2), Rect(0, 0, 6, 4), dest, area));
  EXPECT_EQ(dest, Rect(0, 0, 6, 4));
  EXPECT_EQ(area, FRect(1, 0, 3, 2));
}

// Drawing a texture of 1s additively shows how often each pixel was filled.
std::vector<uint32_t> FillCounts(MemoryImage& dest) {
  std::vector<uint32_t> counts;
  for (uint32_t p : Pixels(dest)) counts.push_back(p & 0xFF);
  return counts;
}

TEST(Transform, MatrixBlitIdentityCopies) {
  for (bool smooth : {false, true}) {
    std::vector<uint32_t> opaque = Pattern(4, 4);
    for (uint32_t& p : opaque) p |= 0xFF000000;
    auto src = MakeImage(4, 4, opaque);
    auto dest = MakeImage(8, 8, 0xFF000000u);
    Matrix3 identity;
    dest->BlitMatrix(src.get(), 4, 4, identity, Rect(0, 0, 8, 8), Color::White, 0, Rect(0, 0, 4, 4), smooth);
    EXPECT_TRUE(src->mDrawn);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
        EXPECT_EQ(PixelAt(*dest, x, y), inside ? opaque[(y - 2) * 4 + x - 2] : 0xFF000000u)
            << x << "," << y << (smooth ? " smooth" : "");
      }
  }
}

TEST(Transform, MatrixBlitQuarterTurn) {
  std::vector<uint32_t> opaque = Pattern(4, 4);
  for (uint32_t& p : opaque) p |= 0xFF000000;
  auto src = MakeImage(4, 4, opaque);
  auto dest = MakeImage(8, 8, 0xFF000000u);
  Matrix3 m;
  m.Rotate(float(kPi / 2));
  dest->BlitMatrix(src.get(), 4, 4, m, Rect(0, 0, 8, 8), Color::White, 0, Rect(0, 0, 4, 4), false);
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 6; ++x) EXPECT_EQ(PixelAt(*dest, x, y), opaque[(x - 2) * 4 + (5 - y)]) << x << "," << y;
}

TEST(Transform, TrianglesShareEdgesWithoutGapsOrOverlap) {
  auto ones = MakeImage(4, 4, 0xFF010101u);
  for (double angle : {0.0, 0.3, 1.0, 2.2, -0.9}) {
    auto dest = MakeImage(16, 16, 0xFF000000u);
    Matrix3 m;
    m.Scale(2.3f, 1.7f);
    m.Rotate(float(angle));
    dest->BlitMatrix(ones.get(), 8.2f, 7.9f, m, Rect(0, 0, 16, 16), Color::White, 1, Rect(0, 0, 4, 4), false);
    int filled = 0;
    for (uint32_t n : FillCounts(*dest)) {
      EXPECT_LE(n, 1u) << angle;
      filled += int(n);
    }
    EXPECT_NEAR(filled, 4 * 2.3 * 4 * 1.7, 6) << angle;
  }
  // A fan of triangles around a centre, as a mesh would be drawn.
  std::vector<TriVertex> fan;
  for (int k = 0; k < 7; ++k) {
    double a0 = 2 * kPi * k / 7, a1 = 2 * kPi * (k + 1) / 7;
    fan.push_back({8.3f, 7.6f, 0.5f, 0.5f, 0});
    fan.push_back({float(8.3 + 6 * std::cos(a0)), float(7.6 + 6 * std::sin(a0)), 0, 0, 0});
    fan.push_back({float(8.3 + 6 * std::cos(a1)), float(7.6 + 6 * std::sin(a1)), 1, 1, 0});
  }
  auto dest = MakeImage(16, 16, 0xFF000000u);
  dest->BlitTrianglesTex(ones.get(), fan.data(), 7, Rect(0, 0, 16, 16), Color::White, 1, 0, 0, false);
  int filled = 0;
  for (uint32_t n : FillCounts(*dest)) {
    EXPECT_LE(n, 1u);
    filled += int(n);
  }
  EXPECT_NEAR(filled, 7 * 0.5 * 36 * std::sin(2 * kPi / 7), 8);
}

TEST(Transform, TrianglesClip) {
  auto ones = MakeImage(2, 2, 0xFF010101u);
  // Entirely left of the clip: nothing.
  TriVertex left[3] = {{-5, 1, 0, 0, 0}, {-1, 1, 1, 0, 0}, {-3, 6, 0, 1, 0}};
  auto dest = MakeImage(8, 8, 0xFF000000u);
  dest->BlitTrianglesTex(ones.get(), left, 1, Rect(0, 0, 8, 8), Color::White, 1, 0, 0, false);
  EXPECT_EQ(Pixels(*dest), std::vector<uint32_t>(64, 0xFF000000u));
  // Cut by the clip's corner: drawn only inside, each pixel once, the
  // clipped polygon filled whole up to the clip's last row and column.
  // The clipped polygon is the pentagon (2,2) (7,2) (7,3) (3,7) (2,7).
  TriVertex corner[3] = {{-4, -4, 0, 0, 0}, {14, -4, 1, 0, 0}, {-4, 14, 0, 1, 0}};
  dest->BlitTrianglesTex(ones.get(), corner, 1, Rect(2, 2, 5, 5), Color::White, 1, 0, 0, false);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      uint32_t n = PixelAt(*dest, x, y) & 0xFF;
      bool expected = x >= 2 && y >= 2 && x < 7 && y < 7 && x + y < 10;
      EXPECT_EQ(n, expected ? 1u : 0u) << x << "," << y;
    }
}

TEST(Transform, TriangleColours) {
  auto white = MakeImage(2, 2, 0xFFFFFFFFu);
  TriVertex tri[3] = {{0, 0, 0, 0, 0xFFFF0000}, {8, 0, 1, 0, 0xFFFF0000}, {0, 8, 0, 1, 0xFFFF0000}};
  auto dest = MakeImage(8, 8, 0xFF000000u);
  dest->BlitTrianglesTex(white.get(), tri, 1, Rect(0, 0, 8, 8), Color::White, 0, 0, 0, false);
  EXPECT_EQ(PixelAt(*dest, 1, 1), 0xFFFF0000u);
  // No vertex colours, tinted to half grey.
  for (auto& v : tri) v.mColor = 0;
  dest->BlitTrianglesTex(white.get(), tri, 1, Rect(0, 0, 8, 8), Color(128, 128, 128, 255), 0, 0, 0, false);
  EXPECT_EQ(PixelAt(*dest, 1, 1), 0xFF808080u);
  // A translucent tint blends.
  dest->BlitTrianglesTex(white.get(), tri, 1, Rect(0, 0, 8, 8), Color(255, 255, 255, 128), 0, 0, 0, false);
  EXPECT_EQ(PixelAt(*dest, 1, 1), Ref::Over(0xFF808080, 0x80FFFFFF, 128));
  // A mode other than normal and additive draws nothing.
  dest->BlitTrianglesTex(white.get(), tri, 1, Rect(0, 0, 8, 8), Color(0, 0, 0, 255), 3, 0, 0, false);
  EXPECT_NE(PixelAt(*dest, 1, 1), 0xFF000000u);
}

TEST(Transform, RasterisesIntoSixteenBitBuffers) {
  auto white = MakeImage(2, 2, 0xFFFFFFFFu);
  TriVertex tri[3] = {{0, 0, 0, 0, 0}, {4, 0, 1, 0, 0}, {0, 4, 0, 1, 0}};
  for (int32_t format : {0x565, 0x555}) {
    uint16_t buffer[4 * 4] = {};
    MemoryImage::BlitTrianglesRaster(white.get(), tri, 1, Rect(0, 0, 4, 4), Color::White, buffer, 8, format, 0, 0,
                                     false);
    EXPECT_EQ(buffer[0], format == 0x565 ? 0xFFFF : 0x7FFF);
    EXPECT_EQ(buffer[15], 0);
    uint16_t half[1] = {0};
    TriVertex dot[3] = {{-1, -1, 0, 0, 0}, {3, -1, 1, 0, 0}, {-1, 3, 0, 1, 0}};
    MemoryImage::BlitTrianglesRaster(white.get(), dot, 1, Rect(0, 0, 1, 1), Color(255, 0, 0, 255), half, 2, format, 0,
                                     0, false);
    EXPECT_EQ(half[0], format == 0x565 ? 0xF800 : 0x7C00);
  }
  // An unknown format draws nothing.
  uint32_t one = 7;
  MemoryImage::BlitTrianglesRaster(white.get(), tri, 1, Rect(0, 0, 1, 1), Color::White, &one, 4, 0x444, 0, 0, false);
  EXPECT_EQ(one, 7u);
}

TEST(Transform, OpaqueFormatKeepsAlpha) {
  auto src = MakeImage(2, 2, 0x80FFFFFFu);
  auto dest = MakeImage(4, 4, 0xFF000000u);
  dest->SetImageMode(false, false);
  TriVertex tri[3] = {{0, 0, 0, 0, 0}, {4, 0, 1, 0, 0}, {0, 4, 0, 1, 0}};
  dest->BlitTrianglesTex(src.get(), tri, 1, Rect(0, 0, 4, 4), Color::White, 0, 0, 0, false);
  EXPECT_EQ(PixelAt(*dest, 0, 0), 0xFF7F7F7Fu);
}

}  // namespace
}  // namespace Plix
