#include <gtest/gtest.h>

#include "framework/widget/ButtonListener.h"
#include "framework/widget/ButtonWidget.h"
#include "framework/widget/WidgetHost.h"
#include "tests/widget/RecordingWidget.h"
#include "tests/widget/WidgetTestSupport.h"

namespace Plix {
namespace {

using Testing::EventLog;

class RecordingButtonListener : public ButtonListener {
public:
  EventLog mLog;
  void ButtonPressedWithClicks(int id, int clickCount) override {
    mLog.push_back("pressedclicks " + std::to_string(id) + " " + std::to_string(clickCount));
    ButtonListener::ButtonPressedWithClicks(id, clickCount);
  }
  void ButtonPressed(int id) override { mLog.push_back("pressed " + std::to_string(id)); }
  void ButtonReleased(int id) override { mLog.push_back("released " + std::to_string(id)); }
  void ButtonHeldTick(int id) override { mLog.push_back("held " + std::to_string(id)); }
  void ButtonHoverEnter(int id) override { mLog.push_back("enter " + std::to_string(id)); }
  void ButtonHoverLeave(int id) override { mLog.push_back("leave " + std::to_string(id)); }
  void ButtonHoverMove(int id, int x, int y) override {
    mLog.push_back("move " + std::to_string(id) + " " + std::to_string(x) + " " + std::to_string(y));
  }
};

class ButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::SizeManager(mManager);
    mButton.Resize(100, 100, 80, 20);
    mManager.AddWidget(&mButton);
  }
  void TearDown() override { mManager.RemoveWidget(&mButton); }

  EventLog Take() {
    EventLog out;
    out.swap(mListener.mLog);
    return out;
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  WidgetManager mManager;
  RecordingButtonListener mListener;
  ButtonWidget mButton{7, &mListener};
};

TEST_F(ButtonTest, ClickReportsPressThenReleaseOverTheButton) {
  mManager.MouseMove(110, 105);
  mManager.MouseDown(110, 105, 1);
  mManager.MouseUp(110, 105, 1);
  EXPECT_EQ(Take(), (EventLog{"enter 7", "move 7 10 5", "pressedclicks 7 1", "pressed 7", "released 7"}));
  mManager.MouseDown(110, 105, 2);
  mManager.MouseUp(110, 105, 1);
  EXPECT_EQ(Take(), (EventLog{"pressedclicks 7 2", "pressed 7", "released 7"}));
}

TEST_F(ButtonTest, ReleaseOutsideOrWhileTheWindowIsInactiveIsNoClick) {
  mManager.MouseDown(110, 105, 1);
  mManager.MouseMove(300, 300);
  mManager.MouseUp(300, 300, 1);
  EventLog log = Take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "released 7"), 0);
  mManager.MouseDown(110, 105, 1);
  mManager.LostFocus();
  mManager.MouseUp(110, 105, 1);
  log = Take();
  EXPECT_EQ(std::count(log.begin(), log.end(), "released 7"), 0);
}

TEST_F(ButtonTest, HeldTicksOnlyWhileOverTheButton) {
  mManager.MouseDown(110, 105, 1);
  Take();
  mManager.UpdateTick();
  mManager.UpdateTick();
  EXPECT_EQ(Take(), (EventLog{"held 7", "held 7"}));
  mManager.MouseMove(300, 300);
  mManager.UpdateTick();
  EXPECT_EQ(Take(), (EventLog{"leave 7"}));
  mManager.MouseMove(111, 105);
  mManager.UpdateTick();
  EXPECT_EQ(Take(), (EventLog{"enter 7", "held 7"}));
  mManager.MouseUp(111, 105, 1);
  mManager.UpdateTick();
  EXPECT_EQ(Take(), (EventLog{"released 7"}));
}

TEST_F(ButtonTest, HoverRepaintsOnlyWhenTheLookChanges) {
  mManager.mDirty = false;
  mButton.mDirty = false;
  mManager.MouseMove(110, 105);  // no over look, equal label colours
  EXPECT_FALSE(mButton.mDirty);
  mManager.MouseMove(300, 300);
  mButton.SetColor(ButtonWidget::COLOR_LABEL_HILITE, Color(255, 0, 0));
  mButton.mDirty = false;
  mManager.MouseMove(110, 105);
  EXPECT_TRUE(mButton.mDirty);
}

TEST_F(ButtonTest, OverAlphaFadesInAndOut) {
  auto over = Testing::SolidImage(4, 4, 0xFFFF0000);
  mButton.mOverImage = over.get();
  mButton.mOverAlphaFadeInSpeed = 0.1;
  mButton.mOverAlphaSpeed = 0.25;
  mManager.MouseMove(110, 105);
  for (int i = 0; i < 20; ++i) mManager.UpdateTick();
  EXPECT_EQ(mButton.mOverAlpha, 1.0);
  mManager.MouseMove(300, 300);
  std::vector<double> alphas;
  for (int i = 0; i < 5; ++i) {
    mManager.UpdateTick();
    alphas.push_back(mButton.mOverAlpha);
  }
  EXPECT_EQ(alphas, (std::vector<double>{0.75, 0.5, 0.25, 0, 0}));
}

