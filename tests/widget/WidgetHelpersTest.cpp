#include <gtest/gtest.h>

#include "framework/widget/Widget.h"
#include "tests/widget/RecordingWidget.h"
#include "tests/widget/WidgetTestSupport.h"

namespace Plix {
namespace {

using Testing::EventLog;

class HelpersTest : public ::testing::Test {
protected:
  void SetUp() override {
    mFont.mLog = &mDrawn;
    mTarget.Create(100, 40);
    mWidget.Resize(0, 0, 100, 40);
  }

  EventLog mDrawn;
  Testing::TestFont mFont;
  MemoryImage mTarget;
  Widget mWidget;
};

TEST_F(HelpersTest, CenteredLineAndItsShadow) {
  Graphics g(&mTarget);
  g.SetFont(&mFont);
  g.SetColor(Color(1, 2, 3));
  EXPECT_EQ(mWidget.DrawCenteredLine(&g, 20, L"abcd"), Rect(30, 8, 40, 16));
  EXPECT_EQ(mWidget.DrawCenteredLineWithShadow(&g, 20, L"abcd", Color(9, 9, 9), Color(0, 0, 0), Point(2, 2)),
            Rect(30, 8, 42, 18));
  EXPECT_EQ(mWidget.DrawCenteredLineWithShadow(&g, 20, L"abcd", Color(9, 9, 9), Color(0, 0, 0), Point(-2, -2)),
            Rect(28, 6, 42, 18));
  EXPECT_EQ(g.GetColor(), Color(9, 9, 9));  // the text colour stays
  EXPECT_EQ(mDrawn, (EventLog{"abcd 30,20 1,2,3", "abcd 32,22 0,0,0", "abcd 30,20 9,9,9", "abcd 28,18 0,0,0",
                              "abcd 30,20 9,9,9"}));
  Graphics noFont(&mTarget);
  EXPECT_EQ(mWidget.DrawCenteredLine(&noFont, 20, L"abcd"), Rect());
}

TEST_F(HelpersTest, WriteStringSwitchesColourCodesOnForTheCall) {
  Graphics g(&mTarget);
  g.SetFont(&mFont);
  g.mWriteColoredString = false;
  EXPECT_EQ(mWidget.WriteString(&g, L"a^FF0000^b", 5, 20), 20);
  EXPECT_FALSE(g.mWriteColoredString);
  EXPECT_EQ(mDrawn, (EventLog{"a 5,20 0,0,0", "b 15,20 255,0,0"}));
}

TEST_F(HelpersTest, NumbersFromADigitStrip) {
  // Ten 4-pixel cells; digit d is coloured d * 20 in red.
  auto strip = Testing::SolidImage(40, 5, 0xFF000000);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 40; ++x) strip->GetBits()[y * 40 + x] = 0xFF000000u | ((x / 4) * 20u << 16);
  strip->OnBitsChanged();
  Graphics g(&mTarget);
  mWidget.DrawNumberFromStrip(&g, 105, 10, 10, strip.get(), 1);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 11, 12, 20u << 16));  // 1
  EXPECT_TRUE(Testing::PixelNear(mTarget, 16, 12, 0));          // 0 at 10 + 5
  EXPECT_TRUE(Testing::PixelNear(mTarget, 21, 12, 100u << 16)); // 5 at 10 + 10
  EXPECT_TRUE(Testing::PixelNear(mTarget, 25, 12, 0));          // nothing after the third cell
  MemoryImage zero;
  zero.Create(20, 10);
  Graphics zg(&zero);
  mWidget.DrawNumberFromStrip(&zg, 0, 0, 0, strip.get(), 0);
  EXPECT_TRUE(Testing::PixelNear(zero, 4, 2, 0));  // one cell only: nothing beyond it
  EXPECT_EQ(zero.GetBits()[2 * 20 + 1] >> 24, 0xFFu);
  EXPECT_EQ(zero.GetBits()[2 * 20 + 4] >> 24, 0u);
}

}  // namespace
}  // namespace Plix
