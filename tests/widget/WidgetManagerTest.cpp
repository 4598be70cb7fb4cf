#include <gtest/gtest.h>

#include <memory>

#include "framework/widget/WidgetHost.h"
#include "tests/widget/RecordingWidget.h"

namespace Plix {
namespace {

using Testing::EventLog;
using Testing::RecordingWidget;

class WidgetManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::SizeManager(mManager);
    mA = std::make_unique<RecordingWidget>(&mLog, "A", 0, 0, 100, 100);
    mB = std::make_unique<RecordingWidget>(&mLog, "B", 100, 0, 100, 100);
    mManager.AddWidget(mA.get());
    mManager.AddWidget(mB.get());
    mLog.clear();
  }

  EventLog Take() {
    EventLog out;
    out.swap(mLog);
    return out;
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  EventLog mLog;
  WidgetManager mManager;
  std::unique_ptr<RecordingWidget> mA, mB;
};

TEST_F(WidgetManagerTest, HoverLeavesBeforeEnteringBeforeMoving) {
  mManager.MouseMove(10, 10);
  EXPECT_EQ(Take(), (EventLog{"A.enter", "A.move 10 10"}));
  mManager.MouseMove(150, 20);
  EXPECT_EQ(Take(), (EventLog{"A.leave", "B.enter", "B.move 50 20"}));
  mManager.MouseMove(160, 20);
  EXPECT_EQ(Take(), (EventLog{"B.move 60 20"}));
  mManager.MouseMove(160, 20);
  EXPECT_EQ(Take(), EventLog{});
  EXPECT_TRUE(mB->mIsOver);
  EXPECT_FALSE(mA->mIsOver);
  mManager.MouseExit();
  EXPECT_EQ(Take(), (EventLog{"B.leave"}));
  EXPECT_FALSE(mManager.mMouseIn);
}

TEST_F(WidgetManagerTest, PressDragAndReleaseStayWithTheHolder) {
  mManager.MouseMove(10, 10);
  mManager.MouseDown(10, 10, 1);
  EXPECT_TRUE(mA->mIsDown);
  mManager.MouseMove(150, 10);  // off A, over B: B is not entered
  mManager.MouseMove(20, 30);   // back onto A
  mManager.MouseMove(150, 40);
  mManager.MouseUp(150, 40, 1);
  EXPECT_EQ(Take(), (EventLog{"A.enter", "A.move 10 10", "A.down 10 10 0 1", "A.drag 150 10", "A.leave",
                              "A.drag 20 30", "A.enter", "A.drag 150 40", "A.leave", "A.up 150 40 0 1",
                              "B.enter", "B.move 50 40"}));
  EXPECT_FALSE(mA->mIsDown);
  EXPECT_EQ(mManager.mLastDownWidget, nullptr);
  EXPECT_EQ(mManager.mDownButtons, 0);
}

TEST_F(WidgetManagerTest, SignedClickCountsDecodeToButtonAndCount) {
  struct Case {
    int clickCount;
    const char* expected;
    int bit;
  };
  const Case cases[] = {
      {1, "A.down 5 5 0 1", 1}, {2, "A.down 5 5 0 2", 1}, {-1, "A.down 5 5 1 1", 2},
      {-2, "A.down 5 5 1 2", 2}, {3, "A.down 5 5 2 1", 4}, {0, "A.down 5 5 0 0", 1},
  };
  for (const Case& c : cases) {
    mManager.MouseDown(5, 5, c.clickCount);
    EventLog log = Take();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), c.expected) << c.clickCount;
    EXPECT_EQ(mManager.mDownButtons, c.bit) << c.clickCount;
    mManager.MouseUp(5, 5, c.clickCount);
    EXPECT_EQ(mManager.mDownButtons, 0) << c.clickCount;
    Take();
  }
}

