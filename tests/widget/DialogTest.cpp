#include <gtest/gtest.h>

#include "framework/widget/Dialog.h"
#include "framework/widget/DialogButton.h"
#include "framework/widget/DialogListener.h"
#include "framework/widget/WidgetHost.h"
#include "tests/widget/RecordingWidget.h"
#include "tests/widget/WidgetTestSupport.h"

namespace Plix {
namespace {

using Testing::EventLog;

class RecordingDialogListener : public DialogListener {
public:
  EventLog mLog;
  void DialogButtonPressed(int dialogId, int buttonId) override {
    mLog.push_back("pressed " + std::to_string(dialogId) + " " + std::to_string(buttonId));
  }
  void DialogButtonReleased(int dialogId, int buttonId) override {
    mLog.push_back("released " + std::to_string(dialogId) + " " + std::to_string(buttonId));
  }
};

class DialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::SizeManager(mManager);
    mHost.mDialogListener = &mListener;
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  WidgetManager mManager;
  RecordingDialogListener mListener;
};

TEST_F(DialogTest, ButtonModes) {
  struct Case {
    int mode;
    const char* yes;
    const char* no;
  };
  const Case cases[] = {{1, "YES", "NO"}, {2, "OK", "CANCEL"}, {3, "Continue", nullptr}, {0, nullptr, nullptr},
                        {7, nullptr, nullptr}};
  for (const Case& c : cases) {
    Dialog dialog(nullptr, 9, true, L"Head", L"Lines", L"Continue", c.mode);
    EXPECT_EQ(dialog.mYesButton != nullptr, c.yes != nullptr) << c.mode;
    EXPECT_EQ(dialog.mNoButton != nullptr, c.no != nullptr) << c.mode;
    if (c.yes != nullptr) {
      EXPECT_EQ(WStringToString(dialog.mYesButton->mLabel), c.yes);
      EXPECT_EQ(dialog.mYesButton->mId, 1000);
      EXPECT_EQ(dialog.mYesButton->GetColor(0), Color(0, 0, 0));  // the dialog's row 3
    }
    if (c.no != nullptr) {
      EXPECT_EQ(WStringToString(dialog.mNoButton->mLabel), c.no);
      EXPECT_EQ(dialog.mNoButton->mId, 1001);
    }
    EXPECT_EQ(dialog.mResult, 0x7FFFFFFF);
    EXPECT_EQ(dialog.mDialogListener, &mListener);
  }
}

TEST_F(DialogTest, TwoButtonsShareTheWidthBetweenTheInsets) {
  Dialog dialog(nullptr, 9, true, L"", L"", L"", 2);
  dialog.Resize(100, 50, 400, 300);
  EXPECT_EQ(dialog.mYesButton->GetRect(), Rect(124, 302, 172, 24));
  EXPECT_EQ(dialog.mNoButton->GetRect(), Rect(304, 302, 172, 24));
  dialog.mButtonSidePadding = 10;
  dialog.Resize(100, 50, 400, 301);
  EXPECT_EQ(dialog.mYesButton->GetRect(), Rect(134, 303, 162, 24));
  EXPECT_EQ(dialog.mNoButton->GetRect(), Rect(304, 303, 162, 24));
}

TEST_F(DialogTest, OneFooterButtonSpansTheContent) {
  Dialog dialog(nullptr, 9, true, L"", L"", L"Go on", 3);
  dialog.mBackgroundInsets = Insets{5, 0, 5, 2};
  dialog.mButtonSidePadding = 10;  // not used with one button
  dialog.Resize(0, 0, 400, 200);
  EXPECT_EQ(dialog.mYesButton->GetRect(), Rect(29, 150, 342, 24));
}

TEST_F(DialogTest, ButtonsLiveBesideTheDialogInTheManager) {
  Dialog dialog(nullptr, 9, true, L"", L"", L"", 1);
  EventLog log;
  Testing::RecordingWidget other(&log, "O", 0, 0, 1, 1);
  mManager.AddWidget(&dialog);
  EXPECT_TRUE(mManager.HasWidget(dialog.mYesButton));
  EXPECT_TRUE(mManager.HasWidget(dialog.mNoButton));
  mManager.AddWidget(&other);
  mManager.BringToFront(&dialog);
  // The buttons follow the dialog to the front.
  auto it = mManager.mWidgets.begin();
  EXPECT_EQ(*it++, &other);
  EXPECT_EQ(*it++, &dialog);
  mManager.RemoveWidget(&dialog);
  EXPECT_FALSE(mManager.HasWidget(dialog.mYesButton));
  EXPECT_FALSE(mManager.HasWidget(dialog.mNoButton));
  mManager.RemoveWidget(&other);
}

class DialogClickTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    mDialog = new Dialog(nullptr, 9, true, L"Head", L"Lines", L"", 2);
    mDialog->Resize(100, 50, 400, 300);
    mManager.AddWidget(mDialog);
    mManager.PushModalBase(mDialog);
  }
  void TearDown() override {
    if (mDialog != nullptr) {
      mManager.PopModalBase(mDialog);
      mManager.RemoveWidget(mDialog);
      delete mDialog;
    }
  }
  void Click(int x, int y) {
    mManager.MouseMove(x, y);
    mManager.MouseDown(x, y, 1);
    mManager.MouseUp(x, y, 1);
  }

  Dialog* mDialog = nullptr;
};

