// Vurez's hands, queue, walks, treats and fatigue: which clicks he takes,
// how he walks the node network, what eating and boosting do and how he
// tires and rests.
#include <gtest/gtest.h>

#include <cmath>

#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Tutorial.h"
#include "game/board/WalkPath.h"
#include "tests/characters/MonkeyTestSupport.h"

namespace Plix {
namespace {

using Testing::MonkeyFixture;

// ---- Which clicks he takes ----

enum Factory {
  kClickTrash,
  kClickNapkins,
  kClickLemonade,
  kClickCookies,
  kClickTable,
  kClickCounter,
  kClickJuggling,
  kClickOrgan
};

struct ClickCase {
  const char* name;
  int carry;        // what his hands hold
  int queuedKind;   // the task queued before the click (0: none)
  Factory factory;
  bool accepted;
};

class Clicks : public MonkeyFixture, public ::testing::WithParamInterface<ClickCase> {};

bool Click(Monkey& m, Factory f, Table* table) {
  switch (f) {
    case kClickTrash: return m.EnqueueToTrashStation();
    case kClickNapkins: return m.EnqueueToNapkins();
    case kClickLemonade: return m.EnqueueToLemonade();
    case kClickCookies: return m.EnqueueToCookies();
    case kClickTable: return m.EnqueueToTable(table);
    case kClickCounter: return m.EnqueueToCounterDish();
    case kClickJuggling: return m.EnqueueToJugglingBalls();
    case kClickOrgan: return m.EnqueueToBarrelOrgan();
  }
  return false;
}

TEST_P(Clicks, TakenOrRefused) {
  const ClickCase& c = GetParam();
  StandardFloor();
  if (c.carry == Monkey::kCarryDishes)
    mMonkey->AddDish(kItemPlate);
  else
    mMonkey->PickUp(c.carry);
  // Indexed by task kind 0..8.
  const Factory byKind[] = {kClickTrash,   kClickTrash,    kClickTable,   kClickCounter,  kClickTrash,
                            kClickNapkins, kClickLemonade, kClickCookies, kClickJuggling};
  if (c.queuedKind) {
    ASSERT_TRUE(Click(*mMonkey, byKind[c.queuedKind], TableAt(0)));
  }
  const int before = mMonkey->GetTaskCount();
  EXPECT_EQ(Click(*mMonkey, c.factory, TableAt(0)), c.accepted);
  EXPECT_EQ(mMonkey->GetTaskCount(), before + (c.accepted ? 1 : 0));
  EXPECT_EQ(mMonkey->GetCarryKind(), c.carry);  // a click never touches his hands
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Clicks,
    ::testing::Values(ClickCase{"TrashWithEmptyHands", 0, 0, kClickTrash, false},
                      ClickCase{"TrashWithDishes", Monkey::kCarryDishes, 0, kClickTrash, true},
                      ClickCase{"TrashBehindTrash", Monkey::kCarryDishes, 4, kClickTrash, false},
                      ClickCase{"TrashBehindATableTask", 0, 2, kClickTrash, true},
                      ClickCase{"NapkinsWhileHoldingOne", Monkey::kCarryNapkin, 0, kClickNapkins, false},
                      ClickCase{"NapkinsHoldingOneWithWorkQueued", Monkey::kCarryNapkin, 2, kClickNapkins, true},
                      ClickCase{"NapkinsBehindNapkins", 0, 5, kClickNapkins, false},
                      ClickCase{"NapkinsHoldingLemonade", Monkey::kCarryLemonade + 1, 0, kClickNapkins, true},
                      ClickCase{"LemonadeWhileHoldingOne", Monkey::kCarryLemonade + 2, 0, kClickLemonade, false},
                      ClickCase{"LemonadeBehindLemonade", 0, 6, kClickLemonade, false},
                      ClickCase{"LemonadeHoldingACookie", Monkey::kCarryCookie, 0, kClickLemonade, true},
                      ClickCase{"CookiesWhileHoldingOne", Monkey::kCarryCookie + 1, 0, kClickCookies, false},
                      ClickCase{"CookiesBehindCookies", 0, 7, kClickCookies, false},
                      ClickCase{"TableAlways", Monkey::kCarryNapkin, 2, kClickTable, true},
                      ClickCase{"CounterAlways", 0, 3, kClickCounter, true},
                      ClickCase{"JugglingBehindJuggling", 0, 8, kClickJuggling, true},
                      ClickCase{"OrganWithBallsQueued", 0, 8, kClickOrgan, true}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

// ---- Hands ----

TEST_F(MonkeyFixture, HandsTakeOneThingAtATime) {
  StandardFloor();
  EXPECT_TRUE(mMonkey->PickUp(Monkey::kCarryNapkin));
  EXPECT_FALSE(mMonkey->PickUp(Monkey::kCarryCookie));
  EXPECT_FALSE(mMonkey->PickUp(Monkey::kCarryTray, mBoard->GetCounter()));
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryNapkin);
  mMonkey->DropAll();
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_TRUE(mMonkey->IsIdle());
}

TEST_F(MonkeyFixture, TakingTheCounterTrayKeepsTheSparklerCount) {
  StandardFloor();
  IceCream cup = Cup(kItemVanilla);
  cup.SetDecoration(kItemSparkler);
  ASSERT_TRUE(mBoard->GetCounter()->Add(cup));
  ASSERT_TRUE(mBoard->GetCounter()->Add(Cup(14)));
  const int sparklers = mBoard->GetSparklersInPlay();
  ASSERT_EQ(sparklers, 1);
  ASSERT_TRUE(mMonkey->EnqueueToCounterDish());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_TRUE(mBoard->GetCounter()->IsEmpty());
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryTray);
  EXPECT_TRUE(mMonkey->GetCarriedItems()->IsOccupied(0));
  EXPECT_EQ(mBoard->GetSparklersInPlay(), sparklers);
  mMonkey->DropAll();
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 0);
}

// ---- Walking ----

TEST_F(MonkeyFixture, WalksTheNetworkAndStandsOnTheNode) {
  StandardFloor();
  ASSERT_EQ(mMonkey->GetNode(), Node(kStage));
  mBoard->mNapkinsButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToNapkins());
  Tick();
  // Up to the hub first, then left along it.
  ASSERT_TRUE(mMonkey->IsRunning());
  EXPECT_EQ(mMonkey->GetTask(0)->GetKind(), kMonkeyWalk);
  EXPECT_TRUE(mMonkey->IsPlaying(Monkey::kWalkUp));
  int directionChanges = 0, last = mMonkey->GetWalkDirection();
  float lastX = mMonkey->GetX();
  int ticks = 0;
  for (; ticks < 1000 && mMonkey->GetNode() != Node(kNapkins); ++ticks) {
    Tick();
    if (mMonkey->GetWalkDirection() != last) {
      ++directionChanges;
      last = mMonkey->GetWalkDirection();
    }
    EXPECT_LE(mMonkey->GetX(), lastX + 0.001f);  // never back to the right
    lastX = mMonkey->GetX();
  }
  ASSERT_LT(ticks, 1000);
  EXPECT_EQ(directionChanges, 1);
  EXPECT_EQ(last, Monkey::kLeft);
  EXPECT_EQ(mMonkey->GetX(), Node(kNapkins)->GetX());
  EXPECT_EQ(mMonkey->GetY(), Node(kNapkins)->GetY());
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryNapkin);
  EXPECT_EQ(mMonkey->GetCurrentAnimation(), nullptr);  // standing
  EXPECT_EQ(mBoard->mNapkinsButton->GetPending(), 0);
  EXPECT_EQ(Sounds(SOUND_PICK_UP_NAPKIN), 1);
  // Four pixels a tick (the first tick before the loop); a corner may cost
  // one.
  auto distance = [this](int a, int b) {
    return std::hypot(Node(a)->GetX() - Node(b)->GetX(), Node(a)->GetY() - Node(b)->GetY());
  };
  EXPECT_NEAR(ticks, (distance(kStage, kHub) + distance(kHub, kNapkins)) / 4.0f - 1.0f, 2.0f);
}

