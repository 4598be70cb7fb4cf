#include "framework/graphics/SysFont.h"

#include <gtest/gtest.h>

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