TEST_F(WidgetManagerTest, RightReleaseClearsOnlyTheRightBit) {
  mManager.MouseDown(5, 5, 1);
  mManager.MouseDown(5, 5, -1);
  EXPECT_EQ(mManager.mDownButtons, 3);
  EXPECT_EQ(mManager.mLastDownButtonId, -1);
  mManager.MouseUp(5, 5, -1);
  EXPECT_EQ(mManager.mDownButtons, 1);
  EXPECT_EQ(mManager.mLastDownWidget, mA.get());  // still held by the left button
  mManager.MouseUp(5, 5, 1);
  EXPECT_EQ(mManager.mDownButtons, 0);
  EXPECT_EQ(mManager.mLastDownWidget, nullptr);
}

TEST_F(WidgetManagerTest, ReleaseOfANestedControlIsInItsOwnCoordinates) {
  RecordingWidget dialog(&mLog, "D", 300, 200, 200, 100);
  RecordingWidget control(&mLog, "C", 20, 30, 50, 20);
  dialog.AddWidget(&control);
  mManager.AddWidget(&dialog);
  Take();
  mManager.MouseDown(325, 235, 1);
  mManager.MouseMove(330, 240);
  mManager.MouseUp(330, 240, 1);
  EventLog log = Take();
  EXPECT_NE(std::find(log.begin(), log.end(), "C.down 5 5 0 1"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "C.drag 10 10"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "C.up 10 10 0 1"), log.end());

  // A forced release too.
  mManager.MouseDown(325, 235, 1);
  Take();
  mManager.ReleaseMouseCapture();
  EXPECT_EQ(Take(), (EventLog{"C.up 5 5 0 1"}));
  mManager.RemoveWidget(&dialog);
}

TEST_F(WidgetManagerTest, FocusByClickAndTabNeighbours) {
  mA->mWantsFocus = true;
  mA->mTabNext = mB.get();
  mB->mTabPrev = mA.get();
  mManager.MouseDown(5, 5, 1);
  mManager.MouseUp(5, 5, 1);
  EXPECT_EQ(mManager.mFocusWidget, mA.get());
  Take();

  mManager.KeyChar(L'x');
  mManager.KeyDown(9);  // Tab: to the next neighbour
  EXPECT_EQ(Take(), (EventLog{"A.char 120", "A.keydown 9", "A.lostfocus", "B.gotfocus"}));
  mManager.KeyUp(9);
  mManager.KeyDown(16);
  mManager.KeyDown(9);  // Shift+Tab: back
  EXPECT_EQ(Take(), (EventLog{"B.keyup 9", "B.keydown 16", "B.keydown 9", "B.lostfocus", "A.gotfocus"}));
  mManager.MouseWheel(-2);
  EXPECT_EQ(Take(), (EventLog{"A.wheel -2"}));
}

TEST_F(WidgetManagerTest, CtrlTabGoesToTheDefaultTabWidgetOnly) {
  mManager.SetFocus(mA.get());
  mManager.KeyDown(17);
  Take();
  mManager.KeyChar(L'\t');
  mManager.KeyUp(9);
  EXPECT_EQ(Take(), EventLog{});
  mManager.mDefaultTab = mB.get();
  mManager.KeyChar(L'\t');
  mManager.KeyDown(9);  // the key press itself still reaches the focus
  EXPECT_EQ(Take(), (EventLog{"B.char 9", "A.keydown 9"}));
}

TEST_F(WidgetManagerTest, LosingTheWindowFocusReleasesHeldKeysFirst) {
  mManager.SetFocus(mA.get());
  mManager.KeyDown(65);
  mManager.KeyDown(16);
  Take();
  mManager.LostFocus();
  EXPECT_EQ(Take(), (EventLog{"A.keyup 16", "A.keyup 65", "A.lostfocus"}));
  EXPECT_FALSE(mManager.IsKeyDown(65));
  mManager.LostFocus();
  EXPECT_EQ(Take(), EventLog{});
  mManager.GotFocus();
  EXPECT_EQ(Take(), (EventLog{"A.gotfocus"}));
}

TEST_F(WidgetManagerTest, SetFocusIgnoresWidgetsOutsideTheTree) {
  RecordingWidget stray(&mLog, "S", 0, 0, 10, 10);
  mManager.SetFocus(mA.get());
  mManager.SetFocus(&stray);
  EXPECT_EQ(mManager.mFocusWidget, nullptr);
  EXPECT_EQ(Take(), (EventLog{"A.gotfocus", "A.lostfocus"}));
}

