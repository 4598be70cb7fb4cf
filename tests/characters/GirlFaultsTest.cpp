// What once went wrong with Pemi's hands and the day's close: a put-away
// that rebuilt itself until the game hung, a banana that put itself away,
// a dish lost to a box click, and a game menu over the closing fade.
#include <gtest/gtest.h>

#include "game/app/Fade.h"
#include "game/app/GameApp.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::GirlFixture;

class GirlFaults : public GirlFixture {
protected:
  // A put-away that builds itself again shows at once as a growing queue.
  void ExpectSettled(AlphaButton* clicked) {
    for (int i = 0; i < 600 && !mGirl->IsIdle(); ++i) {
      RunFor(100);
      ASSERT_LE(mGirl->GetActionCount(), 8);
    }
    ASSERT_TRUE(mGirl->IsIdle());
    EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
    EXPECT_EQ(clicked->GetPending(), 0) << "button " << clicked->GetId();
  }
};

// She comes back from the machine with a full strawberry box while slot 1
// still holds its own box: the clicks that need her hands free are given
// up instead of putting the box away again and again.
TEST_F(GirlFaults, ABoxWhoseSlotIsTakenGivesTheClickUp) {
  mGirl->SetCarryCode(35);
  mGirl->SetCarriedBox({14, 0.0f, 12});
  for (AlphaButton* clicked : {static_cast<AlphaButton*>(mBoard->mCherriesButton.get()),
                               static_cast<AlphaButton*>(mBoard->mIceCreamBoxButtons[0].get()),
                               static_cast<AlphaButton*>(mBoard->mIceCreamBoxButtons[1].get()),
                               mBoard->mFreezerButtons[1].get(), mBoard->mFastForwardButton.get()}) {
    SCOPED_TRACE(clicked->GetId());
    Click(clicked);
    ExpectSettled(clicked);
    EXPECT_EQ(mGirl->GetCarryCode(), 35);
    EXPECT_EQ(mGirl->GetCarriedBox().mPortions, 12);
    EXPECT_EQ(mBoard->mIceCreamBoxes[1].mPortions, 5);
  }
  // With the slot free she carries the box home first, then scoops.
  mBoard->mIceCreamBoxes[1] = {0, 340.0f, 0};
  AlphaButton* vanilla = mBoard->mIceCreamBoxButtons[0].get();
  Click(vanilla, 2);
  ExpectSettled(vanilla);
  EXPECT_EQ(mBoard->mIceCreamBoxes[1].mFlavor, 14);
  EXPECT_EQ(mBoard->mIceCreamBoxes[1].mPortions, 12);
  EXPECT_EQ(mGirl->GetCarryCode(), 13);
}

TEST_F(GirlFaults, ABananaInHandIsThrownBeforeTheNextIsTaken) {
  mGirl->SetCarryCode(31);
  AlphaButton* bananas = mBoard->mBananaButton.get();
  Click(bananas);
  ExpectSettled(bananas);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mBoard->GetBananaStock(), 1);
}

// A special dish or a super banana has no put-away: the click ends without
// work and she keeps what she holds.
TEST_F(GirlFaults, WhatHasNoPutAwayStaysInHerHands) {
  for (int code : {4, 5, 6, 7, 34}) {
    SCOPED_TRACE(code);
    mGirl->SetCarryCode(code);
    for (AlphaButton* clicked : {static_cast<AlphaButton*>(mBoard->mIceCreamBoxButtons[0].get()),
                                 mBoard->mUmbrellaButton.get(), mBoard->mMachineButton.get()}) {
      Click(clicked);
      ExpectSettled(clicked);
      EXPECT_EQ(mGirl->GetCarryCode(), code);
    }
    EXPECT_EQ(mBoard->mIceCreamBoxes[0].mFlavor, 13);
    EXPECT_EQ(mBoard->mIceCreamBoxes[0].mPortions, 5);
    EXPECT_EQ(mBoard->GetUmbrellaStock(), 2);
  }
}

TEST_F(GirlFaults, TheFloorIgnoresInputWhileTheDayFadesOut) {
  Widgets().KeyChar(L'p');
  EXPECT_EQ(mMenuScreens->mMenus, 1);  // asked for while the day runs

  mBoard->ExitLevel(1);
  ASSERT_EQ(mGame->GetFadeState(), Fade::kFadingOut);
  Widgets().KeyChar(27);
  Widgets().KeyChar(L'p');
  AlphaButton* menu = mBoard->GetMenuButton();
  Widgets().MouseMove(menu->GetX() + 20, menu->GetY() + 20);
  Widgets().MouseDown(menu->GetX() + 20, menu->GetY() + 20, 1);
  Widgets().MouseUp(menu->GetX() + 20, menu->GetY() + 20, 1);
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  Widgets().MouseMove(cherries->GetX() + cherries->GetWidth() / 2, cherries->GetY() + cherries->GetHeight() / 2);
  Widgets().MouseDown(cherries->GetX() + cherries->GetWidth() / 2, cherries->GetY() + cherries->GetHeight() / 2, 1);
  EXPECT_EQ(mMenuScreens->mMenus, 1);
  EXPECT_EQ(cherries->GetPending(), 0);
  EXPECT_TRUE(mGirl->IsIdle());
}

}  // namespace
}  // namespace Plix