TEST_F(MonkeyFixture, AWalkToWhereHeStandsEndsAtOnce) {
  StandardFloor();
  MonkeyWalkAction walk(mMonkey, Node(kStage));
  MonkeyActionResult r = walk.Run();
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.next, &walk);
  EXPECT_EQ(mMonkey->GetCurrentAnimation(), nullptr);
}

TEST_F(MonkeyFixture, WithoutARouteTheTaskWorksWhereHeStands) {
  std::vector<bool> linked(10, true);
  linked[kNapkins] = false;
  Floor(StandardNodes(), 40, linked);
  ASSERT_TRUE(mMonkey->EnqueueToNapkins());
  Tick();
  EXPECT_EQ(mMonkey->GetNode(), Node(kStage));
  EXPECT_EQ(mMonkey->GetCarryKind(), Monkey::kCarryNapkin);
  EXPECT_EQ(mMonkey->GetTaskCount(), 0);
}

// ---- Treats ----

TEST_F(MonkeyFixture, AnIdleMonkeyEatsAndIsBoosted) {
  StandardFloor();
  const int happy = Player().GetTrophyCounter(3);
  EXPECT_TRUE(mMonkey->SpeedUp(kItemBanana));
  EXPECT_EQ(mMonkey->GetTreatKind(), kItemBanana);
  EXPECT_TRUE(mMonkey->IsPlaying(Monkey::kEatTreat));
  EXPECT_EQ(mMonkey->GetSpeed(), 5.0f);
  EXPECT_EQ(mMonkey->GetBoostFrames(), 1500);
  // While he eats, a queued task waits and the boost does not run down.
  mBoard->mNapkinsButton->IncrementPending();
  ASSERT_TRUE(mMonkey->EnqueueToNapkins());
  int ticks = 0;
  for (; ticks < 1000 && mMonkey->GetTreatKind() != 0; ++ticks) {
    Tick();
    if (mMonkey->GetTreatKind() != 0) {
      ASSERT_FALSE(mMonkey->IsRunning());
      ASSERT_EQ(mMonkey->GetNode(), Node(kStage));
    }
  }
  EXPECT_EQ(ticks, 160);  // fifteen frames, the first twice as long
  EXPECT_EQ(Sounds(SOUND_EAT_FRUIT), 1);
  EXPECT_EQ(mMonkey->GetBoostFrames(), 1500);
  Tick();
  EXPECT_TRUE(mMonkey->IsRunning());
  EXPECT_EQ(Player().GetTrophyCounter(3), happy);  // eating is no cheer
}

