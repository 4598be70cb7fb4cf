// The board's wishes: what a story day's level record and the player offer,
// and what a Happy Hour game has unlocked.
#include <gtest/gtest.h>

#include <vector>

#include "framework/platform/CRand.h"
#include "game/board/OrderChoice.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

std::vector<int32_t> Flavors(const IceCream& item) {
  std::vector<int32_t> out;
  for (int i = 0; i < item.GetScoopCount(); ++i) out.push_back(item.GetFlavor(i));
  return out;
}

// The same wish, and the same draws taken.
void ExpectSameWish(const IceCream& a, const IceCream& b, int nextA, int nextB, int seed) {
  EXPECT_EQ(a.GetKind(), b.GetKind()) << "seed " << seed;
  EXPECT_EQ(Flavors(a), Flavors(b)) << "seed " << seed;
  EXPECT_EQ(a.GetTopping(), b.GetTopping()) << "seed " << seed;
  EXPECT_EQ(nextA, nextB) << "seed " << seed;
}

TEST_F(BoardFixture, StoryWishesFollowTheDaysRecordAndThePlayersFlavours) {
  // A day with specials and orders of every size, before the last flavour.
  const int day = 23;
  const LevelRecord& level = *mGame->GetLevel(day);
  ASSERT_GT(level.countS, 0);
  ASSERT_GT(level.memberValueWeights[3], 0);
  ASSERT_LT(level.flavorCount, 6);
  Player().SetStoryDays(day);
  Player().SetFlavorCount(6);
  StoryOrderRules rules;
  rules.specials = level.countS;
  rules.holders = level.countH;
  rules.toppings = level.countT;
  rules.flavors = level.flavorCount;
  rules.value2 = level.memberValueWeights[1];
  rules.value3 = level.memberValueWeights[2];
  rules.value4 = level.memberValueWeights[3];
  rules.profileFlavors = 6;
  for (bool newest : {true, false}) {
    // The player's newest day, then the same day replayed.
    Player().SetStoryDays(newest ? day : day + 1);
    rules.newestDay = newest;
    Board board(*mGame, 0, day);
    for (int seed = 1; seed <= 40; ++seed) {
      const bool second = seed % 2 == 0;
      SRand(seed);
      const IceCream wish = board.ChooseOrder(1 + seed % 4, nullptr, second);
      const int next = Rand();
      SRand(seed);
      const IceCream expected = ChooseStoryOrder(rules, 1 + seed % 4, 0, second);
      ExpectSameWish(wish, expected, next, Rand(), seed);
    }
  }
}

// Happy Hour progress as its set-up leaves it.
void SetProgress(Board& board, const HappyHourOrderRules& r) {
  board.mSpecialsUnlocked = r.specials;
  board.mHoldersUnlocked = r.holders;
  board.mToppingsUnlocked = r.toppings;
  board.mFlavorsUnlocked = r.flavors;
  board.mValueLevel = r.valueLevel;
}

TEST_F(BoardFixture, HappyHourWishesFollowTheGamesProgress) {
  Board board(*mGame, 2, -1);
  // At the start: one flavour, cups only, order size 1.
  SetProgress(board, HappyHourOrderRules{0, 1, 1, 1, 1});
  for (int seed = 1; seed <= 20; ++seed) {
    SRand(seed);
    Rand();
    Rand();
    Rand();
    const int fourth = Rand();
    SRand(seed);
    const IceCream wish = board.ChooseHappyHourOrder();
    EXPECT_EQ(wish.GetKind(), kItemCup) << seed;
    EXPECT_EQ(Flavors(wish), std::vector<int32_t>{kItemVanilla}) << seed;
    EXPECT_EQ(wish.GetTopping(), 0) << seed;
    // Size, cup and flavour: three draws.
    EXPECT_EQ(Rand(), fourth) << seed;
  }
  const HappyHourOrderRules late{3, 3, 2, 5, 4};
  SetProgress(board, late);
  for (int seed = 1; seed <= 40; ++seed) {
    SRand(seed);
    const IceCream wish = board.ChooseHappyHourOrder();
    const int next = Rand();
    SRand(seed);
    const IceCream expected = ChooseHappyHourOrderFrom(late);
    ExpectSameWish(wish, expected, next, Rand(), seed);
  }
}

}  // namespace
}  // namespace Plix
