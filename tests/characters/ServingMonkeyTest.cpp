// The serving monkey on a board outside the widget manager, driven tick by
// tick: what he does with a wanted and an unwanted item, the sparkler in
// his hands, his idle beat, and the items he takes off the end of the belt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/Girl.h"
#include "game/characters/ServingMonkey.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

class ServingMonkeyTest : public Testing::BoardFixture {
protected:
  void SetUp() override {
    BoardFixture::SetUp();
    // After the groups are bound, which sets them back.
    mSoundIds = std::make_unique<Testing::DistinctSoundIds>(std::initializer_list<int*>{&SOUND_EAT_FRUIT, &SOUND_MONKEY_BAD_ICE_CREAM, &SOUND_MONKEY_THROW});
    Make(0);
  }
  void TearDown() override {
    mBoard.reset();
    mSoundIds.reset();
    BoardFixture::TearDown();
  }
  void Make(int day) {
    mBoard = std::make_unique<Board>(*mGame, 0, day);
    mMonkey = mBoard->GetServingMonkey();
  }
  // A fresh, idle monkey.
  void NewMonkey() {
    mBoard->mServingMonkey = std::make_unique<ServingMonkey>(mBoard.get(), mBoard->GetCounter());
    mMonkey = mBoard->GetServingMonkey();
  }
  // Updates until he is idle again, collecting the states he went
  // through; false after the bound.
  bool RunErrand(std::set<int>& states, int bound = 3000) {
    for (int i = 0; i < bound; ++i) {
      mMonkey->Update();
      states.insert(mMonkey->GetState());
      if (mMonkey->GetState() == ServingMonkey::kIdle) return true;
    }
    return false;
  }
  static IceCream Item(int kind, int decoration = 0) {
    IceCream item = IceCream::CreateOfKind(kind);
    if (decoration) item.SetDecoration(decoration);
    return item;
  }

  std::unique_ptr<Testing::DistinctSoundIds> mSoundIds;
  std::unique_ptr<Board> mBoard;
  ServingMonkey* mMonkey = nullptr;
};

TEST_F(ServingMonkeyTest, AnUnwantedConeOrCupIsSometimesEatenAnythingElseAlwaysTrashed) {
  struct Case {
    int kind;
    bool mayEat;
  } cases[] = {{kItemCone, true}, {kItemCup, true}, {kItemPlate, false}, {kItemSpecialCup, false}, {kItemCake, false}};
  constexpr int kRuns = 40;
  for (const Case& c : cases) {
    int eaten = 0;
    for (int seed = 1; seed <= kRuns; ++seed) {
      NewMonkey();
      SRand(static_cast<uint32_t>(seed));
      mBoard->mServingMonkeyDone = false;
      mGame->mSounds.clear();
      const int uses = mBoard->mTrashUses;
      const int flying = mBoard->mFlyingIceCreams.GetCount();
      mMonkey->TakeItem(Item(c.kind), 9);
      EXPECT_EQ(mMonkey->GetState(), ServingMonkey::kTookUnwanted);
      EXPECT_EQ(mMonkey->GetContainerId(), 9);
      std::set<int> states;
      ASSERT_TRUE(RunErrand(states));
      EXPECT_TRUE(mBoard->mServingMonkeyDone);
      EXPECT_EQ(mMonkey->GetItem().GetKind(), kItemNone);
      if (states.count(ServingMonkey::kEating)) {
        ++eaten;
        EXPECT_EQ(mGame->CountSound(SOUND_EAT_FRUIT), 1);
        EXPECT_EQ(mBoard->mTrashUses, uses);
      } else {
        EXPECT_TRUE(states.count(ServingMonkey::kDisgusted) && states.count(ServingMonkey::kThrowingToTrash));
        EXPECT_EQ(mGame->CountSound(SOUND_MONKEY_BAD_ICE_CREAM), 1);
        EXPECT_EQ(mGame->CountSound(SOUND_MONKEY_THROW), 1);
        EXPECT_EQ(mBoard->mTrashUses, uses + 1);
        EXPECT_EQ(mBoard->mFlyingIceCreams.GetCount(), flying + 1);
      }
    }
    if (c.mayEat) {
      // About one in four.
      EXPECT_GE(eaten, kRuns / 8) << c.kind;
      EXPECT_LE(eaten, kRuns / 2) << c.kind;
    } else {
      EXPECT_EQ(eaten, 0) << c.kind;
    }
  }
}

