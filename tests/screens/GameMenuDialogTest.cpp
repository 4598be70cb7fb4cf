// The pause menu of a day, clicked and typed at as a player does: it
// resumes or leaves the day only once it has slid back up, turns back when
// told to while still coming down, hands its veil to the options and the
// help and takes it back, and opens nothing while it is leaving.
#include "game/screens/GameMenuDialog.h"

#include <gtest/gtest.h>

#include "framework/widget/ButtonWidget.h"
#include "game/screens/HelpDialog.h"
#include "game/screens/OptionsDialog.h"
#include "tests/screens/DayDialogTestSupport.h"

namespace Plix {
namespace {

using Testing::FloorStandIn;

class GameMenuDialogTest : public Testing::DayDialogTest {
protected:
  GameMenuDialog* OpenMenu(int mode = 0, bool byKey = true) {
    Dialog* d = Game().GetScreenFactory().CreateGameMenuDialog(mode, byKey);
    return OpenOverFloor<GameMenuDialog>(d, GameMenuDialog::kDialogId, IMAGE_DIALOG_MENU);
  }
  GameMenuDialog* OpenMenuAtRest(int mode = 0, bool byKey = true) {
    GameMenuDialog* menu = OpenMenu(mode, byKey);
    EXPECT_TRUE(menu && AtRest(menu));
    return menu;
  }
  bool MenuGone() { return DialogGone(GameMenuDialog::kDialogId); }
};

TEST_F(GameMenuDialogTest, TitleAndLeaveLabelFollowHowAndWhereItWasOpened) {
  struct Case {
    int mode;
    bool byKey;
    const wchar_t* title;
    const wchar_t* leave;
  } cases[] = {
      {0, true, L"Paused", L"Exit to Map"},
      {0, false, L"Menu", L"Exit to Map"},
      {1, true, L"Paused", L"Main Menu"},
      {3, false, L"Menu", L"Main Menu"},
  };
  BootToFloor();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode * 10 + c.byKey);
    GameMenuDialog* menu = OpenMenuAtRest(c.mode, c.byKey);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetTitle(), c.title);
    EXPECT_EQ(menu->GetButton(GameMenuDialog::kLeave)->mLabel, c.leave);
    EXPECT_EQ(menu->GetButton(GameMenuDialog::kResume)->mLabel, L"Resume Game");
    Key(27);
    ASSERT_TRUE(MenuGone());
  }
  EXPECT_TRUE(Floor().mExits.empty());
  EXPECT_EQ(Floor().mPauseDepth, 0);
}

TEST_F(GameMenuDialogTest, SlidesDownUnderARisingVeilAndStacksItsButtons) {
  BootToFloor();
  GameMenuDialog* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  const int h = IMAGE_DIALOG_MENU->GetHeight();
  EXPECT_EQ(menu->GetRestY(), -h);
  EXPECT_EQ(menu->GetTargetY(), (600 - h) / 2);
  EXPECT_TRUE(menu->mDisabled);
  int lastVeil = 0;
  while (menu->IsSliding()) {
    Tick();
    EXPECT_GE(menu->GetVeilAlpha(), lastVeil);
    EXPECT_LE(menu->GetVeilAlpha(), GameDialog::kVeilMax);
    lastVeil = menu->GetVeilAlpha();
  }
  EXPECT_EQ(menu->mY, (600 - h) / 2);  // exactly, whatever the distance
  EXPECT_FALSE(menu->mDisabled);
  ButtonWidget* resume = menu->GetButton(GameMenuDialog::kResume);
  ButtonWidget* leave = menu->GetButton(GameMenuDialog::kLeave);
  ButtonWidget* options = menu->GetButton(GameMenuDialog::kOptions);
  ButtonWidget* help = menu->GetButton(GameMenuDialog::kHelp);
  EXPECT_EQ(resume->mX, menu->mX + (menu->mWidth - resume->mWidth) / 2);
  EXPECT_EQ(resume->mY, menu->mY + 100);
  EXPECT_EQ(leave->mX, resume->mX);
  EXPECT_EQ(leave->mY, resume->mY + resume->mHeight + 4);
  EXPECT_EQ(options->mX, menu->mX + (menu->mWidth - options->mWidth) / 2);
  EXPECT_EQ(options->mY, leave->mY + leave->mHeight + 14);
  EXPECT_EQ(help->mX, options->mX);
  EXPECT_EQ(help->mY, options->mY + options->mHeight + 4);
  EXPECT_EQ(Floor().mPauseDepth, 1);
}

