#include <gtest/gtest.h>

#include "framework/widget/Checkbox.h"
#include "framework/widget/CheckboxListener.h"
#include "framework/widget/Slider.h"
#include "framework/widget/SliderListener.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetImages.h"
#include "tests/widget/RecordingWidget.h"
#include "tests/widget/WidgetTestSupport.h"

namespace Plix {
namespace {

using Testing::EventLog;

struct Recorder : CheckboxListener, SliderListener {
  EventLog mLog;
  void OnCheckboxChanged(int id, bool checked) override {
    mLog.push_back("check " + std::to_string(id) + " " + std::to_string(checked));
  }
  void OnSliderValue(int id, double value) override {
    mLog.push_back("slider " + std::to_string(id) + " " + std::to_string(value));
  }
};

class ControlTest : public ::testing::Test {
protected:
  void SetUp() override { Testing::SizeManager(mManager); }
  EventLog Take() {
    EventLog out;
    out.swap(mRecorder.mLog);
    return out;
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  WidgetManager mManager;
  Recorder mRecorder;
};

TEST_F(ControlTest, CheckboxTogglesOnAnyPress) {
  Checkbox box(3, &mRecorder);
  box.Resize(10, 10, 20, 20);
  mManager.AddWidget(&box);
  mManager.MouseDown(15, 15, 1);
  mManager.MouseUp(15, 15, 1);
  mManager.MouseDown(15, 15, -1);
  mManager.MouseUp(15, 15, -1);
  mManager.MouseDown(15, 15, 2);
  EXPECT_EQ(Take(), (EventLog{"check 3 1", "check 3 0", "check 3 1"}));
  EXPECT_TRUE(box.IsChecked());
  EXPECT_EQ(mHost.mCursors, (std::vector<int>{CURSOR_HAND}));  // a hand over it
  mManager.MouseUp(15, 15, 1);
  mManager.RemoveWidget(&box);
}

TEST_F(ControlTest, CheckboxSetCheckedTellsOnlyWhenAsked) {
  Checkbox box(3, &mRecorder);
  box.SetChecked(true, false);
  EXPECT_TRUE(box.IsChecked());
  EXPECT_TRUE(Take().empty());
  box.SetChecked(true, true);  // no change, still told
  EXPECT_EQ(Take(), (EventLog{"check 3 1"}));
  Checkbox quiet(4, nullptr);
  quiet.MouseDown(1, 1, 1);
  EXPECT_TRUE(quiet.IsChecked());
}

TEST_F(ControlTest, CheckboxWithoutImagesDrawsTheBuiltInLook) {
  ASSERT_EQ(IMAGE_DIALOG_CHECKBOX, nullptr);  // not bound in this test program
  MemoryImage target;
  target.Create(10, 10);
  Checkbox box(1, nullptr);
  box.Resize(0, 0, 10, 10);
  Graphics g(&target);
  box.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 0, 0, 0xFFFFFF));
  EXPECT_TRUE(Testing::PixelNear(target, 1, 1, 0x505050));
  box.SetChecked(true, false);
  box.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 1, 1, 0xFFFF00));
  EXPECT_TRUE(Testing::PixelNear(target, 9, 1, 0xFFFF00));
  EXPECT_TRUE(Testing::PixelNear(target, 4, 2, 0x505050));
}

TEST_F(ControlTest, CheckboxImagesAndCells) {
  auto strip = Testing::SolidImage(20, 10, 0xFFFF0000);
  for (int y = 0; y < 10; ++y)
    for (int x = 10; x < 20; ++x) strip->GetBits()[y * 20 + x] = 0xFF0000FF;
  strip->OnBitsChanged();
  MemoryImage target;
  target.Create(10, 10);
  Graphics g(&target);
  Checkbox box(1, nullptr);
  box.Resize(0, 0, 10, 10);
  box.mUncheckedImage = strip.get();
  box.mCheckedImage = nullptr;  // one image alone, no rectangles: nothing drawn
  box.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 5, 5, 0));
  box.mUncheckedRect = Rect(0, 0, 10, 10);
  box.mCheckedRect = Rect(10, 0, 10, 10);
  box.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 5, 5, 0xFF0000));
  box.SetChecked(true, false);
  box.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 5, 5, 0x0000FF));
}

class SliderTest : public ControlTest {
protected:
  void SetUp() override {
    ControlTest::SetUp();
    mThumb = Testing::SolidImage(20, 10, 0xFF00FF00);
    mSlider.mThumbImage = mThumb.get();
    mSlider.Resize(100, 50, 200, 20);
    mManager.AddWidget(&mSlider);
  }
  void TearDown() override { mManager.RemoveWidget(&mSlider); }

  std::unique_ptr<MemoryImage> mThumb;
  Slider mSlider{5, &mRecorder};
};

