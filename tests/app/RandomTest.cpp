#include "framework/app/Random.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "framework/util/Ratio.h"

namespace Plix {

namespace {
std::vector<uint32_t> State(const MersenneTwister& mt) {
  return std::vector<uint32_t>(mt.GetState(), mt.GetState() + MersenneTwister::kStateSize);
}
}  // namespace

TEST(MersenneTwister, SeedingMatchesTheReferenceGenerator) {
  for (uint32_t seed : {4357u, 1u, 0xFFFFFFFFu, 0x12345678u}) {
    MersenneTwister mt;
    mt.Seed(seed);
    // The standard library's MT19937 writes its seeded state word 0 first.
    std::mt19937 reference(seed);
    std::stringstream text;
    text << reference;
    std::vector<uint32_t> expected(MersenneTwister::kStateSize);
    for (auto& w : expected) text >> w;
    EXPECT_EQ(State(mt), expected) << seed;
    EXPECT_EQ(mt.GetIndex(), 624);
  }
}

TEST(MersenneTwister, DefaultAndZeroSeeds) {
  MersenneTwister fresh;
  MersenneTwister zero;
  zero.Seed(0);
  MersenneTwister explicitSeed;
  explicitSeed.Seed(12);
  explicitSeed.Seed(4357);
  EXPECT_EQ(State(fresh), State(zero));
  EXPECT_EQ(State(fresh), State(explicitSeed));
  EXPECT_EQ(fresh.GetState()[0], 4357u);
  EXPECT_EQ(fresh.GetState()[1], static_cast<uint32_t>(1812433253ull * 4357 + 1));
  EXPECT_EQ(fresh.GetIndex(), 624);

  SeedRandom(99);
  EXPECT_EQ(gMersenneTwister.GetState()[0], 99u);
  SeedRandom(0);
  EXPECT_EQ(State(gMersenneTwister), State(fresh));
}

TEST(MersenneTwister, HoldCount) {
  ASSERT_EQ(GetRandomHoldCount(), 0);
  SetRandomAllowed(true);
  EXPECT_EQ(GetRandomHoldCount(), 0);
  SetRandomAllowed(false);
  SetRandomAllowed(false);
  SetRandomAllowed(true);
  EXPECT_EQ(GetRandomHoldCount(), 1);
  SetRandomAllowed(true);
  try {
    RandomHold hold;
    EXPECT_EQ(GetRandomHoldCount(), 1);
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(GetRandomHoldCount(), 0);
}

TEST(Ratio, Reduction) {
  struct Case {
    int32_t n, d, expectN, expectD;
  } cases[] = {
      {6, 4, 3, 2},   {4, 3, 4, 3},   {5, 0, 1, 0},     {0, 7, 0, 1},        {2, -4, 1, -2},
      {-2, 4, 1, -2}, {800, 600, 4, 3}, {-6, -4, 3, 2}, {INT32_MIN, -1, INT32_MIN, 1},
  };
  for (const auto& c : cases) {
    Ratio r;
    r.Set(c.n, c.d);
    EXPECT_EQ(r.mNumerator, c.expectN) << c.n << "/" << c.d;
    EXPECT_EQ(r.mDenominator, c.expectD) << c.n << "/" << c.d;
  }
  Ratio r;
  EXPECT_EQ(r.mNumerator, 1);
  EXPECT_EQ(r.mDenominator, 1);
  r.Set(16, 10);
  r.Set(0, 0);  // refused: stays 8/5
  EXPECT_EQ(r.mNumerator, 8);
  EXPECT_EQ(r.mDenominator, 5);
}

}  // namespace Plix
