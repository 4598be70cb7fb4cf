// The belt driven tick by tick on a board outside the widget manager:
// spacing at the start, the pile-up at the end while the serving monkey is
// busy, and the timings of fast-forward, reverse and pause.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/Girl.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

class ConveyorTest : public Testing::BoardFixture {
protected:
  void Make(int mode, int day) {
    mBoard = std::make_unique<Board>(*mGame, mode, day);
    mBelt = mBoard->GetConveyor();
  }
  void SetUp() override {
    BoardFixture::SetUp();
    // After the groups are bound, which sets them back.
    mSoundIds = std::make_unique<Testing::DistinctSoundIds>(std::initializer_list<int*>{&SOUND_CONTAINER_ADDED_TO_CONVEYER, &SOUND_CONVEYER_FAST_FORWARD});
    Make(0, 0);
  }
  void TearDown() override {
    mBoard.reset();
    mSoundIds.reset();
    BoardFixture::TearDown();
  }

  // One tick of the board's order: the update, then a frame's move.
  void Tick() {
    mBelt->Update();
    mBelt->Move(1.0f);
  }
  // Ticks until the condition holds; false after the bound.
  template <class Condition>
  bool TickUntil(Condition done, int bound = 5000) {
    for (int i = 0; i < bound; ++i) {
      if (done()) return true;
      Tick();
    }
    return done();
  }
  int Count() const { return mBelt->GetContainers().GetCount(); }
  ConveyorContainer* At(int i) const { return static_cast<ConveyorContainer*>(mBelt->GetContainers().GetAt(i)); }
  int Half(int i) const { return At(i)->GetItem()->GetWidth() / 2; }
  // Every offer is refused, as while the serving monkey is on an errand.
  void KeepServingMonkeyBusy() {
    mBoard->mServingMonkeyCalled = true;
    mBoard->mServingMonkeyDone = false;
  }

  std::unique_ptr<Testing::DistinctSoundIds> mSoundIds;
  std::unique_ptr<Board> mBoard;
  Conveyor* mBelt = nullptr;
};

TEST_F(ConveyorTest, DaySpeedByModeAndDay) {
  struct Case {
    int mode, day;
    float speed;
  } cases[] = {
      {0, 0, std::nextafter(0.336f, 1.0f)},
      {0, 2, std::nextafter(0.336f, 1.0f)},
      {0, 3, 0.28f},
      {0, 30, 0.28f},
      {1, 0, 0.31f},
      {3, 0, 0.31f},
  };
  for (const Case& c : cases) {
    Make(c.mode, c.day);
    EXPECT_EQ(mBelt->GetSpeed(), c.speed) << c.mode << " " << c.day;
    EXPECT_EQ(mBelt->GetBaseSpeed(), c.speed);
  }
}

TEST_F(ConveyorTest, TheNextItemEntersOnlyWithRoomBehindTheLast) {
  struct Case {
    int first, second;
  } cases[] = {{kItemCone, kItemCone}, {kItemCup, kItemPlate}, {kItemPlate, kItemCone}, {kItemCake, kItemCup}};
  for (const Case& c : cases) {
    Make(0, 0);
    const int serial = ConveyorContainer::PeekNextSerial();
    mBelt->AddItem(c.first, false);
    mBelt->AddItem(c.second, false);
    mBelt->Update();
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(At(0)->GetX(), Conveyor::kStartX);
    // Update by update: the one that let the second in, and the one before.
    float refusedAt = 0;
    for (int i = 0; i < 5000 && Count() < 2; ++i) {
      mBelt->Move(1.0f);
      const float x = At(0)->GetX();
      mBelt->Update();
      if (Count() < 2) refusedAt = x;
    }
    ASSERT_EQ(Count(), 2);
    const float room = static_cast<float>(Half(0) + Half(1)) + Conveyor::kGap;
    EXPECT_GE(At(0)->GetX() - Conveyor::kStartX, room) << c.first << " then " << c.second;
    EXPECT_LT(refusedAt - Conveyor::kStartX, room);
    EXPECT_EQ(At(1)->GetX(), Conveyor::kStartX);
    EXPECT_EQ(At(0)->GetSerial(), serial);
    EXPECT_EQ(At(1)->GetSerial(), serial + 1);
  }
  EXPECT_EQ(mGame->CountSound(SOUND_CONTAINER_ADDED_TO_CONVEYER), 8);
}