// Resume by its button or by Enter, Esc, "p" and space; "P" and other keys
// do nothing. The day goes on only once the menu is back up.
TEST_F(GameMenuDialogTest, ResumesTheDayOnlyAfterSlidingBackUp) {
  const wchar_t keys[] = {0, 13, 27, L'p', L' '};
  FloorStandIn& floor = BootToFloor();
  for (wchar_t key : keys) {
    SCOPED_TRACE(static_cast<int>(key));
    GameMenuDialog* menu = OpenMenuAtRest();
    ASSERT_NE(menu, nullptr);
    Key(L'P');
    Key(L'x');
    EXPECT_FALSE(menu->IsClosing());
    Game().mSounds.clear();
    if (key == 0)
      ClickButton(menu->GetButton(GameMenuDialog::kResume));
    else
      Key(key);
    EXPECT_EQ(Game().mSounds, key == 0 ? std::vector<int>{SOUND_MOUSE_CLICK} : std::vector<int>{});
    EXPECT_TRUE(menu->IsClosing());
    Tick(3);
    EXPECT_EQ(floor.mPauseDepth, 1);  // still sliding
    ASSERT_TRUE(MenuGone());
    EXPECT_EQ(floor.mPauseDepth, 0);
    EXPECT_EQ(Widgets().mFocusWidget, &floor);
  }
  EXPECT_TRUE(floor.mExits.empty());
}

TEST_F(GameMenuDialogTest, LeavingQuitsTheDayOnceAfterTheSlideOnStoryAndHappyHourDays) {
  FloorStandIn& floor = BootToFloor();
  for (int mode : {0, 2}) {
    SCOPED_TRACE(mode);
    floor.mExits.clear();
    GameMenuDialog* menu = OpenMenuAtRest(mode);
    ASSERT_NE(menu, nullptr);
    ClickButton(menu->GetButton(GameMenuDialog::kLeave));
    Tick(3);
    EXPECT_TRUE(floor.mExits.empty());
    ASSERT_TRUE(MenuGone());
    EXPECT_EQ(floor.mExits, std::vector<int>{4});
    EXPECT_EQ(floor.mPauseDepth, 0);
  }
}

TEST_F(GameMenuDialogTest, EscWhileComingDownTurnsItBackAndResumes) {
  FloorStandIn& floor = BootToFloor();
  GameMenuDialog* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  Tick(5);
  const int lowest = menu->mY;
  Key(27);
  ASSERT_TRUE(MenuGone());
  EXPECT_EQ(floor.mPauseDepth, 0);
  EXPECT_TRUE(floor.mExits.empty());
  EXPECT_LT(lowest, (600 - IMAGE_DIALOG_MENU->GetHeight()) / 2);
}

// The last choice while sliding out wins.
TEST_F(GameMenuDialogTest, LeaveChosenWhileSlidingOutAfterResumeWins) {
  FloorStandIn& floor = BootToFloor();
  GameMenuDialog* menu = OpenMenuAtRest();
  ASSERT_NE(menu, nullptr);
  Key(27);
  Tick();
  ClickButton(menu->GetButton(GameMenuDialog::kLeave));
  ASSERT_TRUE(MenuGone());
  EXPECT_EQ(floor.mExits, std::vector<int>{4});
}

