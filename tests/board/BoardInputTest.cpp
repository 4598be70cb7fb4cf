// The floor under the player's mouse and keys: what opens the game menu,
// what a paused floor ignores, and which stations count a click.
#include <gtest/gtest.h>

#include <vector>

#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Monkey.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::GirlFixture;

TEST_F(GirlFixture, KeysAndTheMenuButtonAskForTheGameMenu) {
  Testing::DistinctSoundIds sounds{&SOUND_MOUSE_CLICK, &SOUND_ACTION_ADDED_1};
  Widgets().KeyChar(27);
  Widgets().KeyChar(L'p');
  Widgets().KeyChar(L'P');  // only the lower case
  AlphaButton* menu = mBoard->GetMenuButton();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Hover(menu, x, y));
  Widgets().MouseDown(x, y, 1);
  // The press sounds like any station's; the menu waits for the release.
  EXPECT_EQ(mGame->CountSound(SOUND_MOUSE_CLICK), 1);
  EXPECT_EQ(mGame->CountSound(SOUND_ACTION_ADDED_1), 1);
  EXPECT_EQ(mMenuScreens->mMenus, 2);
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

// The mouse leaves an ice cream on the belt for a station and presses at
// once, before a tick has looked under it again: the station takes the
// press, not the ice cream left behind.
TEST_F(GirlFixture, APressRightAfterLeavingTheBeltGoesToTheStation) {
  ConveyorContainer* cone = OrderCone();
  ASSERT_NE(cone, nullptr);
  IceCream* item = cone->GetItem();
  Widgets().MouseMove(static_cast<int>(cone->GetX()), static_cast<int>(cone->GetY()) - item->GetHeight() / 2);
  RunFor(10);
  ASSERT_EQ(mBoard->GetHoverConveyorItem(), item);
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  int x = 0;
  int y = 0;
  ASSERT_TRUE(Hover(cherries, x, y));
  EXPECT_EQ(mBoard->GetHoverConveyorItem(), nullptr);
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  EXPECT_EQ(cherries->GetPending(), 1);
  EXPECT_EQ(item->GetMarker(), 0);
  ASSERT_TRUE(RunUntilIdle());
  EXPECT_EQ(mGirl->GetCarryCode(), kItemFirstTopping);
}

