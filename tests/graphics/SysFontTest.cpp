#include "framework/graphics/SysFont.h"

#include <gtest/gtest.h>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/FontEngine.h"

namespace Plix {
namespace {

// One file for every face, so that metrics are the same on every machine.
constexpr const char* kPinnedFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class SysFontTest : public ::testing::Test {
protected:
  void SetUp() override { PinFontFile(kPinnedFont); }
  void TearDown() override { PinFontFile(""); }
};

TEST_F(SysFontTest, PointSizesBecomePixelsAt96Dpi) {
  const std::pair<int, int> cases[] = {{12, 16}, {8, 11}, {9, 12}, {10, 13}, {24, 32}, {-12, -16}, {0, 0}};
  for (const auto& [points, pixels] : cases) EXPECT_EQ(SysFont::PointsToPixels(points), pixels) << points;
}

TEST_F(SysFontTest, MetricsFromTheFace) {
  // DejaVu Sans: 2048 units per em, Windows ascent 1901 and descent 483.
  SysFont font("Arial", 12);
  ASSERT_NE(font.mFontHandle, nullptr);
  EXPECT_EQ(font.mFontHandle->FilePath(), kPinnedFont);
  EXPECT_EQ(font.GetAscent(), 15);
  EXPECT_EQ(font.GetHeight(), 19);
  EXPECT_EQ(font.GetDescent(), 4);
  EXPECT_EQ(font.GetLineSpacing(), 19);
  EXPECT_FALSE(font.mDrawShadow);
  EXPECT_FALSE(font.mSimulateBold);

  SysFont tahoma(nullptr, "Tahoma", 8);
  EXPECT_EQ(tahoma.GetAscent(), 11);
  EXPECT_EQ(tahoma.GetHeight(), 14);
}

TEST_F(SysFontTest, WidthsAreSumsOfAdvances) {
  SysFont font("Arial Unicode MS", 12);
  EXPECT_EQ(font.StringWidth(L""), 0);
  const int a = font.StringWidth(L"A");
  const int v = font.StringWidth(L"V");
  EXPECT_GT(a, 0);
  EXPECT_EQ(font.StringWidth(L"AV"), a + v);  // no kerning
  EXPECT_EQ(font.CharWidth(L'A'), a);
  EXPECT_EQ(font.CharWidthKern(L'V', L'A'), font.CharWidthKern(L'V', L'x'));

  SysFont bold("Arial", 12, true);
  EXPECT_GT(bold.StringWidth(L"Hello"), font.StringWidth(L"Hello"));
  SysFont big("Arial", 24);
  EXPECT_GT(big.StringWidth(L"Hello"), font.StringWidth(L"Hello"));
}

TEST_F(SysFontTest, DuplicateCopiesTheFontNotTheFlags) {
  SysFont font("Arial", 12, false, true, true);
  font.mDrawShadow = true;
  font.mSimulateBold = true;
  std::unique_ptr<Font> copy(font.Duplicate());
  auto* sys = static_cast<SysFont*>(copy.get());
  EXPECT_EQ(sys->GetHeight(), font.GetHeight());
  EXPECT_EQ(sys->GetAscent(), font.GetAscent());
  EXPECT_EQ(sys->StringWidth(L"Hello"), font.StringWidth(L"Hello"));
  EXPECT_FALSE(sys->mDrawShadow);
  EXPECT_FALSE(sys->mSimulateBold);
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

class SysFontDrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    PinFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    mCanvas.Create(40, 30);
  }
  void TearDown() override { PinFontFile(""); }
  uint32_t At(int x, int y) { return mCanvas.GetBits()[y * 40 + x]; }
  // Columns of the canvas where row y has an opaque pixel.
  std::vector<int> SolidColumns(int y) {
    std::vector<int> cols;
    for (int x = 0; x < 40; ++x)
      if ((At(x, y) >> 24) == 0xFF) cols.push_back(x);
    return cols;
  }
  MemoryImage mCanvas;
};

TEST_F(SysFontDrawTest, CoverageBecomesAlphaAboveTheBaseline) {
  SysFont font("Arial", 12);
  Graphics g(&mCanvas);
  g.SetFont(&font);
  g.SetColor(Color(255, 255, 255, 255));
  g.DrawString(L"I", 10, 20);  // baseline at row 20, ascent 15
  // "I" is a solid white bar down to the baseline; nothing below or around.
  const auto cols = SolidColumns(15);
  ASSERT_FALSE(cols.empty());
  EXPECT_EQ(At(cols[0], 15) & 0x00F8F8F8u, 0x00F8F8F8u);  // white, within the blend rounding
  EXPECT_EQ(SolidColumns(19), cols);
  EXPECT_TRUE(SolidColumns(20).empty());
  EXPECT_TRUE(SolidColumns(5).empty());
  EXPECT_EQ(At(0, 0), 0u);
  EXPECT_EQ(At(39, 29), 0u);
}

TEST_F(SysFontDrawTest, ClipShadowAndEmptyDestination) {
  SysFont font("Arial", 12);
  {
    Graphics g(&mCanvas);
    g.SetFont(&font);
    g.SetColor(Color(255, 255, 255, 255));
    g.ClipRect(0, 0, 40, 10);  // the bar lies below row 10 only in part
    g.DrawString(L"I", 10, 20);
    EXPECT_TRUE(SolidColumns(12).empty());
  }
  {
    Graphics empty;
    empty.SetFont(&font);
    empty.DrawString(L"I", 10, 20);
    EXPECT_EQ(empty.MeasureWordWrappedHeight(100, L"a b", -1), font.GetHeight());
  }
  font.mDrawShadow = true;
  Graphics g(&mCanvas);
  g.SetFont(&font);
  g.SetColor(Color(255, 255, 255, 255));
  g.DrawString(L"I", 10, 25);
  const auto cols = SolidColumns(22);
  ASSERT_FALSE(cols.empty());
  // The shadow lies one pixel right of the bar and shows black.
  const uint32_t shadow = At(cols.back() + 1, 22);
  EXPECT_GT(shadow >> 24, 0u);
  EXPECT_EQ(shadow & 0x00FFFFFFu, 0u);
}

}  // namespace
}  // namespace Plix