TEST_F(DialogClickTest, ReleasingOkGivesItsIdAsResult) {
  Click(130, 310);
  EXPECT_EQ(mDialog->mResult, 1000);
  EXPECT_EQ(mListener.mLog, (EventLog{"pressed 9 1000", "released 9 1000"}));
}

TEST_F(DialogClickTest, ReleasingCancelGivesItsId) {
  Click(310, 310);
  EXPECT_EQ(mDialog->mResult, 1001);
}

TEST_F(DialogClickTest, ReleasingBesideTheButtonGivesNothing) {
  mManager.MouseDown(130, 310, 1);
  mManager.MouseMove(130, 200);
  mManager.MouseUp(130, 200, 1);
  EXPECT_EQ(mDialog->mResult, 0x7FFFFFFF);
  EXPECT_EQ(mListener.mLog, (EventLog{"pressed 9 1000"}));
}

TEST_F(DialogClickTest, OtherButtonIdsNeverReachTheListener) {
  mDialog->ButtonPressed(5);
  mDialog->ButtonReleased(5);
  EXPECT_EQ(mDialog->mResult, 0x7FFFFFFF);
  EXPECT_TRUE(mListener.mLog.empty());
}

TEST_F(DialogClickTest, DraggingStopsEightPixelsOutside) {
  mManager.MouseDown(150, 60, 1);  // grab at (50, 10) of the dialog
  EXPECT_TRUE(mDialog->mDragging);
  EXPECT_EQ(mHost.LastCursor(), CURSOR_DRAGGING);
  mManager.MouseMove(60, 70);
  EXPECT_EQ(mDialog->GetRect(), Rect(10, 60, 400, 300));
  mManager.MouseMove(-500, -500);
  EXPECT_EQ(mDialog->mX, -8);
  EXPECT_EQ(mDialog->mY, -8);
  EXPECT_EQ(mDialog->mDragMouseX, 8);   // the grab point slid, kept inside
  EXPECT_EQ(mDialog->mDragMouseY, 8);
  mManager.MouseMove(5000, 5000);
  EXPECT_EQ(mDialog->mX, 800 - 400 + 8);
  EXPECT_EQ(mDialog->mY, 600 - 300 + 8);
  EXPECT_EQ(mDialog->mDragMouseX, 400 - 9);
  // The buttons move with it.
  EXPECT_EQ(mDialog->mYesButton->mX, mDialog->mX + 24);
  mManager.MouseUp(5000, 5000, 1);
  EXPECT_FALSE(mDialog->mDragging);
  EXPECT_EQ(mHost.LastCursor(), CURSOR_POINTER);
}

TEST_F(DialogClickTest, DoubleClickDoesNotDrag) {
  mManager.MouseDown(150, 60, 2);
  EXPECT_FALSE(mDialog->mDragging);
  mManager.MouseMove(60, 70);
  EXPECT_EQ(mDialog->mX, 100);
  mManager.MouseUp(60, 70, 1);
}

TEST_F(DialogClickTest, WaitForResultRunsStepsUntilAnswered) {
  int steps = 0;
  mHost.mStep = [&] {
    if (++steps == 3) Click(130, 310);
    return true;
  };
  EXPECT_EQ(mDialog->WaitForResult(true), 1000);
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(mHost.mClosedDialogs, (std::vector<int>{9}));
}

TEST_F(DialogClickTest, WaitForResultEndsWhenTheApplicationStops) {
  int steps = 0;
  mHost.mStep = [&] { return ++steps < 4; };
  EXPECT_EQ(mDialog->WaitForResult(false), 0x7FFFFFFF);
  EXPECT_EQ(steps, 4);
  EXPECT_TRUE(mHost.mClosedDialogs.empty());
}

TEST_F(DialogClickTest, WaitForResultEndsWhenTheDialogLeaves) {
  mHost.mStep = [&] {
    mManager.RemoveWidget(mDialog);
    return true;
  };
  EXPECT_EQ(mDialog->WaitForResult(true), 0x7FFFFFFF);
  EXPECT_EQ(mHost.mClosedDialogs, (std::vector<int>{9}));
}

TEST_F(DialogClickTest, WaitForResultSurvivesTheDialogBeingDeleted) {
  mHost.mStep = [&] {
    mManager.PopModalBase(mDialog);
    delete mDialog;
    mDialog = nullptr;
    return true;
  };
  Dialog* dialog = mDialog;
  EXPECT_EQ(dialog->WaitForResult(true), 0x7FFFFFFF);
  EXPECT_TRUE(mHost.mClosedDialogs.empty());
}

class DialogLayoutTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    mFont.mAscentPadding = 1;
    mFont.mLineSpacingOffset = 2;  // line spacing 18
  }
  Testing::TestFont mFont;
};

