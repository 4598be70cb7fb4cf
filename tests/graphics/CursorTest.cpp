// The display's software cursor: drawn into each frame, moved on screen
// between frames without a trace, clipped at the desktop's edge.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/graphics/DDImage.h"
#include "framework/platform/SdlWindow.h"
#include "tests/graphics/DisplayTestSupport.h"

namespace Plix {
namespace {

using Testing::FillSurface;
using Testing::SolidImage;
using Testing::SurfacePixel;
using Testing::TestDisplay;

constexpr uint32_t kBlue = 0x000000FF;
constexpr uint32_t kRed = 0x00FF0000;

// Counts the red pixels of a surface region and checks them against the
// expected square of the cursor image.
void ExpectCursorAt(IDirectDrawSurface* s, int left, int top, int size, int regionW, int regionH) {
  for (int y = 0; y < regionH; ++y)
    for (int x = 0; x < regionW; ++x) {
      const bool inCursor = x >= left && x < left + size && y >= top && y < top + size;
      ASSERT_EQ(SurfacePixel(s, x, y) & 0xFFFFFF, inCursor ? kRed : kBlue) << x << "," << y;
    }
}

class CursorTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(mDisplay.Init(), 0);
    FillSurface(mDisplay->mDrawSurface, kBlue);
    FillSurface(mDisplay->mPrimarySurface, kBlue);
    mCursor = SolidImage(mDisplay.get(), 8, 8, 0xFFFF0000);
  }
  TestDisplay mDisplay{32, 100, 80};
  std::unique_ptr<DDImage> mCursor;
};

TEST_F(CursorTest, DrawnIntoTheFrameAndTakenOutOfTheBuffer) {
  EXPECT_TRUE(mDisplay->SetCursorImage(mCursor.get()));
  EXPECT_FALSE(mDisplay->SetCursorImage(mCursor.get()));
  mDisplay->mInRedraw = true;  // a frame is due: the position is only stored
  mDisplay->SetCursorPos(50, 40);
  mDisplay->mInRedraw = false;
  EXPECT_FALSE(mDisplay->mHasOldCursorArea);
  ASSERT_TRUE(mDisplay->Redraw());
  // Centred in the 64 x 64 box around the mouse: 8 x 8 from (46, 36).
  ExpectCursorAt(mDisplay->mPrimarySurface, 46, 36, 8, 100, 80);
  ExpectCursorAt(mDisplay->mDrawSurface, 0, 0, 0, 100, 80);
  EXPECT_TRUE(mDisplay->mHasOldCursorArea);
}

TEST_F(CursorTest, MovesLeaveNoTrace) {
  mDisplay->SetCursorImage(mCursor.get());
  mDisplay->SetCursorPos(50, 40);
  ExpectCursorAt(mDisplay->mPrimarySurface, 46, 36, 8, 100, 80);
  EXPECT_TRUE(mDisplay->mHasOldCursorArea);
  // A few pixels: the boxes overlap.
  mDisplay->SetCursorPos(53, 42);
  ExpectCursorAt(mDisplay->mPrimarySurface, 49, 38, 8, 100, 80);
  mDisplay->SetCursorPos(48, 37);
  ExpectCursorAt(mDisplay->mPrimarySurface, 44, 33, 8, 100, 80);
  // Far away: no overlap.
  mDisplay->SetCursorPos(10, 70);
  ExpectCursorAt(mDisplay->mPrimarySurface, 6, 66, 8, 100, 80);
  EXPECT_EQ(mDisplay->mCursorDrawnX, 10);
  // The next frame draws over everything and the cursor again.
  ASSERT_TRUE(mDisplay->Redraw());
  ExpectCursorAt(mDisplay->mPrimarySurface, 6, 66, 8, 100, 80);
}

TEST_F(CursorTest, LargeImagesAreClippedToTheBox) {
  auto big = SolidImage(mDisplay.get(), 80, 80, 0xFFFF0000);
  mDisplay->SetCursorImage(big.get());
  mDisplay->SetCursorPos(50, 40);
  // The box is (18, 8) to (82, 72): all red inside, blue outside.
  ExpectCursorAt(mDisplay->mPrimarySurface, 18, 8, 64, 100, 80);
}

TEST_F(CursorTest, WithoutAnImageNothingIsShown) {
  mDisplay->SetCursorImage(mCursor.get());
  mDisplay->SetCursorPos(50, 40);
  EXPECT_TRUE(mDisplay->SetCursorImage(nullptr));
  mDisplay->DrawCursorTo(mDisplay->mPrimarySurface, true);
  EXPECT_FALSE(mDisplay->mHasOldCursorArea);
  ASSERT_TRUE(mDisplay->Redraw());
  ExpectCursorAt(mDisplay->mPrimarySurface, 0, 0, 0, 100, 80);
}

// A window hanging over the desktop's top-left corner: saving the
// background fails once and is retried clipped to the primary.
TEST(Cursor, WindowPartlyOffTheDesktop) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  TestDisplay display(32, 100, 80);
  SdlWindowDesc desc;
  desc.width = 100;
  desc.height = 80;
  auto window = SdlWindow::Create(desc);
  ASSERT_TRUE(window);
  window->OnMoved(-20, -10);
  ASSERT_EQ(display.Init(window->Handle()), 0);
  FillSurface(display->mPrimarySurface, kBlue);
  auto cursor = SolidImage(display.get(), 8, 8, 0xFFFF0000);
  display->SetCursorImage(cursor.get());
  display->SetCursorPos(25, 15);  // (5, 5) on the desktop
  EXPECT_TRUE(display->mHasOldCursorArea);
  ExpectCursorAt(display->mPrimarySurface, 1, 1, 8, 60, 60);
  display->Cleanup();
}

}  // namespace
}  // namespace Plix