TEST_F(MonkeyFixture, ABusyMonkeyIsCheeredOnAndBoostsAdd) {
  StandardFloor();
  mMonkey->PickUp(Monkey::kCarryNapkin);
  const int happy = Player().GetTrophyCounter(3);
  mMonkey->SpeedUp(kItemBanana);
  mMonkey->SpeedUp(kItemBanana);
  EXPECT_EQ(mMonkey->GetTreatKind(), 0);
  EXPECT_EQ(mMonkey->GetBoostFrames(), 3000);
  EXPECT_EQ(Sounds(SOUND_MONKEY_SPEED_UP), 2);
  EXPECT_EQ(Player().GetTrophyCounter(3), happy + 2);
  // Idle with nothing to do: the boost keeps.
  Tick(500);
  EXPECT_EQ(mMonkey->GetBoostFrames(), 3000);
  EXPECT_EQ(mMonkey->GetSpeed(), 5.0f);
}

TEST_F(MonkeyFixture, TheBoostRunsDownWhileHeWorksAndTheSpeedEasesBack) {
  StandardFloor();
  mMonkey->PickUp(Monkey::kCarryNapkin);
  mMonkey->SpeedUp(kItemBanana);
  // Back and forth between two tables keeps him working.
  Table* a = TableAt(0);
  Table* b = TableAt(1);
  int worked = 0;
  for (int i = 0; i < 400 && mMonkey->GetBoostFrames() > 0; ++i) {
    mMonkey->EnqueueToTable(i % 2 ? a : b);
    while (mMonkey->GetTaskCount() > 0 && mMonkey->GetBoostFrames() > 0) {
      Tick();
      ++worked;
      if (mMonkey->GetBoostFrames() > 0) {
        ASSERT_EQ(mMonkey->GetFatigue(), 1.0f);  // no tiring while boosted
      }
    }
  }
  ASSERT_EQ(mMonkey->GetBoostFrames(), 0);
  EXPECT_EQ(mMonkey->GetTargetSpeed(), 4.0f);
  EXPECT_GE(worked, 1500);
  Tick(60);
  EXPECT_LT(mMonkey->GetSpeed(), 5.0f);
  EXPECT_GE(mMonkey->GetSpeed(), 4.0f);
  Tick(100);
  EXPECT_EQ(mMonkey->GetSpeed(), 4.0f);
}

// ---- Fatigue ----

struct FatigueCase {
  int storyDays;
  float floor;
};

class Fatigue : public MonkeyFixture, public ::testing::WithParamInterface<FatigueCase> {};