TEST_F(WidgetManagerTest, ModalBaseCutsOffWidgetsBehindIt) {
  RecordingWidget dialog(&mLog, "D", 400, 300, 100, 100);
  mManager.SetFocus(mA.get());
  mManager.MouseMove(10, 10);
  mManager.AddWidget(&dialog);
  Take();

  mManager.PushModalBase(&dialog);
  EXPECT_EQ(Take(), (EventLog{"A.leave", "A.lostfocus"}));
  EXPECT_EQ(mManager.mFocusWidget, nullptr);

  mManager.MouseDown(10, 10, 1);
  mManager.MouseUp(10, 10, 1);
  mManager.MouseMove(20, 20);
  EXPECT_EQ(Take(), EventLog{});
  mManager.MouseDown(410, 310, 1);
  mManager.MouseUp(410, 310, 1);
  EXPECT_EQ(Take(), (EventLog{"D.enter", "D.move 10 10", "D.down 10 10 0 1", "D.up 10 10 0 1"}));

  mManager.PopModalBase(mA.get());  // not the last pushed: nothing
  EXPECT_EQ(mManager.mBaseModalWidget, &dialog);
  mManager.PopModalBase(&dialog);
  EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
  EXPECT_EQ(mManager.mFocusWidget, mA.get());
  EXPECT_EQ(Take(), (EventLog{"A.gotfocus"}));
  EXPECT_TRUE(mManager.mPreModalInfoList.empty());
  mManager.RemoveWidget(&dialog);
}

TEST_F(WidgetManagerTest, ModalStateHoldingTheMouseReleasesItsHolder) {
  RecordingWidget dialog(&mLog, "D", 400, 300, 100, 100);
  mManager.AddWidget(&dialog);
  mManager.MouseDown(10, 10, 1);
  Take();
  mManager.PushModalBase(&dialog);
  EXPECT_EQ(Take(), (EventLog{"A.leave", "A.up 10 10 0 1"}));
  EXPECT_EQ(mManager.mLastDownWidget, nullptr);
  mManager.MouseUp(10, 10, 1);
  EXPECT_EQ(Take(), EventLog{});
  mManager.PopModalBase(&dialog);
  mManager.RemoveWidget(&dialog);
}

TEST_F(WidgetManagerTest, PopUnwindsPastABaseThatLeftTheTree) {
  RecordingWidget first(&mLog, "D1", 400, 300, 100, 100);
  RecordingWidget second(&mLog, "D2", 500, 300, 100, 100);
  mManager.AddWidget(&first);
  mManager.AddWidget(&second);
  mManager.PushModalBase(&first);
  mManager.PushModalBase(&second);
  mManager.RemoveWidget(&first);  // clears it from the second entry
  mManager.PopModalBase(&second);
  EXPECT_EQ(mManager.mBaseModalWidget, nullptr);
  EXPECT_TRUE(mManager.mPreModalInfoList.empty());
  mManager.RemoveWidget(&second);
}

TEST_F(WidgetManagerTest, DisabledWidgetsAreNoHitAndLoseHoverAndFocus) {
  mManager.SetFocus(mA.get());
  mManager.MouseMove(10, 10);
  Take();
  mA->SetDisabled(true);
  EXPECT_EQ(Take(), (EventLog{"A.leave", "A.lostfocus"}));
  mManager.MouseMove(11, 11);
  mManager.MouseDown(11, 11, 1);
  mManager.MouseUp(11, 11, 1);
  EXPECT_EQ(Take(), EventLog{});
  mA->SetDisabled(false);  // under the mouse again: re-entered
  EXPECT_EQ(Take(), (EventLog{"A.enter", "A.move 11 11"}));
}

TEST_F(WidgetManagerTest, RemovingTheHolderReleasesItAndForgetsIt) {
  mManager.MouseDown(10, 10, 1);
  Take();
  mManager.RemoveWidget(mA.get());
  EXPECT_EQ(Take(), (EventLog{"A.leave", "A.up 10 10 0 1"}));
  EXPECT_EQ(mManager.mLastDownWidget, nullptr);
  EXPECT_EQ(mManager.mOverWidget, nullptr);
  EXPECT_EQ(mA->mWidgetManager, nullptr);
  mManager.MouseUp(10, 10, 1);
  EXPECT_EQ(Take(), EventLog{});
}

