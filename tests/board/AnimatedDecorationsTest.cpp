// The floor's animated decorations: which record makes which, the balloon
// that leaves once a day (also on Happy Hour days and very short days), the
// blinks that come every 200 ticks at the earliest and the glints that
// fade in and out again.
#include "game/board/AnimatedDecorations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <typeinfo>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

TEST(AnimatedDecorations, EachAreaSlotMakesItsDecoration) {
  struct Case {
    int area, slot;
    const std::type_info* type;
  } cases[] = {
      {1, 7, &typeid(ZFountain)}, {2, 8, &typeid(ZPanda)}, {2, 9, &typeid(ZRabbit)}, {2, 4, &typeid(ZGiraffe)},
      {4, 3, &typeid(ZBalloons)}, {5, 16, &typeid(ZSea)},  {6, 9, &typeid(ZPool)},   {1, 8, nullptr},
      {3, 3, nullptr},            {6, 7, nullptr},         {0, 7, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "area " << c.area << " slot " << c.slot);
    std::unique_ptr<ZObject> made(CreateAnimatedDecoration(nullptr, c.area, c.slot, 100, 200, 154));
    if (!c.type) {
      EXPECT_EQ(made, nullptr);
      continue;
    }
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(typeid(*made), *c.type);
  }
}

TEST(AnimatedDecorations, TheBalloonLeavesAfterTheTenthSecondEvenWithoutADayLength) {
  struct Case {
    int dayLength;
    int earliest, latest;  // ticks
  } cases[] = {
      {154, 1000, 14300},
      {0, 1000, (ZBalloons::kDefaultDayLength - 11) * 100},  // Happy Hour: no schedule
      {21, 1000, 1000},
      {20, 1000, 1000},
      {5, 1000, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "day length " << c.dayLength);
    int lowest = 1 << 30, highest = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
      SRand(seed);
      ZBalloons balloons(300, 150, c.dayLength);
      lowest = std::min(lowest, balloons.GetCountdown());
      highest = std::max(highest, balloons.GetCountdown());
    }
    EXPECT_GE(lowest, c.earliest);
    EXPECT_LE(highest, c.latest);
    if (c.latest > c.earliest + 2000) {
      EXPECT_GT(highest - lowest, 2000);  // spread over the day
    }
  }
}

TEST(AnimatedDecorations, TheRisingBalloonStopsOnceItHasLeftTheScreen) {
  SRand(3);
  ZBalloons balloons(300, 150, 30);
  const int countdown = balloons.GetCountdown();
  for (int i = 1; i < countdown; ++i) balloons.Update();
  EXPECT_EQ(balloons.GetBalloonY(), ZBalloons::kNotFlying);
  balloons.Update();
  EXPECT_EQ(balloons.GetBalloonY(), 182.0f);
  balloons.Update();
  EXPECT_LT(balloons.GetBalloonY(), 182.0f);
  for (int i = 0; i < 3000; ++i) balloons.Update();
  const float gone = balloons.GetBalloonY();
  EXPECT_LT(gone, ZBalloons::kNotFlying);
  balloons.Update();
  EXPECT_EQ(balloons.GetBalloonY(), gone);
  EXPECT_EQ(balloons.GetCountdown(), 0);
}

TEST_F(BoardFixture, TheRisingBalloonIsDrawnOnlyOnItsWayAndTheBunchStays) {
  ASSERT_TRUE(mGame->LoadAndBindGroup("Area4", false));
  ASSERT_NE(IMAGE_BG4_BALLOON, nullptr);
  ASSERT_NE(IMAGE_BG4_BALLOONS, nullptr);
  SRand(3);
  ZBalloons balloons(300, 250, 30);
  auto picture = [&] {
    DDImage canvas(mGame->mAppDisplay);
    canvas.Create(800, 600);
    canvas.CreateSurface();
    Graphics g(&canvas);
    balloons.Draw(g);
    return std::vector<uint32_t>(canvas.GetBits(), canvas.GetBits() + 800 * 600);
  };
  const std::vector<uint32_t> waiting = picture();
  EXPECT_NE(waiting, std::vector<uint32_t>(800 * 600, waiting[0]));  // the bunch
  while (balloons.GetCountdown() > 0) balloons.Update();
  for (int i = 0; i < 500; ++i) balloons.Update();
  EXPECT_NE(picture(), waiting);
  for (int i = 0; i < 3000; ++i) balloons.Update();
  ASSERT_LT(balloons.GetBalloonY(), ZBalloons::kNotFlying);
  EXPECT_EQ(picture(), waiting);
}

TEST(AnimatedDecorations, BlinksComeOnMultiplesOf200TicksAndLast15) {
  for (uint32_t seed = 1; seed <= 5; ++seed) {
    SRand(seed);
    ZPanda panda(0, 0);
    ZGiraffe giraffe(0, 0);
    EXPECT_FALSE(panda.IsBlinking());
    EXPECT_FALSE(giraffe.IsShowingTongue());
    int blinks = 0, blinkTicks = 0, tongueTicks = 0;
    for (int tick = 1; tick <= 20100; ++tick) {
      const bool was = panda.IsBlinking();
      panda.Update();
      giraffe.Update();
      if (panda.IsBlinking() && !was) {
        ++blinks;
        EXPECT_EQ(tick % 200, 0) << tick;
      }
      blinkTicks += panda.IsBlinking();
      tongueTicks += giraffe.IsShowingTongue();
    }
    EXPECT_GT(blinks, 5);
    EXPECT_LT(blinks, 60);
    EXPECT_EQ(blinkTicks, blinks * 15);
    EXPECT_GT(tongueTicks, 0);
  }
}

TEST(AnimatedDecorations, GlintsFadeInAndOutAndStartAgainInTheirArea) {
  SRand(11);
  ZSea sea(0, 0);
  ZFountain fountain(0, 0);
  int restarts = 0;
  for (int tick = 0; tick < 2000; ++tick) {
    const float before = sea.mGlints[0].x + sea.mGlints[0].y;
    sea.Update();
    fountain.Update();
    if (sea.mGlints[0].alpha == 0 && sea.mGlints[0].x + sea.mGlints[0].y != before) ++restarts;
    for (const DecorationGlint& g : sea.mGlints) {
      ASSERT_GE(g.alpha, 0);
      ASSERT_LE(g.alpha, 255);
      ASSERT_GE(g.x, 160);
      ASSERT_LT(g.x, 562);
      ASSERT_GE(g.y, 83);
      ASSERT_LT(g.y, 192);
    }
    for (const DecorationGlint& g : fountain.mDrops) {
      ASSERT_GE(g.alpha, 0);
      ASSERT_LE(g.alpha, 255);
    }
  }
  // One fade in and out takes 128 to 170 ticks.
  EXPECT_GE(restarts, 10);
  EXPECT_LE(restarts, 16);
}

TEST(AnimatedDecorations, PoolRipplesWaitBeforeTheyShowAndStartAgain) {
  SRand(2);
  ZPool pool(0, 0);
  EXPECT_GE(pool.GetRipple(0).GetDelay(), 100);
  EXPECT_LT(pool.GetRipple(0).GetDelay(), 150);
  EXPECT_GE(pool.GetRipple(1).GetDelay(), 125);
  EXPECT_LT(pool.GetRipple(1).GetDelay(), 175);
  bool restarted = false;
  for (int tick = 0; tick < 1000; ++tick) {
    pool.Update();
    if (tick > 200 && pool.GetRipple(0).GetDelay() > 50) restarted = true;
  }
  EXPECT_TRUE(restarted);
}

}  // namespace
}  // namespace Plix
