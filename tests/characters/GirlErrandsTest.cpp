// Pemi's errands played as a player plays them: clicks on the stations
// through the widget manager, the loop run until she stands idle, then what
// she holds, what the stations hold, and that every badge went back down.
#include <gtest/gtest.h>

#include <vector>

#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/Tutorial.h"
#include "game/board/WalkPath.h"
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
  // She stands on the path, at the point of it at her x.
  bool OnPath(WalkPath* path) {
    PathCursor cursor;
    float x = 0;
    float y = 0;
    cursor.PointAtX(*path, mGirl->GetX(), x, y);
    return x == mGirl->GetX() && y == mGirl->GetY();
  }
  // Every station the heroine's errands give clicks back to.
  std::vector<AlphaButton*> GirlStations() {
    std::vector<AlphaButton*> stations = {
        mBoard->mTrashcanButton.get(),     mBoard->mMachineButton.get(),       mBoard->mFastForwardButton.get(),
        mBoard->mConeMachineButton.get(),  mBoard->mCupMachineButton.get(),    mBoard->mPlateMachineButton.get(),
        mBoard->mCherriesButton.get(),     mBoard->mSprinklesButton.get(),     mBoard->mChocolateSauceButton.get(),
        mBoard->mUmbrellaButton.get(),     mBoard->mCocktailStickButton.get(), mBoard->mStrawButton.get(),
        mBoard->mSparklerButton.get(),     mBoard->mBananaButton.get(),        mBoard->mAppleButton.get(),
        mBoard->mPearButton.get(),         mBoard->mSuperBananaButton.get()};
    for (auto& freezer : mBoard->mFreezerButtons) stations.push_back(freezer.get());
    for (auto& box : mBoard->mIceCreamBoxButtons) stations.push_back(box.get());
    return stations;
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

  Testing::DistinctSoundIds sounds{&SOUND_FREEZER_OPEN, &SOUND_FREEZER_CLOSE};
  ASSERT_NE(IMAGE_FREEZER_OPEN, nullptr);
  ASSERT_NE(IMAGE_FREEZER_OPEN, IMAGE_FREEZER_CLOSED);
  AlphaButton* freezer = mBoard->mFreezerButtons[0].get();
  Click(freezer);
  // The door opens and shuts once, each with its sound, while she takes
  // the dish out.
  bool open = false;
  for (int i = 0; i < 3000 && !mGirl->IsIdle(); ++i) {
    RunFor(10);
    if (freezer->GetStateImage(0) == IMAGE_FREEZER_OPEN) {
      open = true;
      EXPECT_EQ(freezer->GetStateImage(1), IMAGE_FREEZER_OPEN);
      EXPECT_EQ(mGame->CountSound(SOUND_FREEZER_OPEN), 1);
      EXPECT_EQ(mGame->CountSound(SOUND_FREEZER_CLOSE), 0);
    }
  }
  EXPECT_TRUE(open);
  EXPECT_EQ(freezer->GetStateImage(0), IMAGE_FREEZER_CLOSED);
  EXPECT_EQ(mGame->CountSound(SOUND_FREEZER_OPEN), 1);
  EXPECT_EQ(mGame->CountSound(SOUND_FREEZER_CLOSE), 1);
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
  ASSERT_EQ(mBoard->GetHoverConveyorItem(), cone);
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

// The round a player plays on the small floor, click by click. Every
// station carries one click of its own that no errand may take: a badge
// given back twice would take it, one never given back would stay above
// it. After each sequence every errand object is gone again.
TEST_F(GirlErrands, EveryAcceptedClickIsGivenBackExactlyOnce) {
  Player().SetFlag(3, true);  // the machine's lesson is seen
  const std::vector<AlphaButton*> stations = GirlStations();
  for (AlphaButton* station : stations) {
    ASSERT_NE(station, nullptr);
    station->IncrementPending();
  }
  auto settled = [&](const char* sequence) {
    SCOPED_TRACE(sequence);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
    for (AlphaButton* station : stations) EXPECT_EQ(station->GetPending(), 1) << "button " << station->GetId();
  };
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  AlphaButton* umbrellas = mBoard->mUmbrellaButton.get();

  // Toppings and decorations are taken and returned along the bench.
  Click(cherries);
  settled("cherries taken");
  EXPECT_EQ(mGirl->GetCarryCode(), 19);
  EXPECT_TRUE(OnPath(mBoard->GetBenchWalkPath()));
  Click(cherries);
  settled("cherries returned");
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  Click(umbrellas);
  Click(umbrellas);
  settled("umbrella taken and returned");
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  EXPECT_EQ(mBoard->GetUmbrellaStock(), 2);

  // A cone built on the belt: a scoop, a decoration, a topping.
  Click(mBoard->mIceCreamBoxButtons[2].get(), 2);
  settled("scoop");
  ASSERT_EQ(mGirl->GetCarryCode(), 15);
  ConveyorContainer* cone = OrderCone();
  ASSERT_NE(cone, nullptr);
  const int serial = cone->GetSerial();
  IceCream* item = cone->GetItem();
  item->IncrementMarker();
  ASSERT_TRUE(ClickItem(cone));
  settled("scoop onto the cone");
  Click(umbrellas);
  settled("umbrella");
  ASSERT_TRUE(mBoard->GetConveyor()->HasContainerWithSerial(serial));
  ASSERT_TRUE(ClickItem(cone));
  settled("umbrella onto the cone");
  Click(cherries);
  settled("cherries");
  ASSERT_TRUE(mBoard->GetConveyor()->HasContainerWithSerial(serial));
  ASSERT_TRUE(ClickItem(cone));
  settled("cherries onto the cone");
  ASSERT_TRUE(mBoard->GetConveyor()->HasContainerWithSerial(serial));
  EXPECT_EQ(item->GetScoopCount(), 1);
  EXPECT_EQ(item->GetFlavor(0), 15);
  EXPECT_EQ(item->GetDecoration(), 22);
  EXPECT_EQ(item->GetTopping(), 19);
  EXPECT_EQ(item->GetMarker(), 1);
  EXPECT_EQ(mGirl->GetCarryCode(), 19);  // the topping stays in her hand
  Click(cherries);
  settled("cherries back");
  EXPECT_FALSE(cherries->IsActive());

  // An empty box refilled through the machine with its ingredient.
  IceCreamBox& strawberry = mBoard->mIceCreamBoxes[1];
  strawberry.mPortions = 0;
  Click(mBoard->mIceCreamBoxButtons[1].get());
  settled("box lifted");
  ASSERT_EQ(mGirl->GetCarryCode(), 35);
  AlphaButton* machine = mBoard->mMachineButton.get();
  Click(machine);
  settled("box loaded and the machine started");
  EXPECT_EQ(mBoard->GetIceCreamMachineState(), 2);
  EXPECT_EQ(mBoard->GetIceCreamMachineIngredient(), 26);
  Click(machine);
  for (int i = 0; i < 20; ++i) RunFor(100);
  mBoard->mMachineState = 3;  // the machine's run is the day's tick's
  settled("full box taken out");
  Click(mBoard->mIceCreamBoxButtons[1].get());
  settled("box set down");
  EXPECT_EQ(strawberry.mFlavor, 14);
  EXPECT_EQ(strawberry.mPortions, mBoard->GetIceCreamBatchSize());

  // A special from the freezer onto the belt.
  Click(mBoard->mFreezerButtons[1].get());
  settled("banana split");
  EXPECT_EQ(mBoard->GetConveyor()->GetLastAdded()->GetItem()->GetKind(), kItemBananaSplit);

  // A scoop into the trash can, at the counter path's end.
  const int uses = mBoard->mTrashUses;
  Click(mBoard->mIceCreamBoxButtons[3].get(), 2);
  Click(mBoard->mTrashcanButton.get());
  settled("scoop thrown away");
  EXPECT_EQ(mBoard->mTrashUses, uses + 1);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
  // From the can at the path's left end she walked back along it.
  EXPECT_EQ(mGirl->GetX(), Girl::kHomeX);
  EXPECT_TRUE(OnPath(mBoard->GetCounterWalkPath()));

  // A treat thrown, the belt sped up.
  Click(mBoard->mPearButton.get());
  settled("pear thrown");
  EXPECT_EQ(mBoard->GetPearStock(), 1);
  Click(mBoard->mFastForwardButton.get());
  settled("fast-forward");
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
}

// What she holds is put away before the clicked errand: a scoop goes into
// the trash, a decoration back to its station, a banana to the monkey and
// a box to its own slot.
struct PutAwayCase {
  const char* name;
  int carry;
  int clicked;  // button id
  int clicks;
  int carryAfter;
  int trashUses;
};

class PutAway : public GirlErrands, public ::testing::WithParamInterface<PutAwayCase> {
protected:
  AlphaButton* Button(int id) {
    for (AlphaButton* station : GirlStations())
      if (station->GetId() == id) return station;
    return nullptr;
  }
};

TEST_P(PutAway, FirstThenTheClickedErrand) {
  const PutAwayCase& c = GetParam();
  mGirl->SetCarryCode(c.carry);
  if (c.carry == 35) {
    // A full chocolate box in her arms; its slot and the vanilla slot are
    // empty.
    mGirl->SetCarriedBox({15, 0.0f, 12});
    mBoard->mIceCreamBoxes[0] = {0, 300.0f, 0};
    mBoard->mIceCreamBoxes[2] = {0, 380.0f, 0};
  }
  if (c.carry == 22) mBoard->mUmbrellas = 1;
  const int uses = mBoard->mTrashUses;
  const int bananas = mBoard->GetBananaStock();
  AlphaButton* clicked = Button(c.clicked);
  ASSERT_NE(clicked, nullptr);
  Click(clicked, c.clicks);
  ExpectSettled(clicked);
  EXPECT_EQ(mGirl->GetCarryCode(), c.carryAfter);
  EXPECT_EQ(mBoard->mTrashUses - uses, c.trashUses);
  EXPECT_EQ(mBoard->GetBananaStock(), bananas);
  switch (c.carry) {
    case 22: EXPECT_EQ(mBoard->GetUmbrellaStock(), 2); break;
    case 35:
      EXPECT_EQ(mBoard->mIceCreamBoxes[2].mFlavor, 15);
      EXPECT_EQ(mBoard->mIceCreamBoxes[2].mPortions, 12);
      EXPECT_EQ(mBoard->mIceCreamBoxes[0].mFlavor, 0);  // nothing to do at the empty slot
      break;
    default: break;
  }
  if (c.clicked == 15) {
    ConveyorContainer* dish = mBoard->GetConveyor()->GetLastAdded();
    ASSERT_NE(dish, nullptr);
    EXPECT_EQ(dish->GetItem()->GetKind(), kItemSpecialCup);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PutAway,
    ::testing::Values(PutAwayCase{"ScoopBeforeCherries", 15, 24, 1, 19, 1},
                      PutAwayCase{"ScoopBeforeTheFreezer", 13, 15, 1, 0, 1},
                      PutAwayCase{"IngredientBeforeFastForward", 27, 0, 1, 0, 1},
                      PutAwayCase{"UmbrellaBeforeAScoop", 22, 9, 2, 15, 0},
                      PutAwayCase{"BananaBeforeCherries", 31, 24, 1, 19, 0},
                      PutAwayCase{"BoxBeforeTheEmptyVanillaSlot", 35, 7, 1, 0, 0}),
    [](const ::testing::TestParamInfo<PutAwayCase>& info) { return std::string(info.param.name); });

// The trash can takes anything but a topping, which goes back to its
// station; a box is only emptied.
struct TrashCase {
  const char* name;
  int carry;
  int carryAfter;
  int trashUses;
};

class Trashcan : public GirlErrands, public ::testing::WithParamInterface<TrashCase> {};

TEST_P(Trashcan, ThrowsAwayWhatSheHolds) {
  const TrashCase& c = GetParam();
  mGirl->SetCarryCode(c.carry);
  mGirl->SetCarriedBox({14, 0.0f, 3});
  if (c.carry == 19) mBoard->ActivateCherriesButton();
  const int uses = mBoard->mTrashUses;
  const int umbrellas = mBoard->GetUmbrellaStock();
  AlphaButton* trashcan = mBoard->mTrashcanButton.get();
  Click(trashcan);
  ExpectSettled(trashcan);
  EXPECT_EQ(mGirl->GetCarryCode(), c.carryAfter);
  EXPECT_EQ(mBoard->mTrashUses - uses, c.trashUses);
  EXPECT_EQ(mBoard->GetUmbrellaStock(), umbrellas);  // what is thrown away is gone
  if (c.carry == 35) {
    EXPECT_EQ(mGirl->GetCarriedBox().mPortions, 0);
  }
  EXPECT_FALSE(mBoard->mCherriesButton->IsActive());
}

INSTANTIATE_TEST_SUITE_P(Loads, Trashcan,
                         ::testing::Values(TrashCase{"SpecialCup", 4, 0, 1}, TrashCase{"Umbrella", 22, 0, 1},
                                           TrashCase{"Apple", 32, 0, 1}, TrashCase{"Box", 35, 35, 1},
                                           TrashCase{"CherriesGoBack", 19, 0, 0}),
                         [](const ::testing::TestParamInfo<TrashCase>& info) { return std::string(info.param.name); });

// With cherries in her hand she tops one cone after another and keeps
// them; a cherries click right before a cone click is dropped; an empty
// cone cannot take them.
TEST_F(GirlErrands, AToppingStaysInHerHandFromConeToCone) {
  ConveyorContainer* first = OrderCone();
  ConveyorContainer* second = OrderCone();
  ConveyorContainer* empty = OrderCone();
  ASSERT_TRUE(first && second && empty);
  first->GetItem()->AddScoop(14);
  second->GetItem()->AddScoop(16);
  mGirl->SetCarryCode(19);
  mBoard->ActivateCherriesButton();

  // She is still busy when the clicks come.
  mGirl->EnqueueWalkByCounter(300);
  AlphaButton* cherries = mBoard->mCherriesButton.get();
  Click(cherries);
  ASSERT_TRUE(ClickItem(first));
  ASSERT_TRUE(ClickItem(second));
  ExpectSettled(cherries);
  EXPECT_EQ(first->GetItem()->GetTopping(), 19);
  EXPECT_EQ(second->GetItem()->GetTopping(), 19);
  EXPECT_EQ(mGirl->GetCarryCode(), 19);
  EXPECT_TRUE(cherries->IsActive());

  ASSERT_TRUE(ClickItem(empty));
  ExpectSettled(nullptr);
  EXPECT_EQ(empty->GetItem()->GetTopping(), 0);
  EXPECT_EQ(empty->GetItem()->GetMarker(), 0);
  EXPECT_EQ(mGirl->GetCarryCode(), 19);
}

// The last decoration of the day greys its station out the moment it goes
// onto an ice cream; a sparkler starts its sound.
TEST_F(GirlErrands, TheLastDecorationDisablesItsStation) {
  mBoard->mUmbrellas = 1;
  mBoard->mSparklers = 1;
  for (AlphaButton* station : {mBoard->mUmbrellaButton.get(), mBoard->mSparklerButton.get()}) {
    SCOPED_TRACE(station->GetId());
    ConveyorContainer* cone = OrderCone();
    ASSERT_NE(cone, nullptr);
    cone->GetItem()->AddScoop(14);
    Click(station);
    ExpectSettled(station);
    EXPECT_NE(station->GetState(), 3);  // taken, not used yet
    const int sparklers = mBoard->GetSparklersInPlay();
    ASSERT_TRUE(ClickItem(cone));
    ExpectSettled(nullptr);
    EXPECT_NE(cone->GetItem()->GetDecoration(), 0);
    EXPECT_EQ(station->GetState(), 3);
    EXPECT_EQ(mGirl->GetCarryCode(), 0);
    EXPECT_EQ(mBoard->GetSparklersInPlay() - sparklers, station == mBoard->mSparklerButton.get() ? 1 : 0);
  }
}

// A bonus item is collected whatever she holds; she keeps it.
TEST_F(GirlErrands, ABonusItemIsCollectedWithAScoopInHand) {
  Player().SetShowTutorials(false);  // no lesson about the bonus
  Conveyor& belt = *mBoard->GetConveyor();
  belt.AddItem(10, false);  // the speed boost
  for (int i = 0; i < 6000 && belt.GetContainers().IsEmpty(); ++i) RunFor(10);
  ASSERT_EQ(belt.GetContainers().GetCount(), 1);
  auto* bonus = static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(0));
  mGirl->SetCarryCode(16);
  ASSERT_TRUE(ClickItem(bonus));
  ExpectSettled(nullptr);
  EXPECT_TRUE(belt.GetContainers().IsEmpty());
  EXPECT_EQ(mGirl->GetTargetSpeed(), 6.0f);
  EXPECT_EQ(mGirl->GetCarryCode(), 16);
}

// A second treat waits in her hand while the first is in the air.
TEST_F(GirlErrands, ASecondTreatWaitsForTheFirstToLand) {
  AlphaButton* apples = mBoard->mAppleButton.get();
  Click(apples);
  Click(apples);
  bool waited = false;
  for (int i = 0; i < 600 && !mGirl->IsIdle(); ++i) {
    RunFor(10);
    if (mGirl->FrontActionKind() == kGirlToServingMonkey && mGirl->GetCarryCode() == 32 &&
        mBoard->IsTreatFlying()) {
      waited = true;
      EXPECT_EQ(mGirl->GetBodyAnimation(), nullptr);
    }
  }
  ExpectSettled(apples);
  EXPECT_TRUE(waited);
  EXPECT_EQ(mBoard->GetAppleStock(), 0);
  EXPECT_EQ(mGirl->GetCarryCode(), 0);
}

// Stepping from one path onto the other she goes straight to the point at
// her own x first; a long frame never carries her past her target.
TEST_F(GirlErrands, AWalkStepsOntoItsPathFirstAndNeverOvershoots) {
  ASSERT_FALSE(OnPath(mBoard->GetBenchWalkPath()));
  const float x = mGirl->GetX();
  mGirl->EnqueueWalkByBench(600);
  RunFor(10);
  ASSERT_TRUE(mGirl->IsRunning());
  EXPECT_EQ(mGirl->GetBodyAnimation(), &mGirl->mWalkEmptyDown);
  mGirl->StepCurrentAction(1000.0f);
  EXPECT_EQ(mGirl->GetX(), x);
  EXPECT_TRUE(OnPath(mBoard->GetBenchWalkPath()));
  // A long frame takes her at most to the next bend of the path.
  for (int i = 0; i < 20 && mGirl->GetBodyAnimation(); ++i) {
    mGirl->StepCurrentAction(1000.0f);
    EXPECT_LE(mGirl->GetX(), 600.0f);
    EXPECT_TRUE(OnPath(mBoard->GetBenchWalkPath()));
  }
  EXPECT_EQ(mGirl->GetX(), 600.0f);
  EXPECT_EQ(mGirl->GetBodyAnimation(), nullptr);
  ExpectSettled(nullptr);
}

// Lifting an empty box offers the machine's lesson, once it is not seen.
TEST_F(GirlErrands, LiftingAnEmptyBoxOffersTheMachinesLesson) {
  ASSERT_FALSE(Player().GetFlag(3));
  Player().SetShowTutorials(true);  // the fixture's day had them off
  mBoard->mIceCreamBoxes[1].mPortions = 0;
  ICBoxButton* box = mBoard->mIceCreamBoxButtons[1].get();
  Click(box);
  ASSERT_TRUE(RunUntilIdle());
  EXPECT_EQ(mGirl->GetCarryCode(), 35);
  EXPECT_EQ(mGirl->GetCarriedBox().mPortions, 0);
  EXPECT_EQ(box->GetPending(), 0);
  bool offered = mBoard->GetTutorial() && mBoard->GetTutorial()->GetId() == 3;
  ObjectListIterator it;
  for (it.Begin(mBoard->mQueuedTutorials); !it.AtEnd(); it.Next())
    offered = offered || static_cast<Tutorial*>(it.Get())->GetId() == 3;
  EXPECT_TRUE(offered);
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

// With lessons off a left click takes one scoop and a right click lifts the
// box with what is left in it; a double click always scoops.
TEST_F(GirlErrands, ALeftClickScoopsAndARightClickLiftsTheWholeBox) {
  const struct {
    int clicks;
    int carry;
    int portionsLeft;  // in the slot
  } cases[] = {{1, 13, 4}, {2, 13, 4}, {-1, 35, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clicks);
    mBoard->mIceCreamBoxes[0].mPortions = 5;
    mBoard->mIceCreamBoxes[0].mFlavor = 13;
    mBoard->UpdateIceCreamBoxButton(0);
    mGirl->SetCarryCode(0);
    Click(mBoard->mIceCreamBoxButtons[0].get(), c.clicks);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(mGirl->GetCarryCode(), c.carry);
    EXPECT_EQ(mBoard->mIceCreamBoxes[0].mPortions, c.portionsLeft);
    if (c.carry == 35) {
      EXPECT_EQ(mGirl->GetCarriedBox().mPortions, 5);
    }
  }
}

}  // namespace
}  // namespace Plix