TEST_F(WidgetManagerTest, HitTestingHonoursVisibilityInsetsAndClickThrough) {
  struct HalfVisible : RecordingWidget {
    using RecordingWidget::RecordingWidget;
    bool IsPointVisible(int x, int y) override { return x < 50; }
  };
  HalfVisible front(&mLog, "F", 0, 0, 100, 100);
  mManager.AddWidget(&front);
  int lx = 0, ly = 0;
  EXPECT_EQ(mManager.GetWidgetAt(10, 10, &lx, &ly), &front);
  EXPECT_EQ(mManager.GetWidgetAt(60, 10, &lx, &ly), mA.get());  // click-through
  front.mMouseVisible = false;
  EXPECT_EQ(mManager.GetWidgetAt(10, 10, &lx, &ly), mA.get());
  front.mMouseVisible = true;
  front.mMouseInsets = Insets{5, 5, 0, 0};
  EXPECT_EQ(mManager.GetWidgetAt(2, 2, &lx, &ly), mA.get());
  front.mWidgetFlagsMod.mRemoveFlags = FlagAllowMouse;
  EXPECT_EQ(mManager.GetWidgetAt(10, 10, &lx, &ly), mA.get());
  front.mWidgetFlagsMod.mRemoveFlags = 0;
  front.SetVisible(false);
  EXPECT_EQ(mManager.GetWidgetAt(10, 10, &lx, &ly), mA.get());
  EXPECT_EQ(lx, 10);
  mManager.RemoveWidget(&front);
}

TEST_F(WidgetManagerTest, ChildrenAreHitBeforeTheirParent) {
  RecordingWidget child(&mLog, "C", 10, 20, 30, 30);
  mA->AddWidget(&child);
  int lx = 0, ly = 0;
  EXPECT_EQ(mManager.GetWidgetAt(15, 25, &lx, &ly), &child);
  EXPECT_EQ(lx, 5);
  EXPECT_EQ(ly, 5);
  EXPECT_EQ(mManager.GetWidgetAt(50, 60, &lx, &ly), mA.get());
  mA->RemoveWidget(&child);
}

TEST_F(WidgetManagerTest, ScaleMousePositionMapsThePictureOntoWidgetSpace) {
  // An 800 x 600 screen shown 1600 x 1200 at (100, 50) of the window.
  mManager.Resize(Rect(0, 0, 800, 600), Rect(100, 50, 1600, 1200));
  int x = 900, y = 650;
  mManager.ScaleMousePosition(x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);
  // A screen centred in a bigger widget space.
  mManager.Resize(Rect(16, 8, 800, 600), Rect(0, 0, 800, 600));
  EXPECT_EQ(mManager.mWidth, 832);
  EXPECT_EQ(mManager.mHeight, 616);
  x = 0;
  y = 0;
  mManager.ScaleMousePosition(x, y);
  EXPECT_EQ(x, 16);
  EXPECT_EQ(y, 8);
}

TEST_F(WidgetManagerTest, HandCursorFollowsHoverOfFingerWidgets) {
  mA->mDoFinger = true;
  mManager.MouseMove(10, 10);
  mManager.MouseMove(150, 10);
  EXPECT_EQ(mHost.mCursors, (std::vector<int>{1, 0}));
}

TEST_F(WidgetManagerTest, AddingAWidgetUnderTheMouseEntersIt) {
  mManager.MouseMove(10, 10);
  Take();
  RecordingWidget front(&mLog, "F", 0, 0, 50, 50);
  mManager.AddWidget(&front);
  EXPECT_EQ(Take(), (EventLog{"A.leave", "F.enter", "F.move 10 10"}));
  mManager.RemoveWidget(&front);
  EXPECT_EQ(Take(), (EventLog{"F.leave"}));
  mManager.MouseMove(10, 10);
  EXPECT_EQ(Take(), (EventLog{"A.enter", "A.move 10 10"}));
}

}  // namespace
}  // namespace Plix