TEST_F(ServingMonkeyTest, AWantedItemWaitsInHisHandsUntilTheCounterHasRoom) {
  ItemHolder& counter = *mBoard->GetCounter();
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(counter.Add(Item(kItemCone)));
  mMonkey->TakeItemToState4(Item(kItemCup), 3);
  EXPECT_TRUE(mBoard->ServingMonkeyNotWaiting());  // the counter is full
  for (int i = 0; i < 1000; ++i) mMonkey->Update();
  EXPECT_TRUE(mBoard->mServingMonkeyDone);
  EXPECT_EQ(mMonkey->GetState(), ServingMonkey::kHolding);
  EXPECT_EQ(mMonkey->GetItem().GetKind(), kItemCup);
  // Holding, his idle beat brings no idle animation.
  EXPECT_EQ(mMonkey->GetCurrentAnimation(), nullptr);

  counter.Clear();
  EXPECT_FALSE(mBoard->ServingMonkeyNotWaiting());
  std::set<int> states;
  ASSERT_TRUE(RunErrand(states));
  EXPECT_TRUE(states.count(ServingMonkey::kPuttingOnCounter));
  EXPECT_FALSE(states.count(ServingMonkey::kThrowingToCustomer));
  EXPECT_EQ(counter.CountExactMatches(Item(kItemCup)), 1);
  EXPECT_EQ(mMonkey->GetItem().GetKind(), kItemNone);
  EXPECT_TRUE(mBoard->ServingMonkeyNotWaiting());
}

TEST_F(ServingMonkeyTest, ASparklerCountsFromTheTakingUntilItLeavesHisHands) {
  // Put on the counter: the counter holds it on.
  mMonkey->TakeItemToState4(Item(kItemCup, kItemSparkler), 1);
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 1);
  std::set<int> states;
  ASSERT_TRUE(RunErrand(states));
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 1);
  mBoard->GetCounter()->Clear();
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 0);

  // Eaten or trashed: gone from his hands, the flying copy holds it on.
  NewMonkey();
  mMonkey->TakeItem(Item(kItemCup, kItemSparkler), 2);
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 1);
  ASSERT_TRUE(RunErrand(states));
  EXPECT_EQ(mBoard->GetSparklersInPlay(), mBoard->mFlyingIceCreams.GetCount());
}

TEST_F(ServingMonkeyTest, IdleAnimationsStartOnlyOnEveryTwoHundredthTick) {
  SRand(5);
  std::set<int> startedAt;
  const Animation* last = nullptr;
  for (int i = 0; i < 4000; ++i) {
    mMonkey->Update();
    const Animation* now = mMonkey->GetCurrentAnimation();
    if (now && now != last) startedAt.insert(mMonkey->GetIdleCounter());
    last = now;
  }
  ASSERT_FALSE(startedAt.empty());
  // A coin toss each time: not on every beat.
  EXPECT_LT(startedAt.size(), 20u);
  for (int tick : startedAt) EXPECT_EQ(tick % 200, 0) << tick;
}

// Ticks the belt and the monkey in the board's order.
class BeltToMonkey : public ServingMonkeyTest {
protected:
  void Tick() {
    Conveyor& belt = *mBoard->GetConveyor();
    belt.Update();
    mMonkey->Update();
    belt.Move(1.0f);
  }
};

TEST_F(BeltToMonkey, AnItemSheWorksOnGoesToTheCounterOtherwiseToTheTrash) {
  Conveyor& belt = *mBoard->GetConveyor();
  belt.AddItem(kItemCone, false);
  belt.AddItem(kItemCup, false);
  for (int i = 0; i < 2000 && belt.GetContainers().GetCount() < 2; ++i) Tick();
  auto* first = static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(0));
  auto* second = static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(1));
  const int firstSerial = first->GetSerial();
  // Nobody wants the cone, but her next errand is an ice cream on the
  // belt: the monkey takes it to the counter.
  mBoard->mGoldenIceCreamProgress = 2;
  ASSERT_TRUE(mBoard->GetGirl()->EnqueueIceCream(second->GetItem()));
  for (int i = 0; i < 3000 && mMonkey->GetState() == ServingMonkey::kIdle; ++i) Tick();
  ASSERT_EQ(mMonkey->GetState(), ServingMonkey::kTookWanted);
  EXPECT_EQ(mMonkey->GetContainerId(), firstSerial);
  // The container waits at the end until his take animation is over.
  EXPECT_TRUE(belt.HasContainerWithSerial(firstSerial));
  for (int i = 0; i < 3000 && belt.HasContainerWithSerial(firstSerial); ++i) Tick();
  EXPECT_FALSE(belt.HasContainerWithSerial(firstSerial));
  EXPECT_NE(mMonkey->GetState(), ServingMonkey::kTookWanted);
  for (int i = 0; i < 3000 && mMonkey->GetState() != ServingMonkey::kIdle; ++i) Tick();
  EXPECT_EQ(mBoard->GetCounter()->CountExactMatches(IceCream::CreateOfKind(kItemCone)), 1);

  // Without her errand nobody wants an item: it is trashed and the golden
  // ice cream count starts again.
  Make(0);
  Conveyor& fresh = *mBoard->GetConveyor();
  mBoard->mGoldenIceCreamProgress = 2;
  fresh.AddItem(kItemCup, false);
  for (int i = 0; i < 5000 && mMonkey->GetState() == ServingMonkey::kIdle; ++i) Tick();
  EXPECT_EQ(mMonkey->GetState(), ServingMonkey::kTookUnwanted);
  EXPECT_EQ(mBoard->mGoldenIceCreamProgress, 0);
  for (int i = 0; i < 3000 && !fresh.IsEmpty(); ++i) Tick();
  EXPECT_TRUE(fresh.IsEmpty());
  for (int i = 0; i < 3000 && mMonkey->GetState() != ServingMonkey::kIdle; ++i) Tick();
  EXPECT_EQ(mBoard->mTrashUses, 1);
  EXPECT_EQ(mBoard->GetCounter()->CountExactMatches(IceCream::CreateOfKind(kItemCup)), 0);
}