TEST_F(ButtonTest, FadeOutStartsFromTheFullOverLookWithoutFadeIn) {
  mButton.mOverAlphaSpeed = 0.5;
  mManager.MouseMove(110, 105);
  mManager.MouseMove(300, 300);
  EXPECT_EQ(mButton.mOverAlpha, 1.0);
  mManager.UpdateTick();
  EXPECT_EQ(mButton.mOverAlpha, 0.5);
}

// Drawing.
class ButtonDrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    mTarget.Create(40, 20);
    mFont.mLog = &mTextLog;
  }
  void Draw(ButtonWidget& button) {
    Graphics g(&mTarget);
    button.Draw(&g);
  }

  MemoryImage mTarget;
  EventLog mTextLog;
  Testing::TestFont mFont;
};

TEST_F(ButtonDrawTest, ColourBevelUpAndPressed) {
  ButtonWidget button(1, nullptr);
  button.Resize(0, 0, 40, 20);
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 0, 0, 0xFFFFFF));    // light top-left
  EXPECT_TRUE(Testing::PixelNear(mTarget, 39, 19, 0x000000));  // dark bottom-right
  EXPECT_TRUE(Testing::PixelNear(mTarget, 38, 10, 0x848484));  // medium inner right
  EXPECT_TRUE(Testing::PixelNear(mTarget, 10, 10, 0xD4D4D4));  // background
  button.mIsDown = button.mIsOver = true;
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 0, 0, 0x000000));
  EXPECT_TRUE(Testing::PixelNear(mTarget, 39, 19, 0xFFFFFF));
  EXPECT_TRUE(Testing::PixelNear(mTarget, 1, 10, 0x848484));
}

TEST_F(ButtonDrawTest, LabelPositionAndPressedShift) {
  ButtonWidget button(1, nullptr);
  button.Resize(0, 0, 40, 20);
  button.SetFont(&mFont);
  button.mLabel = L"ab";
  Draw(button);
  // x = (40 - 20) / 2, y = (20 + 12 - 2 - 1) / 2
  EXPECT_EQ(mTextLog, (EventLog{"ab 10,14 0,0,0"}));
  mTextLog.clear();
  button.mInverted = true;  // the pressed look without a press
  Draw(button);
  EXPECT_EQ(mTextLog, (EventLog{"ab 11,15 0,0,0"}));
  mTextLog.clear();
  button.mInverted = false;
  button.mLabelJustify = 1;
  button.mLabelOffsetX = -3;
  Draw(button);
  EXPECT_EQ(mTextLog, (EventLog{"ab 17,14 0,0,0"}));
}

TEST_F(ButtonDrawTest, FrameNoDrawLeavesOnlyTheLabel) {
  ButtonWidget button(1, nullptr);
  button.Resize(0, 0, 40, 20);
  button.SetFont(&mFont);
  button.mLabel = L"ab";
  button.mFrameNoDraw = true;
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 10, 10, 0));
  EXPECT_EQ(mTextLog.size(), 1u);
  button.mBtnNoDraw = true;
  Draw(button);
  EXPECT_EQ(mTextLog.size(), 1u);
}

TEST_F(ButtonDrawTest, ARectangleAloneStillDrawsTheColourBevel) {
  ButtonWidget button(1, nullptr);
  button.Resize(0, 0, 40, 20);
  button.mNormalRect = Rect(0, 0, 40, 20);
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 10, 10, 0xD4D4D4));
}

TEST_F(ButtonDrawTest, StatesAreCutFromTheNormalImage) {
  // Left half red, right half blue.
  auto strip = Testing::SolidImage(80, 20, 0xFFFF0000);
  for (int y = 0; y < 20; ++y)
    for (int x = 40; x < 80; ++x) strip->GetBits()[y * 80 + x] = 0xFF0000FF;
  strip->OnBitsChanged();
  auto other = Testing::SolidImage(40, 20, 0xFF00FF00);
  ButtonWidget button(1, nullptr);
  button.Resize(0, 0, 40, 20);
  button.mNormalImage = strip.get();
  button.mOverImage = other.get();  // ignored: the over rectangle cuts from the normal image
  button.mNormalRect = Rect(0, 0, 40, 20);
  button.mOverRect = Rect(40, 0, 40, 20);
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 5, 5, 0xFF0000));
  button.mIsOver = true;
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 5, 5, 0x0000FF));
}

TEST_F(ButtonDrawTest, DisabledImageWins) {
  auto normal = Testing::SolidImage(40, 20, 0xFFFF0000);
  auto disabled = Testing::SolidImage(40, 20, 0xFF00FF00);
  ButtonWidget button(1, nullptr);
  button.Resize(0, 0, 40, 20);
  button.mNormalImage = normal.get();
  button.mDisabledImage = disabled.get();
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 5, 5, 0xFF0000));
  button.SetDisabled(true);
  Draw(button);
  EXPECT_TRUE(Testing::PixelNear(mTarget, 5, 5, 0x00FF00));
}

}  // namespace
}  // namespace Plix