// The belt deletes a container in the frame step (the serving monkey takes
// it, the heroine picks up a bonus item); a press before the next tick,
// with the mouse still where the item was, finds nothing there.
TEST_F(GirlFixture, APressWhereAnItemHasJustLeftTheBeltFindsNothing) {
  ConveyorContainer* cone = OrderCone();
  ASSERT_NE(cone, nullptr);
  IceCream* item = cone->GetItem();
  const int x = static_cast<int>(cone->GetX());
  const int y = static_cast<int>(cone->GetY()) - item->GetHeight() / 2;
  Widgets().MouseMove(x, y);
  RunFor(10);
  ASSERT_EQ(mBoard->GetHoverConveyorItem(), item);
  mBoard->GetConveyor()->RemoveItemFromBelt(item);
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  EXPECT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

// The machine lesson clears the badges, but the holders already ordered
// still come: the cone badge counts them, and each lowers it as it enters.
TEST_F(GirlFixture, AfterTheMachineLessonTheConeBadgeCountsTheConesStillToCome) {
  AlphaButton* cones = mBoard->mConeMachineButton.get();
  Click(cones);
  Click(cones);
  ASSERT_EQ(cones->GetPending(), 2);
  Player().SetShowTutorials(true);
  Player().SetFlag(3, false);  // the machine lesson not seen yet
  mBoard->StartIceCreamMachineTutorial(mBoard->mIceCreamBoxButtons[0].get());
  EXPECT_EQ(cones->GetPending(), 2);
  Click(cones);
  EXPECT_EQ(cones->GetPending(), 3);
  // The lesson itself is not what this is about.
  void* lesson = nullptr;
  while (mBoard->mQueuedTutorials.PopFront(lesson)) delete static_cast<Tutorial*>(lesson);
  Conveyor& belt = *mBoard->GetConveyor();
  for (int i = 0; i < 6000 && belt.CountWaiting(kItemCone) > 0; ++i) RunFor(10);
  EXPECT_EQ(belt.CountWaiting(kItemCone), 0);
  EXPECT_EQ(cones->GetPending(), 0);
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

// A refused click leaves its station without a badge.
TEST_F(GirlFixture, RefusedClicksRaiseNoBadge) {
  mGirl->SetCarryCode(13);  // a vanilla scoop in hand, nothing queued
  ICBoxButton* vanilla = mBoard->mIceCreamBoxButtons[0].get();
  Click(vanilla, 2);
  EXPECT_EQ(vanilla->GetPending(), 0);
  EXPECT_TRUE(mGirl->IsIdle());

  // Vurez with nothing queued: nothing to throw away, or already holding
  // what the station would give him.
  Monkey* vurez = mBoard->GetMonkey();
  struct Refusal {
    int carry;
    std::vector<AlphaButton*> stations;
  } refusals[] = {
      {Monkey::kCarryNothing, {mBoard->GetTrashStationButton()}},
      {Monkey::kCarryNapkin, {mBoard->mNapkinsButton.get()}},
      {Monkey::kCarryCookie + 1, {mBoard->mCookiesButton.get()}},
      {Monkey::kCarryLemonade,
       {mBoard->mLemonadeButtons[0].get(), mBoard->mLemonadeButtons[1].get(), mBoard->mLemonadeButtons[2].get()}},
  };
  for (const Refusal& r : refusals) {
    vurez->DropAll();
    vurez->PickUp(r.carry);
    for (AlphaButton* station : r.stations) {
      station->SetVisible(true);
      station->SetState(0);
    }
    Click(r.stations.back());  // the bottles stand on one spot; the last takes the mouse
    for (AlphaButton* station : r.stations) EXPECT_EQ(station->GetPending(), 0) << station->GetId();
    EXPECT_EQ(vurez->GetTaskCount(), 0);
  }
}

// Of two stations under the mouse the one found last, walking the third,
// the first and the second list, takes it.
TEST_F(GirlFixture, OfTwoStationsUnderTheMouseTheLaterListWins) {
  AlphaButton* trashcan = mBoard->mTrashcanButton.get();     // first list
  AlphaButton* cherries = mBoard->mCherriesButton.get();     // second list
  AlphaButton* station = mBoard->GetTrashStationButton();    // third list
  for (AlphaButton* b : {trashcan, cherries, station}) {
    b->SetVisible(true);
    b->SetState(0);
  }
  auto hoveredOverBoth = [&](AlphaButton* under, AlphaButton* over) -> AlphaButton* {
    over->SetPosition(under->GetX(), under->GetY());
    for (int dy = 0; dy < under->GetHeight(); ++dy) {
      for (int dx = 0; dx < under->GetWidth(); ++dx) {
        const int x = under->GetX() + dx, y = under->GetY() + dy;
        if (!under->Contains(x, y) || !over->Contains(x, y)) continue;
        Widgets().MouseMove(x, y);
        return mBoard->mHoverButton;
      }
    }
    return nullptr;
  };
  EXPECT_EQ(hoveredOverBoth(trashcan, cherries), cherries);
  EXPECT_EQ(hoveredOverBoth(station, trashcan), trashcan);
}

TEST_F(GirlFixture, WhileTheUncleVisitsOnlyTheMenuTakesTheMouse) {
  mBoard->mUncle->StartAward(0, 1);
  ASSERT_FALSE(mBoard->mUncle->IsIdle());
  int x = 0;
  int y = 0;
  EXPECT_FALSE(Hover(mBoard->mCherriesButton.get(), x, y));
  EXPECT_FALSE(Hover(mBoard->mIceCreamBoxButtons[0].get(), x, y));
  EXPECT_TRUE(Hover(mBoard->GetMenuButton(), x, y));
}

TEST_F(GirlFixture, ABalloonWithButtonsLeavesOnlyTheMenuToTheMouse) {
  InfoBalloon::CreateSharedButtons();  // as the loading's end makes them
  auto* balloon = new InfoBalloon(0, InfoBalloon::kNormal);
  balloon->AddPage(L"Hello!");
  balloon->SetYesText(L"OK");
  mBoard->ShowBalloon(0, balloon, true, false);
  for (int i = 0; i < 100 && !balloon->HasButtons(); ++i) RunFor(100);
  ASSERT_TRUE(balloon->HasButtons());
  int x = 0;
  int y = 0;
  EXPECT_FALSE(Hover(mBoard->mCherriesButton.get(), x, y));
  EXPECT_EQ(mBoard->mCherriesButton->GetState(), 0);
  EXPECT_TRUE(Hover(mBoard->GetMenuButton(), x, y));
  mBoard->CloseBalloon();
  InfoBalloon::DeleteSharedButtons();
}

// A lesson that waits for a click on one station, then for an errand that
// never comes.
class ClickLesson : public Tutorial {
public:
  ClickLesson(Board* board, AlphaButton* target) : Tutorial(board, 40) {
    AddStep(TutorialStep::kButton)->SetTarget(target);
    AddStep(TutorialStep::kGirlEvent)->SetEvent(99);
  }
};

TEST_F(GirlFixture, ALessonTakesOnlyTheClickItAsksFor) {
  Testing::DistinctSoundIds sounds{&SOUND_ACTION_ADDED_1};
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  AlphaButton* umbrellas = mBoard->mUmbrellaButton.get();
  auto* lesson = new ClickLesson(mBoard, cherries);
  mBoard->mTutorial = lesson;
  lesson->StartStep();

  const int x = umbrellas->GetX() + umbrellas->GetWidth() / 2, y = umbrellas->GetY() + umbrellas->GetHeight() / 2;
  Widgets().MouseMove(x, y);
  EXPECT_EQ(mBoard->mHoverButton, nullptr);
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  EXPECT_EQ(mGame->CountSound(SOUND_ACTION_ADDED_1), 0);
  EXPECT_EQ(umbrellas->GetPending(), 0);
  EXPECT_EQ(mGirl->GetActionCount(), 0);
  EXPECT_EQ(lesson->GetCurrentStep(), 0);

  Click(cherries);
  EXPECT_EQ(mGame->CountSound(SOUND_ACTION_ADDED_1), 1);
  EXPECT_EQ(cherries->GetPending(), 1);
  EXPECT_EQ(mGirl->GetActionCount(), 1);
  EXPECT_EQ(lesson->GetCurrentStep(), 1);
  ASSERT_TRUE(RunUntilIdle());
  EXPECT_EQ(mGirl->GetCarryCode(), 19);
}

}  // namespace
}  // namespace Plix