// The golden ice cream rule, offer by offer: each offer goes to a fresh
// idle monkey who takes the item to the counter.
TEST_F(ServingMonkeyTest, GoldenIceCreamJoinsTheBeltAfterDayThirdPlusFourOffers) {
  struct Case {
    const char* name;
    int day, storyDays, area, dayLength, golden, flavorShift;
    bool comes;
  } cases[] = {
      {"newest day", 3, 3, 1, 300, 0, 0, true},
      {"replayed day", 3, 4, 1, 300, 0, 0, false},
      {"last area", 3, 3, 6, 300, 0, 0, false},
      {"15 seconds left", 3, 3, 1, 15, 0, 0, false},
      {"16 seconds left", 3, 3, 1, 16, 0, 0, true},
      {"four on a short day", 5, 5, 1, 300, 4, 0, false},
      {"three on a short day", 5, 5, 1, 300, 3, 0, true},
      {"four on another day", 6, 6, 1, 300, 4, 0, true},
      {"five on another day", 6, 6, 1, 300, 5, 0, false},
      {"flavours not all bought", 6, 6, 1, 300, 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Player().SetStoryDays(c.storyDays);
    Make(c.day);
    mBoard->mArea = c.area;
    mBoard->mArrivalSchedule = std::make_unique<ArrivalSchedule>();
    ArrivalOrder party;
    party.SetGroupCode(0);
    mBoard->mArrivalSchedule->AddOrder(party);
    mBoard->mArrivalSchedule->SpreadOverDay(c.dayLength);
    ASSERT_EQ(mBoard->mArrivalSchedule->GetSecondsLeft(), c.dayLength);
    mBoard->mGoldenIceCreams = c.golden;
    Player().SetFlavorCount(mGame->GetLevel(c.day)->flavorCount + c.flavorShift);
    IceCream other = IceCream::CreateOfKind(kItemCone);
    ASSERT_TRUE(mBoard->GetGirl()->EnqueueIceCream(&other));
    const int needed = c.day / 3 + 4;
    Conveyor& belt = *mBoard->GetConveyor();
    for (int offer = 1; offer <= needed; ++offer) {
      NewMonkey();
      mBoard->mServingMonkeyCalled = false;
      IceCream item = IceCream::CreateOfKind(kItemCup);
      EXPECT_FALSE(mBoard->OfferToServingMonkey(&item, 466, 407, offer));
      ASSERT_EQ(mMonkey->GetState(), ServingMonkey::kTookWanted);
      if (offer < needed) {
        EXPECT_EQ(belt.GetPendingCount(), 0) << offer;
      }
    }
    EXPECT_EQ(belt.GetPendingCount(), c.comes ? 1 : 0);
    if (c.comes) {
      EXPECT_EQ(mBoard->mGoldenIceCreamProgress, 0);
    }
  }
}

// The painted box of his drawing, (800, 600, -1, -1) when nothing is.
struct Box {
  int left = 800, top = 600, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

Box Paint(ServingMonkey& monkey) {
  MemoryImage canvas;
  canvas.Create(800, 600);
  Graphics g(&canvas);
  monkey.Draw(g);
  Box b;
  const uint32_t* bits = canvas.GetBits();
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x)
      if (bits[y * 800 + x] & 0xFF000000u) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

TEST_F(ServingMonkeyTest, IsDrawnByTheCounterWithWhatHeHolds) {
  const Box idle = Paint(*mMonkey);
  ASSERT_FALSE(idle.Empty());
  EXPECT_GE(idle.left, ServingMonkey::kX - 30);
  EXPECT_GE(idle.top, ServingMonkey::kY - 2);
  // Every state of an errand draws him about his place, the item too.
  mMonkey->TakeItemToState4(Item(kItemPlate), 1);
  for (int i = 0; i < 3000 && mMonkey->GetState() != ServingMonkey::kIdle; ++i) {
    mMonkey->Update();
    if (i % 10 != 0) continue;
    const Box b = Paint(*mMonkey);
    SCOPED_TRACE(::testing::Message() << "state " << mMonkey->GetState() << " at " << i);
    ASSERT_FALSE(b.Empty());
    EXPECT_GE(b.left, ServingMonkey::kX - 40);
    EXPECT_LE(b.right, ServingMonkey::kX + 160);
    EXPECT_GE(b.top, ServingMonkey::kY - 40);
    EXPECT_LE(b.bottom, ServingMonkey::kY + 160);
  }
}

}  // namespace
}  // namespace Plix