TEST_F(ConveyorTest, ItemsPileUpAtTheEndWhileTheServingMonkeyIsBusy) {
  KeepServingMonkeyBusy();
  for (int i = 0; i < 3; ++i) mBelt->AddItem(i == 1 ? kItemPlate : kItemCone, false);
  ASSERT_TRUE(TickUntil([&] { return Count() == 3 && At(2)->IsStoppedAtEnd(); }, 20000));
  EXPECT_TRUE(mBelt->IsJammed());
  EXPECT_EQ(At(0)->GetX(), Conveyor::kEndX);
  for (int i = 1; i < 3; ++i) {
    const float gap = (At(i - 1)->GetX() - Half(i - 1)) - (At(i)->GetX() + Half(i));
    EXPECT_FLOAT_EQ(gap, Conveyor::kGap) << i;
  }
  // Nothing moves on a jammed belt.
  const float x = At(2)->GetX();
  for (int i = 0; i < 50; ++i) Tick();
  EXPECT_EQ(At(2)->GetX(), x);

  // The next container to enter sets the day's speed again.
  mBelt->SetSpeedNow(1.5f);
  mBelt->AddItem(kItemCup, false);
  mBelt->Update();
  ASSERT_EQ(Count(), 4);
  EXPECT_EQ(mBelt->GetSpeed(), mBelt->GetBaseSpeed());

  // The monkey done with his errand: the first item goes and the rest
  // move on.
  mBoard->mServingMonkeyDone = true;
  Tick();
  EXPECT_EQ(Count(), 3);
  EXPECT_FALSE(mBoard->mServingMonkeyCalled);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(At(i)->IsStoppedAtEnd()) << i;
  const float second = At(0)->GetX();
  Tick();
  EXPECT_GT(At(0)->GetX(), second);
}

TEST_F(ConveyorTest, FastForwardRunsUntilTheNewestItemStopsAtTheEnd) {
  // On an empty belt it ends once the speed has reached 4.
  mBelt->FastForward();
  EXPECT_EQ(mGame->CountSound(SOUND_CONVEYER_FAST_FORWARD), 1);
  EXPECT_TRUE(mBelt->IsFastForward());
  EXPECT_FALSE(mBelt->CanAddContainer(IceCream::CreateOfKind(kItemCone)));
  int ticks = 0;
  while (mBelt->IsFastForward() && ticks < 1000) {
    Tick();
    ++ticks;
  }
  EXPECT_GE(ticks, 100);
  EXPECT_LE(ticks, 102);
  EXPECT_EQ(mBelt->GetSpeed(), 4.0f);
  // Back to the day's speed over 10 ticks.
  for (int i = 0; i < 11; ++i) Tick();
  EXPECT_FLOAT_EQ(mBelt->GetSpeed(), mBelt->GetBaseSpeed());

  // With an item riding it ends when that item stops at the end.
  KeepServingMonkeyBusy();
  mBelt->AddItem(kItemCone, false);
  mBelt->Update();
  mBelt->FastForward();
  ASSERT_TRUE(TickUntil([&] { return !mBelt->IsFastForward(); }));
  EXPECT_TRUE(At(0)->IsStoppedAtEnd());
  EXPECT_EQ(mBelt->GetTargetSpeed(), mBelt->GetBaseSpeed());
}

TEST_F(ConveyorTest, ReverseBacksEveryItemToTheStartThenCreepsOn) {
  mBelt->AddItem(kItemCone, false);
  mBelt->AddItem(kItemCup, false);
  ASSERT_TRUE(TickUntil([&] { return Count() == 2 && At(1)->GetX() > 150.0f; }));
  mBelt->StartReverse();
  EXPECT_TRUE(mBelt->IsReversing());
  EXPECT_FALSE(mBelt->CanAddContainer(IceCream::CreateOfKind(kItemCone)));
  ASSERT_TRUE(TickUntil([&] { return !mBelt->IsReversing(); }));
  EXPECT_TRUE(At(0)->IsReverseMarked());
  EXPECT_TRUE(At(1)->IsReverseMarked());
  EXPECT_EQ(At(1)->GetX(), Conveyor::kStartX);
  EXPECT_FLOAT_EQ(At(0)->GetX(), Conveyor::kStartX + Half(1) + Conveyor::kGap + Half(0));
  EXPECT_EQ(mBelt->GetSpeed(), 0.0f);
  EXPECT_EQ(mBelt->GetTargetSpeed(), 0.25f);
  for (int i = 0; i < 190; ++i) mBelt->Update();
  EXPECT_LT(mBelt->GetSpeed(), 0.25f);
  for (int i = 0; i < 12; ++i) mBelt->Update();
  EXPECT_EQ(mBelt->GetSpeed(), 0.25f);

  // A new reverse clears the marks; an empty belt does not reverse.
  mBelt->StartReverse();
  EXPECT_FALSE(At(0)->IsReverseMarked());
  mBelt->RemoveItemFromBelt(At(1)->GetItem());
  mBelt->RemoveItemFromBelt(At(0)->GetItem());
  EXPECT_EQ(mBelt->GetLastAdded(), nullptr);
  // Emptied while reversing: over at the first backward move.
  ASSERT_TRUE(TickUntil([&] { return !mBelt->IsReversing(); }, 200));
  EXPECT_EQ(mBelt->GetSpeed(), 0.0f);
  EXPECT_EQ(mBelt->GetTargetSpeed(), 0.25f);
  mBelt->StartReverse();
  EXPECT_FALSE(mBelt->IsReversing());
}

