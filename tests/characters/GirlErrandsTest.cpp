// Pemi's errands played as a player plays them: clicks on the stations
// through the widget manager, the loop run until she stands idle, then what
// she holds, what the stations hold, and that every badge went back down.
#include <gtest/gtest.h>

#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/ServingMonkey.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::GirlFixture;

class GirlErrands : public GirlFixture {
protected:
  // Every errand ended, every object freed, every badge back at 0.
  void ExpectSettled(AlphaButton* clicked) {
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
    if (clicked) {
      EXPECT_EQ(clicked->GetPending(), 0) << "button " << clicked->GetId();
    }
  }
};

TEST_F(GirlErrands, WalksTheBenchAndTheCounterPaths) {
  mGirl->EnqueueWalkByBench(600);
  ExpectSettled(nullptr);
  EXPECT_EQ(mGirl->GetX(), 600.0f);
  const float benchY = mGirl->GetY();
  EXPECT_GT(benchY, 590.0f);  // the bench path runs below the counter path there

  mGirl->EnqueueWalkByCounter(300);
  ExpectSettled(nullptr);
  EXPECT_EQ(mGirl->GetX(), 300.0f);
  EXPECT_LT(mGirl->GetY(), benchY);
  EXPECT_EQ(mGirl->GetBodyAnimation(), nullptr);

  // Already there: the walk ends at once without moving her.
  mGirl->EnqueueWalkByCounter(300);
  mBoard->Update();
  EXPECT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(mGirl->GetX(), 300.0f);
}

TEST_F(GirlErrands, TakesAndReturnsADecoration) {
  AlphaButton* umbrellas = mBoard->mUmbrellaButton.get();
  Click(umbrellas);
  EXPECT_EQ(umbrellas->GetPending(), 1);
  ExpectSettled(umbrellas);
  EXPECT_EQ(mGirl->GetCarryCode(), 22);
  EXPECT_EQ(mBoard->GetUmbrellaStock(), 1);

  Click(umbrellas);
  ExpectSettled(umbrellas);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mBoard->GetUmbrellaStock(), 2);
}

TEST_F(GirlErrands, TakesAndReturnsAToppingWithTheStationsLook) {
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  Click(cherries);
  ExpectSettled(cherries);
  EXPECT_EQ(mGirl->GetCarryCode(), 19);
  EXPECT_TRUE(cherries->IsActive());

  Click(cherries);
  ExpectSettled(cherries);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_FALSE(cherries->IsActive());
}

TEST_F(GirlErrands, ScoopsFromABoxAndThrowsTheScoopAway) {
  ICBoxButton* box = mBoard->mIceCreamBoxButtons[2].get();
  Click(box, 2);  // a double click scoops, it never lifts the box
  ExpectSettled(box);
  EXPECT_EQ(mGirl->GetCarryCode(), 15);
  EXPECT_EQ(mBoard->mIceCreamBoxes[2].mPortions, 4);

  const int uses = mBoard->mTrashUses;
  AlphaButton* trashcan = mBoard->mTrashcanButton.get();
  Click(trashcan);
  ExpectSettled(trashcan);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mBoard->mTrashUses, uses + 1);

  // Empty-handed with nothing queued the trash can has nothing to do.
  Click(trashcan);
  EXPECT_EQ(trashcan->GetPending(), 0);
  EXPECT_TRUE(mGirl->IsIdle());
}

TEST_F(GirlErrands, RefillsAnEmptyBoxThroughTheMachineWithAnIngredient) {
  Player().SetFlag(3, true);  // the machine's lesson is seen
  IceCreamBox& strawberry = mBoard->mIceCreamBoxes[1];
  strawberry.mPortions = 0;
  ICBoxButton* box = mBoard->mIceCreamBoxButtons[1].get();
  Click(box);
  ExpectSettled(box);
  ASSERT_EQ(mGirl->GetCarryCode(), 35);
  EXPECT_EQ(mGirl->GetCarriedBox().mFlavor, 14);
  EXPECT_EQ(strawberry.mFlavor, 0);

  // Load the box, fetch the strawberries, put them in, start, step back.
  AlphaButton* machine = mBoard->mMachineButton.get();
  Click(machine);
  ExpectSettled(machine);
  EXPECT_EQ(mBoard->GetIceCreamMachineState(), 2);
  EXPECT_EQ(mBoard->GetIceCreamMachineIngredient(), 26);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mGirl->GetX(), 632.0f);

  // She waits at the machine until it has finished, then takes the box.
  Click(machine);
  for (int i = 0; i < 20; ++i) RunFor(100);
  EXPECT_FALSE(mGirl->IsIdle());
  mBoard->mMachineState = 3;
  ExpectSettled(machine);
  EXPECT_EQ(mGirl->GetCarryCode(), 35);
  EXPECT_EQ(mGirl->GetCarriedBox().mFlavor, 14);
  EXPECT_EQ(mGirl->GetCarriedBox().mPortions, mBoard->GetIceCreamBatchSize());
  EXPECT_EQ(mBoard->GetIceCreamMachineState(), 0);

  Click(box);
  ExpectSettled(box);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(strawberry.mFlavor, 14);
  EXPECT_EQ(strawberry.mPortions, mBoard->GetIceCreamBatchSize());
}