TEST_F(DialogLayoutTest, PreferredHeightOfLinesAloneIsInsetsPlusWrappedHeight) {
  Dialog dialog(nullptr, 1, false, L"", L"one two three four five six", L"", 0);
  dialog.SetLinesFont(&mFont);
  dialog.SetHeaderFont(&mFont);
  const int wrapped = dialog.MeasureWordWrappedHeight(&mFont, 300 - 48 - 4, dialog.mDialogLines, 18);
  EXPECT_EQ(dialog.GetPreferredHeight(300), 48 + wrapped);
}

TEST_F(DialogLayoutTest, PreferredHeightWithEverything) {
  Dialog dialog(nullptr, 1, false, L"Head", L"one", L"Foot", 2);
  dialog.SetLinesFont(&mFont);
  dialog.SetHeaderFont(&mFont);
  const int wrapped = dialog.MeasureWordWrappedHeight(&mFont, 300 - 48 - 4, L"one", 18);
  // insets, header (height - padding), gap, lines, gap + footer line, gap + buttons.
  EXPECT_EQ(dialog.GetPreferredHeight(300), 48 + 15 + 10 + wrapped + 8 + 18 + 8 + 24 + 8);
  Dialog footerButton(nullptr, 1, false, L"Head", L"", L"Foot", 3);
  footerButton.SetHeaderFont(&mFont);
  footerButton.SetLinesFont(&mFont);
  EXPECT_EQ(footerButton.GetPreferredHeight(300), 48 + 15 + 8 + 24 + 8);
}

TEST_F(DialogLayoutTest, DrawsHeaderLinesAndFooter) {
  EventLog drawn;
  mFont.mLog = &drawn;
  Dialog dialog(nullptr, 1, false, L"Head", L"one", L"Foot", 0);
  dialog.SetHeaderFont(&mFont);
  dialog.SetLinesFont(&mFont);
  dialog.Resize(0, 0, 200, 150);
  MemoryImage target;
  target.Create(200, 150);
  Graphics g(&target);
  dialog.Draw(&g);
  // Header centred, baseline 24 - 1 + 12; lines from y 24 - 1 + 16 + 10,
  // centred in the 148 wide lines rectangle at x 26.
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0], "Head 80,35 255,255,255");
  EXPECT_EQ(drawn[1], "one 85,60 255,255,0");
  EXPECT_EQ(drawn[2].substr(0, 8), "Foot 80,");
  EXPECT_TRUE(Testing::PixelNear(target, 12, 12, 0xFFFFFF));  // outline
  EXPECT_TRUE(Testing::PixelNear(target, 30, 100, 0x505050));  // fill
}

TEST_F(DialogLayoutTest, PlainBoxFallsBackToDefaultColours) {
  Dialog dialog(nullptr, 1, false, L"", L"", L"", 0);
  dialog.SetHeaderFont(&mFont);
  dialog.SetLinesFont(&mFont);
  dialog.mColors.resize(3);
  dialog.Resize(0, 0, 100, 100);
  MemoryImage target;
  target.Create(100, 100);
  Graphics g(&target);
  dialog.Draw(&g);
  EXPECT_TRUE(Testing::PixelNear(target, 12, 12, 0xFFFFFF));
  EXPECT_TRUE(Testing::PixelNear(target, 50, 50, 0x505050));
}

TEST_F(DialogLayoutTest, ColourRowsThreeAndFourReachTheButtons) {
  Dialog dialog(nullptr, 1, false, L"", L"", L"", 1);
  dialog.SetColor(3, Color(1, 2, 3));
  dialog.SetColor(4, Color(4, 5, 6));
  EXPECT_EQ(dialog.mYesButton->GetColor(0), Color(1, 2, 3));
  EXPECT_EQ(dialog.mNoButton->GetColor(1), Color(4, 5, 6));
  dialog.SetButtonFont(&mFont);
  ASSERT_NE(dialog.mYesButton->mFont, nullptr);
  EXPECT_NE(dialog.mYesButton->mFont, &mFont);  // a copy
}

TEST_F(DialogLayoutTest, DialogButtonWithAComponentImageMovesOnlyItsLabelWhenPressed) {
  EventLog drawn;
  mFont.mLog = &drawn;
  auto frame = Testing::SolidImage(9, 9, 0xFF00FF00);
  DialogButton button(1000, nullptr);
  button.mComponentImage = frame.get();
  button.SetFont(&mFont);
  button.mLabel = L"OK";
  button.Resize(0, 0, 60, 20);
  MemoryImage target;
  target.Create(60, 20);
  Graphics g(&target);
  button.Draw(&g);
  button.mIsDown = button.mIsOver = true;
  button.Draw(&g);
  // x = (60 - 20) / 2; y = (12 + 20 - 2 - 1 - 1) / 2; pressed one right and down.
  EXPECT_EQ(drawn, (EventLog{"OK 20,14 255,255,255", "OK 21,15 255,255,255"}));
  EXPECT_TRUE(Testing::PixelNear(target, 0, 0, 0x00FF00));
}

}  // namespace
}  // namespace Plix
