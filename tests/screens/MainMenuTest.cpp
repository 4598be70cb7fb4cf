// The main menu as a player meets it: booted from the loader with the built
// data, greeting the current player, its signs clicked through the widget
// manager, Happy Hour through the difficulty dialog, Story Mode and the
// best sellers through the fade, quitting, and the players saved on the way.
#include "game/screens/MainMenu.h"

#include <gtest/gtest.h>

#include "framework/resources/ResourceManager.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/AlphaButton.h"
#include "game/screens/DifficultyDialog.h"
#include "game/screens/HelpDialog.h"
#include "game/screens/Map.h"
#include "game/screens/PlayerDialogs.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

TEST_F(MainMenuTest, BootsToTheAnimatedMenuAndGreetsThePlayer) {
  MainMenu& menu = Boot();
  EXPECT_EQ(Widgets().mFocusWidget, &menu);
  EXPECT_EQ(menu.GetWelcomeText(), L"Welcome!");
  Game().SetCurrentProfile(Game().CreateProfile(L"Pemi"));
  EXPECT_EQ(menu.GetWelcomeText(), L"Welcome Pemi!");

  const int x1 = menu.GetButterfly(1).x, y1 = menu.GetButterfly(1).y;
  Tick(100);
  EXPECT_TRUE(menu.GetButterfly(1).x != x1 || menu.GetButterfly(1).y != y1);
  EXPECT_EQ(menu.GetButtonCount(), 7);

  // A butterfly flying straight up or down keeps the way it faces.
  MainMenu::Butterfly& b = menu.GetButterfly(0);
  for (int i = 0; i < 13; ++i) {
    b.points[i][0] = 300.5f;  // clear of rounding either way
    b.points[i][1] = 100.0f + 20 * i;
  }
  Tick();
  for (int facing : {0, 1}) {
    b.facing = facing;
    Tick(3);
    EXPECT_EQ(b.x, 300);
    EXPECT_EQ(b.facing, facing);
  }

  // The help figure moves while the mouse is on it, and stops at once when
  // it leaves.
  AlphaButton* help = menu.FindButton(MainMenu::kHelp);
  Move(help->GetX() + help->GetWidth() / 2, help->GetY() + help->GetHeight() / 2);
  Tick();
  EXPECT_EQ(menu.GetHelpAnimation(), 1);
  Move(5, 590);
  Tick();
  EXPECT_EQ(menu.GetHelpAnimation(), 0);
}

TEST_F(MainMenuTest, QuitFadesOutAndEndsTheProgramWithThePlayersSaved) {
  Boot();
  Game().SetCurrentProfile(Game().CreateProfile(L"Vurez"));
  ClickSign(MainMenu::kQuit);
  ASSERT_TRUE(TickUntil([&] { return Game().mShuttingDown.load(); }, 200));
  auto stored = ReadBackProfiles();
  EXPECT_EQ(stored->GetCurrentProfile()->GetName(), L"Vurez");
}

TEST_F(MainMenuTest, LockedHappyHourRefusesThePressAndShowsTheNoticeAfterAWhile) {
  MainMenu& menu = Boot();
  Game().SetCurrentProfile(Game().CreateProfile(L"Pemi"));
  AlphaButton* sign = menu.FindButton(MainMenu::kHappyHour);
  const int x = sign->GetX() + sign->GetWidth() / 2, y = sign->GetY() + sign->GetHeight() / 2;
  Game().mSounds.clear();
  Click(x, y);
  Tick();
  EXPECT_TRUE(Game().mSounds.empty());
  EXPECT_EQ(Game().GetDialog(DifficultyDialog::kDialogId), nullptr);
  Tick(24);
  EXPECT_EQ(menu.GetNoticeShown(), 0);
  Tick();  // the 26th update on the sign
  EXPECT_GT(menu.GetNoticeShown(), 0);
  Move(5, 590);  // off the sign: gone at once
  EXPECT_EQ(menu.GetNoticeShown(), 0);
}

struct DifficultyCase {
  const char* name;
  int arrowId;
  int presses;
  int mode;
};