TEST_F(GirlErrands, PutsASpecialFromTheFreezerOnTheBeltOnceTheStartIsClear) {
  Conveyor& belt = *mBoard->GetConveyor();
  // A cone has just entered: the dish waits in her hands at the belt's
  // start until the cone has moved far enough on.
  AlphaButton* cones = mBoard->mConeMachineButton.get();
  Click(cones);
  RunFor(10);
  ASSERT_EQ(belt.GetContainers().GetCount(), 1);
  auto* cone = static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(0));

  AlphaButton* freezer = mBoard->mFreezerButtons[0].get();
  Click(freezer);
  ExpectSettled(freezer);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  ASSERT_EQ(belt.GetContainers().GetCount(), 2);
  auto* dish = static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(1));
  EXPECT_EQ(dish->GetItem()->GetKind(), kItemSpecialCup);
  EXPECT_EQ(dish->GetSerial(), cone->GetSerial() + 1);
  // It went on at the first moment the cone was far enough ahead.
  const int room = (cone->GetItem()->GetWidth() + dish->GetItem()->GetWidth()) / 2 + 24;
  EXPECT_GE(cone->GetX() - dish->GetX(), static_cast<float>(room));
  EXPECT_EQ(cones->GetPending(), 0);
}

TEST_F(GirlErrands, BuildsAConeOnTheBelt) {
  Conveyor& belt = *mBoard->GetConveyor();
  // Two cones ordered: each badge goes down once, as its cone enters.
  AlphaButton* cones = mBoard->mConeMachineButton.get();
  Click(cones);
  Click(cones);
  EXPECT_EQ(cones->GetPending(), 2);
  for (int i = 0; i < 100 && belt.GetContainers().GetCount() < 1; ++i) RunFor(10);
  EXPECT_EQ(cones->GetPending(), 1);
  for (int i = 0; i < 1000 && belt.GetContainers().GetCount() < 2; ++i) RunFor(10);
  EXPECT_EQ(cones->GetPending(), 0);

  ICBoxButton* box = mBoard->mIceCreamBoxButtons[2].get();
  Click(box, 2);
  ExpectSettled(box);
  ASSERT_EQ(mGirl->GetCarryCode(), 15);

  // Click the second cone where it rides now.
  auto* container = static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(1));
  IceCream* cone = container->GetItem();
  const int x = static_cast<int>(container->GetX());
  const int y = static_cast<int>(container->GetY()) - cone->GetHeight() / 2;
  Widgets().MouseMove(x, y);
  mBoard->Update();
  ASSERT_EQ(mBoard->mHoverConveyorItem, cone);
  Widgets().MouseDown(x, y, 1);
  Widgets().MouseUp(x, y, 1);
  EXPECT_EQ(cone->GetMarker(), 1);
  ExpectSettled(nullptr);

  ASSERT_TRUE(belt.HasItemOnBelt(cone));
  EXPECT_EQ(cone->GetScoopCount(), 1);
  EXPECT_EQ(cone->GetFlavor(0), 15);
  EXPECT_EQ(cone->GetMarker(), 0);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mBoard->mIceCreamBoxes[2].mPortions, 4);

  // Nobody wants the cones: at the belt's end the serving monkey takes
  // each and, unless he eats it, throws it away.
  const int uses = mBoard->mTrashUses;
  ServingMonkey& monkey = *mBoard->GetServingMonkey();
  int taken = 0;
  int last = 0;
  for (int i = 0; i < 6000 && (!belt.IsEmpty() || monkey.GetState() != ServingMonkey::kIdle); ++i) {
    RunFor(10);
    if (monkey.GetContainerId() != last) {
      last = monkey.GetContainerId();
      ++taken;
    }
  }
  EXPECT_TRUE(belt.IsEmpty());
  EXPECT_EQ(monkey.GetState(), ServingMonkey::kIdle);
  EXPECT_EQ(taken, 2);
  EXPECT_LE(mBoard->mTrashUses, uses + 2);
  EXPECT_TRUE(mBoard->GetCounter()->IsEmpty());
}

TEST_F(GirlErrands, ThrowsATreatToTheMonkey) {
  AlphaButton* apples = mBoard->mAppleButton.get();
  Click(apples);
  ExpectSettled(apples);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mBoard->GetAppleStock(), 1);
}

TEST_F(GirlErrands, PressesFastForward) {
  AlphaButton* ff = mBoard->mFastForwardButton.get();
  const int clicks = mBoard->mFastForwardClicks;
  Click(ff);
  EXPECT_TRUE(mBoard->IsFFButtonActionQueued());
  ExpectSettled(ff);
  EXPECT_EQ(mBoard->mFastForwardClicks, clicks + 1);
  EXPECT_TRUE(Player().GetFlag(32));
  EXPECT_FALSE(mBoard->IsFFButtonActionQueued());
}

}  // namespace
}  // namespace Plix
