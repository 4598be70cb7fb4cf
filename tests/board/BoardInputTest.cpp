// The floor under the player's mouse and keys: what opens the game menu,
// what a paused floor ignores, and which stations count a click.
#include <gtest/gtest.h>

#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::GirlFixture;

TEST_F(GirlFixture, KeysAndTheMenuButtonAskForTheGameMenu) {
  Widgets().KeyChar(27);
  Widgets().KeyChar(L'p');
  Widgets().KeyChar(L'P');  // only the lower case
  AlphaButton* menu = mBoard->GetMenuButton();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Hover(menu, x, y));
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  // Pressed on the button, released away from it: no menu.
  ASSERT_TRUE(Hover(menu, x, y));
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseMove(400, 300);
  Widgets().MouseUp(400, 300, 1);
  EXPECT_EQ(mMenuScreens->mOpenedByKey, (std::vector<bool>{true, true, false}));
  EXPECT_FALSE(mBoard->IsPaused());  // no menu was made, so the day goes on
}

TEST_F(GirlFixture, APausedFloorTakesNoClicks) {
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Hover(cherries, x, y));
  mBoard->Pause();
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  Widgets().KeyChar(27);
  EXPECT_EQ(cherries->GetPending(), 0);
  EXPECT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(mMenuScreens->mMenus, 0);
  mBoard->Resume();
}

TEST_F(GirlFixture, AStationDisabledUnderTheMouseTakesNoClick) {
  AlphaButton* umbrellas = mBoard->mUmbrellaButton.get();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Hover(umbrellas, x, y));
  umbrellas->SetDisabled(true);  // the last umbrella went onto an ice cream
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  EXPECT_EQ(umbrellas->GetState(), 3);
  EXPECT_EQ(umbrellas->GetPending(), 0);
  EXPECT_TRUE(mGirl->IsIdle());
}

TEST_F(GirlFixture, IngredientClicksShowNoBadge) {
  AlphaButton* strawberries = nullptr;
  for (auto& b : mBoard->mFlavorButtons) {
    if (b && b->GetId() == 19) strawberries = b.get();
  }
  ASSERT_NE(strawberries, nullptr);
  strawberries->SetState(0);
  strawberries->SetVisible(true);
  Click(strawberries);
  EXPECT_EQ(strawberries->GetPending(), 0);
  ASSERT_TRUE(RunUntilIdle());
  EXPECT_EQ(mGirl->GetCarryCode(), 26);
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

}  // namespace
}  // namespace Plix