class HappyHourTest : public MainMenuTest, public ::testing::WithParamInterface<DifficultyCase> {};

TEST_P(HappyHourTest, StartsTheDayAtTheDifficultyPicked) {
  const DifficultyCase& c = GetParam();
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
  g.GetCurrentProfile()->SetFlag(PlayerProfile::kFlagHappyHourUnlocked, true);
  ClickSign(MainMenu::kHappyHour);
  auto* d = OpenDialog<DifficultyDialog>(DifficultyDialog::kDialogId);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(Menu()->GetPauseCount(), 1);
  ASSERT_TRUE(AtRest(d));
  EXPECT_EQ(d->GetDifficultyIndex(), 1);  // "Normal"
  for (int i = 0; i < c.presses; ++i) ClickButton(d->GetButton(c.arrowId));
  ClickButton(d->GetButton(DifficultyDialog::kPlay));
  ASSERT_TRUE(TickUntil([&] { return g.mBoard != nullptr; }, 300));
  EXPECT_EQ(g.mMainMenu, nullptr);
  ASSERT_NE(Floor(g.mBoard), nullptr);
  EXPECT_EQ(Floor(g.mBoard)->GetMode(), c.mode);
}

INSTANTIATE_TEST_SUITE_P(Difficulties, HappyHourTest,
                         ::testing::Values(DifficultyCase{"Easy", DifficultyDialog::kPrevious, 1, 1},
                                           DifficultyCase{"Hard", DifficultyDialog::kNext, 1, 3},
                                           DifficultyCase{"EasyWrapsToHard", DifficultyDialog::kPrevious, 2, 3},
                                           DifficultyCase{"HardWrapsToEasy", DifficultyDialog::kNext, 2, 1}),
                         [](const ::testing::TestParamInfo<DifficultyCase>& info) { return info.param.name; });

TEST_F(MainMenuTest, BackAndEscResumeTheMenuOnce) {
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
  g.GetCurrentProfile()->SetFlag(PlayerProfile::kFlagHappyHourUnlocked, true);
  ClickSign(MainMenu::kHappyHour);
  auto* d = OpenDialog<DifficultyDialog>(DifficultyDialog::kDialogId);
  ASSERT_TRUE(AtRest(d));
  ClickButton(d->GetButton(DifficultyDialog::kBack));
  ASSERT_TRUE(TickUntil([&] { return g.GetDialog(DifficultyDialog::kDialogId) == nullptr; }, 100));
  EXPECT_EQ(Menu()->GetPauseCount(), 0);
  // Enter while it still slides in turns it back and starts the day at
  // the top.
  ClickSign(MainMenu::kHappyHour);
  Tick(3);
  Key(13);
  ASSERT_TRUE(TickUntil([&] { return g.mBoard != nullptr; }, 300));
  ASSERT_NE(Floor(g.mBoard), nullptr);
  EXPECT_EQ(Floor(g.mBoard)->GetMode(), 2);
}

TEST_F(MainMenuTest, AFirstPlayerIsAskedForBeforeStoryModeAndHappyHour) {
  Boot();
  ScreenGame& g = Game();
  g.GetProfiles().GetProfile(3)->SetFlag(PlayerProfile::kFlagHappyHourUnlocked, true);

  // Cancelled: nothing changes and nothing is left pending.
  ClickSign(MainMenu::kStoryMode);
  auto* name = OpenDialog<MMNewPlayerDialog>(MMNewPlayerDialog::kDialogId);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(Menu()->GetPendingAction(), MainMenu::kResultStoryMode);
  Tick();
  Key(27);
  ASSERT_TRUE(TickUntil([&] { return g.GetDialog(MMNewPlayerDialog::kDialogId) == nullptr; }, 200));
  EXPECT_EQ(Menu()->GetPendingAction(), 0);
  EXPECT_EQ(Menu()->GetPauseCount(), 0);
  EXPECT_TRUE(g.GetCurrentProfile()->GetName().empty());

  // Named: Happy Hour goes on to the difficulty.
  ClickSign(MainMenu::kHappyHour);
  name = OpenDialog<MMNewPlayerDialog>(MMNewPlayerDialog::kDialogId);
  ASSERT_TRUE(AtRest(name));
  Type(L"Rudav");
  Key(13);
  ASSERT_TRUE(TickUntil([&] { return OpenDialog<DifficultyDialog>(DifficultyDialog::kDialogId) != nullptr; }, 200));
  EXPECT_EQ(g.GetCurrentProfile()->GetName(), L"Rudav");
  EXPECT_EQ(Menu()->GetPauseCount(), 1);
  EXPECT_EQ(Menu()->GetPendingAction(), 0);
}

