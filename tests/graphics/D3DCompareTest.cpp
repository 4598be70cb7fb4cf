// The same scene drawn through the Direct3D path and through the software
// path must look the same, up to rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/graphics/Graphics.h"
#include "tests/graphics/D3DTestSupport.h"

namespace Plix {
namespace {

using Testing::Display3D;

constexpr int kWidth = 96, kHeight = 64;

std::vector<uint32_t> Pattern(int w, int h) {
  std::vector<uint32_t> p(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p[y * w + x] = 0xFF000000u | uint32_t(x * 255 / w) << 16 | uint32_t(y * 255 / h) << 8 | 0x40;
  return p;
}

// A round sprite: opaque inside, fading at its rim, transparent outside.
std::vector<uint32_t> Sprite(int size) {
  std::vector<uint32_t> p(static_cast<size_t>(size) * size);
  const float r = size / 2.0f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float d = std::hypot(x + 0.5f - r, y + 0.5f - r);
      const int alpha = d < r - 4 ? 255 : d >= r ? 0 : int((r - d) / 4 * 255);
      p[y * size + x] = uint32_t(alpha) << 24 | 0xE0A020;
    }
  return p;
}

std::vector<uint32_t> DrawScene(Display3D& d) {
  EXPECT_EQ(d.Init(), DDInterface::RESULT_OK) << d->mErrorString;
  auto pattern = d.Image(24, 20, Pattern(24, 20));
  auto sprite = d.Image(20, 20, Sprite(20));
  auto palettised = d.Image(16, 16, Sprite(16));
  palettised->Palettize();

  Graphics g(d.Screen());
  g.SetColor(Color(30, 60, 90));
  g.FillRect(0, 0, kWidth, kHeight);
  g.DrawImage(pattern.get(), 4, 4);
  g.DrawImage(sprite.get(), 34, 6);
  g.DrawImageMirror(pattern.get(), 66, 4);
  g.SetColorizeImages(true);
  g.SetColor(Color(255, 128, 64, 200));
  g.DrawImage(pattern.get(), 4, 36);
  g.SetColorizeImages(false);
  g.SetDrawMode(DRAWMODE_ADDITIVE);
  g.DrawImage(sprite.get(), 56, 30);
  g.SetColor(Color(40, 40, 0, 160));
  g.FillRect(30, 50, 30, 10);
  g.SetDrawMode(DRAWMODE_NORMAL);
  g.DrawImage(palettised.get(), 76, 44);
  g.SetColor(Color(255, 255, 255, 100));
  g.FillRect(20, 20, 30, 10);
  g.SetColor(Color(250, 250, 0));
  g.DrawLine(2, 62, 90, 62);
  g.DrawLine(92, 2, 92, 60);
  g.DrawLine(30, 30, 45, 45);

  std::vector<uint32_t> picture(kWidth * kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) picture[y * kWidth + x] = d.Pixel(x, y);
  return picture;
}

TEST(D3DCompare, TheDirect3DPathDrawsWhatTheSoftwarePathDraws) {
  for (int bits : {32, 16}) {
    std::vector<uint32_t> soft, hard;
    {
      Display3D d(false, bits, kWidth, kHeight);
      soft = DrawScene(d);
    }
    {
      Display3D d(true, bits, kWidth, kHeight);
      hard = DrawScene(d);
    }
    // The paths round differently, and opaque images become R5G6B5
    // textures: one step of a 5-bit channel (8 levels) apart at most. Where
    // translucent layers meet on a 16-bit screen the software path's
    // truncations add up to a second step on a few pixels.
    int beyondOneStep = 0, worst = 0;
    std::string where;
    for (int i = 0; i < kWidth * kHeight; ++i) {
      int diff = 0;
      for (int shift : {0, 8, 16})
        diff = std::max(diff, std::abs(int((soft[i] >> shift) & 255) - int((hard[i] >> shift) & 255)));
      worst = std::max(worst, diff);
      if (diff > 8 && ++beyondOneStep <= 5)
        where += " " + std::to_string(i % kWidth) + "," + std::to_string(i / kWidth);
    }
    EXPECT_LE(worst, bits == 32 ? 8 : 16) << bits << "-bit, first pixels beyond one step:" << where;
    EXPECT_LE(beyondOneStep, bits == 32 ? 0 : kWidth * kHeight / 100) << bits << "-bit:" << where;
  }
}

}  // namespace
}  // namespace Plix