// Options and help open over the menu, which hides its veil meanwhile and
// takes it back, at the alpha it had, when they have gone; the day stays
// paused throughout.
TEST_F(GameMenuDialogTest, OptionsAndHelpOpenOverItAndGiveTheVeilBack) {
  FloorStandIn& floor = BootToFloor();
  struct Case {
    int button;
    int id;
    int startY;
  } cases[] = {
      {GameMenuDialog::kOptions, OptionsDialog::kDialogId, 600},
      {GameMenuDialog::kHelp, HelpDialog::kDialogId, -IMAGE_DIALOG_BIG->GetHeight()},
  };
  GameMenuDialog* menu = OpenMenuAtRest();
  ASSERT_NE(menu, nullptr);
  const int veil = menu->GetVeilAlpha();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ClickButton(menu->GetButton(c.button));
    auto* child = dynamic_cast<GameDialog*>(Game().GetDialog(c.id));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetRestY(), c.startY);
    EXPECT_EQ(Widgets().mFocusWidget, child);
    EXPECT_FALSE(menu->DrawsOverlay());
    ASSERT_TRUE(AtRest(child));
    Key(27);
    ASSERT_TRUE(DialogGone(c.id));
    EXPECT_TRUE(menu->DrawsOverlay());
    EXPECT_EQ(menu->GetVeilAlpha(), veil);
    EXPECT_EQ(Game().GetDialog(GameMenuDialog::kDialogId), menu);
    EXPECT_EQ(floor.mPauseDepth, 1);
  }
  Widgets().SetFocus(menu);
  Key(L' ');
  ASSERT_TRUE(MenuGone());
  EXPECT_EQ(floor.mPauseDepth, 0);
}

// Sliding out, the menu is about to be deleted: options or help opened then
// would later hand the veil back to a menu that is gone.
TEST_F(GameMenuDialogTest, OptionsAndHelpDoNotOpenWhileItSlidesOut) {
  FloorStandIn& floor = BootToFloor();
  for (int button : {GameMenuDialog::kOptions, GameMenuDialog::kHelp}) {
    SCOPED_TRACE(button);
    GameMenuDialog* menu = OpenMenuAtRest();
    ASSERT_NE(menu, nullptr);
    Key(13);
    Tick();
    Game().mSounds.clear();
    ClickButton(menu->GetButton(button));
    EXPECT_EQ(Game().mSounds, std::vector<int>{SOUND_MOUSE_CLICK});  // the press still clicks
    EXPECT_EQ(Game().GetDialog(OptionsDialog::kDialogId), nullptr);
    EXPECT_EQ(Game().GetDialog(HelpDialog::kDialogId), nullptr);
    ASSERT_TRUE(MenuGone());
    Tick(5);
    EXPECT_EQ(floor.mPauseDepth, 0);
  }
}

// At rest it can be dragged like any dialog; its buttons follow and it goes
// back up at the x it was dragged to.
TEST_F(GameMenuDialogTest, DraggedItsButtonsFollowAndItLeavesFromThere) {
  BootToFloor();
  GameMenuDialog* menu = OpenMenuAtRest();
  ASSERT_NE(menu, nullptr);
  ButtonWidget* resume = menu->GetButton(GameMenuDialog::kResume);
  const int x0 = menu->mX, y0 = menu->mY, bx = resume->mX - x0, by = resume->mY - y0;
  const int gx = x0 + 20, gy = y0 + 60;  // on the body, above the buttons
  Widgets().MouseMove(gx, gy);
  Widgets().MouseDown(gx, gy, 1);
  Widgets().MouseMove(gx + 30, gy + 10);  // a move with the button down drags
  Widgets().MouseUp(gx + 30, gy + 10, 1);
  EXPECT_EQ(menu->mX, x0 + 30);
  EXPECT_EQ(menu->mY, y0 + 10);
  EXPECT_EQ(resume->mX - menu->mX, bx);
  EXPECT_EQ(resume->mY - menu->mY, by);
  Key(27);
  EXPECT_EQ(menu->GetTargetY(), -IMAGE_DIALOG_MENU->GetHeight());
  ASSERT_TRUE(TickUntil([&] {
    if (Game().GetDialog(GameMenuDialog::kDialogId) == nullptr) return true;
    EXPECT_EQ(menu->mX, x0 + 30);
    return false;
  }));
}

}  // namespace
}  // namespace Plix