TEST_F(MainMenuTest, StoryModeLeavesForTheMap) {
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
  ClickSign(MainMenu::kStoryMode);
  ASSERT_TRUE(TickUntil([&] { return g.mMap != nullptr; }, 300));
  EXPECT_NE(dynamic_cast<Map*>(g.mMap), nullptr);
  EXPECT_EQ(g.mMainMenu, nullptr);
  Tick();
  EXPECT_FALSE(g.mAppResources->IsGroupReady("MainMenu"));  // freed with the menu
}

TEST_F(MainMenuTest, BestSellersLeaveForTheirScreen) {
  Boot();
  ClickSign(MainMenu::kBestSellers);
  ASSERT_TRUE(TickUntil([&] { return Game().mBestSellersScreen != nullptr; }, 300));
}

TEST_F(MainMenuTest, HelpPagesTurnInARingAndCloseResumesTheMenu) {
  Boot();
  ClickSign(MainMenu::kHelp);
  auto* help = OpenDialog<HelpDialog>(HelpDialog::kDialogId);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(Game().mAppResources->IsGroupReady("Help"));
  ASSERT_TRUE(AtRest(help));
  ClickButton(help->GetButton(HelpDialog::kPreviousPage));
  EXPECT_EQ(help->GetPage(), 4);
  ClickButton(help->GetButton(HelpDialog::kNextPage));
  ClickButton(help->GetButton(HelpDialog::kNextPage));
  EXPECT_EQ(help->GetPage(), 1);
  ClickButton(help->GetButton(HelpDialog::kClose));
  ASSERT_TRUE(TickUntil([&] { return Game().GetDialog(HelpDialog::kDialogId) == nullptr; }, 200));
  Tick();
  EXPECT_FALSE(Game().mAppResources->IsGroupReady("Help"));
  EXPECT_EQ(Menu()->GetPauseCount(), 0);
  EXPECT_EQ(Widgets().mFocusWidget, Menu());
}

TEST_F(MainMenuTest, TheProgramEndsCleanlyWithADialogOpen) {
  Boot();
  ClickSign(MainMenu::kHelp);
  ASSERT_NE(Game().GetDialog(HelpDialog::kDialogId), nullptr);
  Tick(5);
  Game().Shutdown();
  mApp.reset();
}

TEST_F(MainMenuTest, AMenuMadeWithoutFocusStartsPausedAndResumesOnceWithIt) {
  Boot();
  ScreenGame& g = Game();
  g.mHasFocus = false;
  // A new menu while the window is in the background.
  Widgets().RemoveWidget(g.mMainMenu);
  g.QueueWidgetDelete(g.mMainMenu);
  g.BoardToMainMenu();
  MainMenu* menu = Menu();
  EXPECT_EQ(menu->GetPauseCount(), 1);
  g.mHasFocus = true;
  g.GotFocus();
  EXPECT_EQ(menu->GetPauseCount(), 0);
  g.GotFocus();
  EXPECT_EQ(menu->GetPauseCount(), 0);
}

TEST_F(MainMenuTest, BlinkCelsFollowTheCount) {
  EXPECT_EQ(MainMenu::BlinkCel(0), -1);
  EXPECT_EQ(MainMenu::BlinkCel(1), -1);
  for (int c : {2, 5, 11, 15}) EXPECT_EQ(MainMenu::BlinkCel(c), 0) << c;
  for (int c : {6, 10}) EXPECT_EQ(MainMenu::BlinkCel(c), 1) << c;
}

}  // namespace
}  // namespace Plix
