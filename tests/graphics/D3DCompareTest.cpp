// The same scene drawn through the Direct3D path and through the software
// path must look the same, up to rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/platform/SdlWindow.h"
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

// Differences of the channels of two pictures: the largest, and how many
// pixels differ by more than `step`, with the first few of them.
struct Difference {
  int worst = 0, beyond = 0;
  std::string where;
};

Difference Compare(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int width, int step) {
  Difference d;
  for (size_t i = 0; i < a.size(); ++i) {
    int diff = 0;
    for (int shift : {0, 8, 16}) diff = std::max(diff, std::abs(int((a[i] >> shift) & 255) - int((b[i] >> shift) & 255)));
    d.worst = std::max(d.worst, diff);
    if (diff > step && ++d.beyond <= 5) d.where += " " + std::to_string(i % width) + "," + std::to_string(i / width);
  }
  return d;
}

std::vector<uint32_t> DrawScene(Display3D& d, HWND window = nullptr) {
  EXPECT_EQ(d.Init(window), DDInterface::RESULT_OK) << d->mErrorString;
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
    const Difference diff = Compare(soft, hard, kWidth, 8);
    EXPECT_LE(diff.worst, bits == 32 ? 8 : 16) << bits << "-bit, first pixels beyond one step:" << diff.where;
    EXPECT_LE(diff.beyond, bits == 32 ? 0 : kWidth * kHeight / 100) << bits << "-bit:" << diff.where;
  }
}

TEST(D3DCompare, SwitchingPathsInAWindowChangesNothingVisible) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  EmulatedDisplayConfig desktop;
  desktop.desktopWidth = 320;
  desktop.desktopHeight = 240;
  Display3D d(false, 32, kWidth, kHeight, {}, desktop);
  SdlWindowDesc desc;
  desc.title = "Plix Direct3D switch";
  desc.width = kWidth;
  desc.height = kHeight;
  desc.visible = true;
  std::string error;
  auto window = SdlWindow::Create(desc, &error);
  ASSERT_TRUE(window) << error;
  window->OnMoved(10, 10);
  // As the application switches: the display's 3D flag, then a new Init.
  std::vector<uint32_t> shots[2];
  for (int i = 0; i < 2; ++i) {
    d->mIs3D = i == 1;
    DrawScene(d, window->Handle());
    ASSERT_EQ(d.Screen()->Is3D(), i == 1);
    ASSERT_TRUE(d->Redraw()) << d->mErrorString;
    int w = 0, h = 0;
    ASSERT_TRUE(window->ReadPresentedPixels(shots[i], w, h));
    ASSERT_EQ(w, kWidth);
    ASSERT_EQ(h, kHeight);
  }
  const Difference diff = Compare(shots[0], shots[1], kWidth, 8);
  EXPECT_LE(diff.worst, 8) << diff.where;
  EXPECT_EQ(diff.beyond, 0) << diff.where;
}

}  // namespace
}  // namespace Plix