TEST_F(SliderTest, GrabbingTheThumbAndDraggingToTheEnd) {
  mSlider.SetValue(0.5);  // thumb at x 90
  mManager.MouseDown(195, 60, 1);
  EXPECT_TRUE(mSlider.mDragging);
  EXPECT_EQ(mSlider.mRelX, 5);
  EXPECT_EQ(mHost.LastCursor(), CURSOR_DRAGGING);
  EXPECT_TRUE(Take().empty());
  mManager.MouseMove(285, 60);  // (185 - 5) / 180
  EXPECT_EQ(mSlider.mVal, 1.0);
  EXPECT_EQ(Take(), (EventLog{"slider 5 1.000000"}));
  mManager.MouseMove(290, 60);  // clamped again: told once
  mManager.MouseMove(500, 60);
  EXPECT_TRUE(Take().empty());
  mManager.MouseMove(0, 60);
  EXPECT_EQ(mSlider.mVal, 0.0);
  mManager.MouseUp(0, 60, 1);
  EXPECT_EQ(Take(), (EventLog{"slider 5 0.000000", "slider 5 0.000000"}));
  EXPECT_FALSE(mSlider.mDragging);
  EXPECT_EQ(mHost.LastCursor(), CURSOR_POINTER);
}

TEST_F(SliderTest, ClickBesideTheThumbJumpsAndTellsOnRelease) {
  mManager.MouseDown(150, 60, 1);
  EXPECT_EQ(mSlider.mVal, 0.25);
  EXPECT_FALSE(mSlider.mDragging);
  EXPECT_TRUE(Take().empty());
  mManager.MouseMove(170, 60);  // not dragging: no change
  EXPECT_EQ(mSlider.mVal, 0.25);
  mManager.MouseUp(170, 60, 1);
  EXPECT_EQ(Take(), (EventLog{"slider 5 0.250000"}));
}

TEST_F(SliderTest, ValueIsClamped) {
  mSlider.SetValue(1.7);
  EXPECT_EQ(mSlider.mVal, 1.0);
  mSlider.SetValue(-3);
  EXPECT_EQ(mSlider.mVal, 0.0);
  EXPECT_TRUE(Take().empty());
}

TEST_F(SliderTest, CursorOverTheThumb) {
  mSlider.SetValue(0.5);
  mManager.MouseMove(195, 60);
  EXPECT_EQ(mHost.LastCursor(), CURSOR_DRAGGING);
  mManager.MouseMove(150, 60);
  EXPECT_EQ(mHost.LastCursor(), CURSOR_POINTER);
}

TEST_F(SliderTest, VerticalSliderUsesTheHeight) {
  mSlider.mHorizontal = false;
  mSlider.Resize(100, 50, 20, 110);  // 100 of travel for a 10 high thumb
  mManager.MouseDown(110, 52, 1);    // on the thumb at value 0
  EXPECT_EQ(mSlider.mRelY, 2);
  mManager.MouseMove(110, 102);  // (52 - 2) / 100
  EXPECT_EQ(mSlider.mVal, 0.5);
  mManager.MouseUp(110, 102, 1);
}

TEST_F(SliderTest, DrawsTheThumbAtItsValueAndTheTrackInThreeCells) {
  auto track = Testing::SolidImage(30, 6, 0xFFFF0000);  // three 10-wide cells
  for (int y = 0; y < 6; ++y) track->GetBits()[y * 30 + 15] = 0xFF0000FF;  // a mark in the middle cell
  track->OnBitsChanged();
  mSlider.mTrackImage = track.get();
  mSlider.SetValue(0.5);
  MemoryImage target;
  target.Create(300, 100);
  Graphics g(&target);
  g.ClipRect(0, 0, 10, 10);  // the slider resets the clip
  mSlider.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 90, 5, 0x00FF00));
  EXPECT_TRUE(Testing::PixelNear(target, 109, 14, 0x00FF00));
  EXPECT_TRUE(Testing::PixelNear(target, 89, 10, 0xFF0000));  // track beside the thumb
  // Middle cells at 10, 20, ..., 180: the mark shows at 15, 25, ..., 185.
  EXPECT_TRUE(Testing::PixelNear(target, 15, 8, 0x0000FF));
  EXPECT_TRUE(Testing::PixelNear(target, 185, 8, 0x0000FF));
  EXPECT_TRUE(Testing::PixelNear(target, 195, 8, 0xFF0000));  // right cap
  EXPECT_TRUE(Testing::PixelNear(target, 5, 6, 0));           // above the track
}

TEST_F(SliderTest, WithoutImagesNothingBreaks) {
  mSlider.mThumbImage = nullptr;
  mSlider.mTrackImage = nullptr;
  MemoryImage target;
  target.Create(300, 100);
  Graphics g(&target);
  mSlider.Draw(&g);
  mManager.MouseDown(150, 60, 1);
  mManager.MouseMove(160, 60);
  mManager.MouseUp(160, 60, 1);
  EXPECT_EQ(mSlider.mVal, 0.25);
}

}  // namespace
}  // namespace Plix