TEST_F(ConveyorTest, PauseStandsFiveHundredTicksThenResumes) {
  const float base = mBelt->GetBaseSpeed();
  mBelt->Pause();
  int toZero = 0;
  while (mBelt->GetSpeed() != 0.0f && toZero < 1000) {
    mBelt->Update();
    ++toZero;
    // A second pause on the way keeps the first saved speed.
    if (toZero == 50) mBelt->Pause();
  }
  EXPECT_GE(toZero, 149);
  EXPECT_LE(toZero, 152);
  int standing = 0;
  while (mBelt->GetSpeed() == 0.0f && standing < 1000) {
    mBelt->Update();
    ++standing;
  }
  EXPECT_EQ(standing, 500);
  int rising = 1;
  while (mBelt->GetSpeed() != base && rising < 1000) {
    mBelt->Update();
    ++rising;
  }
  EXPECT_GE(rising, 99);
  EXPECT_LE(rising, 102);
  EXPECT_EQ(mBelt->GetTargetSpeed(), base);
}

TEST_F(ConveyorTest, HitBoxAndTheHighlightedItem) {
  mBelt->AddItem(kItemCone, false);
  mBelt->Update();
  ConveyorContainer* c = At(0);
  const IceCream& item = *c->GetItem();
  const int x = static_cast<int>(c->GetX());
  const int bottom = static_cast<int>(c->GetY()) + c->GetYOffset() + item.GetDepth();
  const int half = item.GetWidth() / 2 + 12;
  EXPECT_EQ(c->GetYOffset(), 3);
  struct Probe {
    int dx, dy;
    bool hit;
  } probes[] = {{0, 0, true},        {-half, 0, true},  {half - 1, 0, true},
                {half, 0, false},    {-half - 1, 0, false}, {0, 12, true},
                {0, 13, false},      {0, -item.GetHeight() - 12, true}, {0, -item.GetHeight() - 13, false}};
  for (const Probe& p : probes)
    EXPECT_EQ(mBelt->ItemAt(x + p.dx, bottom + p.dy) != nullptr, p.hit) << p.dx << ", " << p.dy;
}

TEST_F(ConveyorTest, BonusLessonOnlyWhenTheHeroineIsNotRightThere) {
  Player().SetShowTutorials(false);
  Girl* girl = mBoard->GetGirl();
  mBelt->AddItem(kItemFirstBonus, false);
  mBelt->Update();
  // She stands by where the item passes x 87: no lesson there.
  girl->SetPosition(100.0f, girl->GetY());
  ASSERT_TRUE(TickUntil([&] { return At(0)->GetX() >= 110.0f; }));
  EXPECT_FALSE(Player().GetFlag(19));
  // Once it is more than 32 pixels past her the lesson comes.
  ASSERT_TRUE(TickUntil([&] { return At(0)->GetX() > 133.0f; }));
  EXPECT_TRUE(Player().GetFlag(19));
  EXPECT_FALSE(Player().GetFlag(18));
}

// Painted pixels of the belt's drawing: how many, their box, and a hash.
struct Painted {
  int count = 0;
  int left = 800, top = 600, right = -1, bottom = -1;
  uint64_t hash = 0;
};

Painted PaintBelt(Conveyor& belt) {
  MemoryImage canvas;
  canvas.Create(800, 600);
  Graphics g(&canvas);
  belt.Draw(g);
  Painted p;
  const uint32_t* bits = canvas.GetBits();
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      p.hash = p.hash * 1099511628211ull + bits[y * 800 + x];
      if ((bits[y * 800 + x] & 0xFF000000u) == 0) continue;
      ++p.count;
      p.left = std::min(p.left, x);
      p.right = std::max(p.right, x);
      p.top = std::min(p.top, y);
      p.bottom = std::max(p.bottom, y);
    }
  }
  return p;
}

TEST_F(ConveyorTest, DrawsItsDirtAndItemsOnTheBeltAndTheHighlightOverThem) {
  const Painted dirtOnly = PaintBelt(*mBelt);
  EXPECT_GT(dirtOnly.count, 0);
  mBelt->AddItem(kItemCone, false);
  mBelt->AddItem(kItemGolden, false);
  ASSERT_TRUE(TickUntil([&] { return Count() == 2 && At(1)->GetX() > 120.0f; }));
  const Painted plain = PaintBelt(*mBelt);
  EXPECT_GT(plain.count, dirtOnly.count);
  // Along the belt, and above it no higher than the tallest item.
  EXPECT_GE(plain.left, 41 - 40);
  EXPECT_LE(plain.right, 466 + 40);
  EXPECT_LE(plain.bottom, 458 + 20);
  EXPECT_GE(plain.top, 403 - 120);
  for (int i = 0; i < 2; ++i) {
    mBelt->SetHighlightedItem(At(i)->GetItem());
    EXPECT_NE(PaintBelt(*mBelt).hash, plain.hash) << i;
  }
  // A special is never drawn highlighted.
  Make(0, 0);
  mBelt->AddItem(kItemCake, false);
  mBelt->Update();
  const Painted cake = PaintBelt(*mBelt);
  mBelt->SetHighlightedItem(At(0)->GetItem());
  EXPECT_EQ(PaintBelt(*mBelt).hash, cake.hash);
}

}  // namespace
}  // namespace Plix
