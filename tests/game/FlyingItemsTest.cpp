#include "game/app/FlyingItems.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Plix {
namespace {

class Walker : public FlightTarget {
public:
  Walker(float x, float y) : mX(x), mY(y) {}
  float GetX() const override { return mX; }
  float GetY() const override { return mY; }
  float mX;
  float mY;
};

// Stands in for the play field's ice cream.
struct FakeIceCream {
  int scoops = 0;
  int draws = 0;
  void Draw(Graphics&) { ++draws; }
};

using FlyingIceCream = FlyingIceCreamOf<FakeIceCream>;

// The quadratic arc in double precision.
void Arc(double t, double x0, double y0, double cx, double cy, double x2, double y2, double& x, double& y) {
  const double u = 1 - t;
  x = u * u * x0 + 2 * u * t * cx + t * t * x2;
  y = u * u * y0 + 2 * u * t * cy + t * t * y2;
}

TEST(FlyingIceCream, ArrivesOnTheTwentiethUpdateAndSaysSoOnTheNext) {
  FakeIceCream ice;
  ice.scoops = 3;
  FlyingIceCream f(ice, 100, 400, 0.05f, 300.0f, 500.0f);
  EXPECT_EQ(f.GetTarget(), nullptr);
  EXPECT_EQ(f.scoops, 3);  // it is the ice cream
  EXPECT_EQ(f.GetX(), 100);  // before the first update: at the start
  for (int i = 1; i <= 20; ++i) EXPECT_FALSE(f.Update(1.0f)) << i;
  EXPECT_EQ(f.GetX(), 300);
  EXPECT_EQ(f.GetY(), 500);
  EXPECT_TRUE(f.Update(1.0f));
  EXPECT_TRUE(f.Update(1.0f));
  EXPECT_EQ(f.GetX(), 300);
}

TEST(FlyingIceCream, FollowsItsCustomer) {
  Walker customer(400, 300);
  FakeIceCream ice;
  FlyingIceCream f(ice, 100, 300, 0.25f, &customer);
  EXPECT_EQ(f.GetTarget(), &customer);
  f.Update(1.0f);  // t 0.25
  customer.mX = 500;
  f.Update(1.0f);  // t 0.5, end moved, control stays at (250, 0)
  double x, y;
  Arc(0.5, 100, 300, 250, 0, 500, 300, x, y);
  EXPECT_NEAR(f.GetX(), x, 1e-3);
  EXPECT_NEAR(f.GetY(), y, 1e-3);
  f.Update(2.0f);  // the step scales the speed: t 1
  EXPECT_EQ(f.GetX(), 500);
  EXPECT_TRUE(f.Update(1.0f));
}

TEST(FlyingFruit, ThrownToTheMonkeyAndFollowsIt) {
  Walker monkey(300, 400);
  FlyingFruit fruit(32, &monkey, 100, 400, 0.1f);
  EXPECT_EQ(fruit.GetKind(), 32);
  // Control point from the monkey's own position, 300 above the middle.
  const double cx = (300 + 100) / 2.0, cy = (400 + 400) / 2.0 - 300;
  fruit.Update(1.0f);
  // Re-aimed at the monkey's hands: (x - 32, y - 98).
  double x, y;
  Arc(0.1, 100, 400, cx, cy, 268, 302, x, y);
  EXPECT_NEAR(fruit.GetX(), x, 1e-3);
  EXPECT_NEAR(fruit.GetY(), y, 1e-3);
  EXPECT_FLOAT_EQ(fruit.GetRotation(), 0.1f);
  monkey.mX = 200;
  monkey.mY = 380;
  for (int i = 0; i < 4; ++i) fruit.Update(1.0f);
  Arc(0.5, 100, 400, cx, cy, 168, 282, x, y);
  EXPECT_NEAR(fruit.GetX(), x, 1e-3);
  EXPECT_NEAR(fruit.GetY(), y, 1e-3);
  EXPECT_FLOAT_EQ(fruit.GetRotation(), 0.5f);
  int updates = 5;
  while (!fruit.Update(1.0f)) ++updates;
  EXPECT_EQ(updates, 10);  // arrived on the tenth, reported on the eleventh
  EXPECT_NEAR(fruit.GetX(), 168, 1e-3);
  EXPECT_NEAR(fruit.GetRotation(), 1.0f, 1e-5);  // no longer turning
}

TEST(FlyingFruit, WithoutAMonkeyItHasNowhereToGo) {
  FlyingFruit fruit(31, nullptr, 10, 10, 0.1f);
  EXPECT_TRUE(fruit.Update(1.0f));
}

TEST(MoneyPopup, RisesHoldsFadesForOneHundredSixtyFourTicks) {
  MoneyPopup m;
  EXPECT_TRUE(m.IsDone());  // nothing shown until started
  m.Start(25, 200, 300.0f);
  EXPECT_EQ(m.GetText(), L"$25");
  EXPECT_FALSE(m.IsDone());
  int alphaAt100 = 0;
  for (int tick = 1; tick <= 164; ++tick) {
    EXPECT_FALSE(m.IsDone()) << tick;
    m.Update();
    if (tick == 100) alphaAt100 = m.GetAlpha();
    if (tick == 101) {
      EXPECT_EQ(m.GetAlpha(), 251);
    }
    if (tick == 163) {
      EXPECT_EQ(m.GetAlpha(), 3);
    }
  }
  EXPECT_EQ(alphaAt100, 255);
  EXPECT_TRUE(m.IsDone());
  EXPECT_EQ(m.GetAlpha(), 0);
  // Rose 0.6 a tick for the 163 ticks it moved.
  EXPECT_NEAR(m.GetY(), 300 - 0.6 * 163, 1e-2);
  float y = m.GetY();
  m.Update();
  EXPECT_EQ(m.GetY(), y);

  m.Start(-3, 0, 0.0f);
  EXPECT_EQ(m.GetText(), L"$-3");
}

TEST(MoneyPopup, SwayGrowsAsItSwings) {
  MoneyPopup m;
  m.Start(5, 100, 0.0f);
  EXPECT_EQ(m.GetDrawX(), 100);
  for (int i = 0; i < 21; ++i) m.Update();  // phase 1.575: near the peak
  EXPECT_EQ(m.GetDrawX(), 101);                // amplitude 1.05
  for (int i = 0; i < 42; ++i) m.Update();  // phase 4.725: the other side
  EXPECT_EQ(m.GetDrawX(), 97);                 // amplitude 3.15
}

TEST(MoneyPopup, DelayPutsOffTheStart) {
  MoneyPopup m;
  m.Start(1, 0, 50.0f);
  m.SetDelay(3);
  for (int i = 0; i < 3; ++i) m.Update();
  EXPECT_EQ(m.GetY(), 50);
  m.Update();
  EXPECT_NEAR(m.GetY(), 49.4, 1e-4);
}

}  // namespace
}  // namespace Plix