TEST_P(Fatigue, FallsWhileWorkingToTheFloorAndRecoversWhileIdle) {
  StandardFloor(GetParam().storyDays);
  Table* a = TableAt(0);
  Table* b = TableAt(1);
  float last = mMonkey->GetFatigue();
  for (int i = 0; i < 400; ++i) {
    mMonkey->EnqueueToTable(i % 2 ? a : b);
    for (int t = 0; t < 2000 && mMonkey->GetTaskCount() > 0; ++t) {
      const bool running = mMonkey->IsRunning();
      Tick();
      if (running && mMonkey->IsRunning()) {
        ASSERT_LE(mMonkey->GetFatigue(), last);
      }
      last = mMonkey->GetFatigue();
    }
  }
  // The tick that ended the last task rested him once.
  EXPECT_NEAR(mMonkey->GetFatigue(), GetParam().floor, 0.0003f);
  EXPECT_NEAR(mMonkey->GetEffectiveSpeed(), GetParam().floor * 4.0f, 0.002f);
  const float tired = mMonkey->GetFatigue();
  Tick(100);
  EXPECT_NEAR(mMonkey->GetFatigue(), tired + 100 * 0.0002f, 1e-4);
  Tick(5000);
  EXPECT_EQ(mMonkey->GetFatigue(), 1.0f);
  // A treat makes him fresh at once.
  mMonkey->EnqueueToTable(a);
  Tick(100);
  mMonkey->SpeedUp(kItemApple);
  EXPECT_EQ(mMonkey->GetFatigue(), 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Days, Fatigue, ::testing::Values(FatigueCase{7, 0.8f}, FatigueCase{8, 0.6f}),
                         [](const ::testing::TestParamInfo<FatigueCase>& info) {
                           return "AfterDays" + std::to_string(info.param.storyDays);
                         });

// ---- Idle animations ----

TEST_F(MonkeyFixture, IdleAnimationsStartOnlyEveryTwoHundredTicksWithEmptyHands) {
  StandardFloor();
  int started = 0;
  for (int i = 0; i < 20000; ++i) {
    const bool before = mMonkey->GetCurrentAnimation() != nullptr;
    Tick();
    if (!before && mMonkey->GetCurrentAnimation()) {
      ++started;
      EXPECT_EQ(mMonkey->GetFrameCounter() % 200, 0);
    }
  }
  EXPECT_GT(started, 10);
  mMonkey->PickUp(Monkey::kCarryNapkin);
  Tick(2000);
  EXPECT_EQ(mMonkey->GetCurrentAnimation(), nullptr);
}

// ---- What the lessons hear ----

// A lesson waiting for tasks of one kind, then for one of another.
class MonkeyLesson : public Tutorial {
public:
  MonkeyLesson(Board* board, int kind, int next) : Tutorial(board, 40) {
    AddStep(TutorialStep::kMonkeyEvent)->SetEvent(kind);
    AddStep(TutorialStep::kMonkeyEvent)->SetEvent(next);
  }
};

// A task that ends at its start shows the lesson's step again; one that
// ends through its running moves the lesson on; one replaced by another is
// not heard of (the table task speaks for itself on arrival).
TEST_F(MonkeyFixture, LessonsHearHowATaskEnded) {
  StandardFloor();
  auto start = [this](Tutorial* lesson) {
    delete mBoard->mTutorial;
    mBoard->mTutorial = lesson;
    lesson->StartStep();
  };

  auto* lemonade = new MonkeyLesson(mBoard, kMonkeyToLemonade, 99);
  start(lemonade);
  ASSERT_TRUE(mMonkey->EnqueueToLemonade());  // every stock is empty
  Tick();
  EXPECT_TRUE(lemonade->IsRewound());
  EXPECT_EQ(lemonade->GetCurrentStep(), 0);
  mBoard->HandleBalloonResult(InfoBalloon::kYesChosen);

  auto* organ = new MonkeyLesson(mBoard, kMonkeyToBarrelOrgan, 99);
  start(organ);
  ASSERT_TRUE(mMonkey->EnqueueToBarrelOrgan());
  ASSERT_TRUE(TickUntilDone());
  ASSERT_EQ(mBoard->mTutorial, organ);
  EXPECT_FALSE(organ->IsRewound());
  EXPECT_EQ(organ->GetCurrentStep(), 1);

  // An empty tray: at the table the task reports itself, then gives way to
  // a trip to the trash station.
  auto* table = new MonkeyLesson(mBoard, kMonkeyToTable, kMonkeyToTable);
  start(table);
  mMonkey->PickUp(Monkey::kCarryTray, mBoard->GetCounter());
  ASSERT_TRUE(mMonkey->EnqueueToTable(TableAt(0)));
  ASSERT_TRUE(TickUntilDone());
  EXPECT_EQ(mMonkey->GetNode(), Node(kTrash));
  ASSERT_EQ(mBoard->mTutorial, table);
  EXPECT_FALSE(table->IsRewound());
  EXPECT_EQ(table->GetCurrentStep(), 1);
}

}  // namespace
}  // namespace Plix
