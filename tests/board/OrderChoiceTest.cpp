// The wishes customers choose, under the game's random sequence seeded in
// each case: the outcome and the number of draws taken.
#include "game/board/OrderChoice.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/platform/CRand.h"
#include "tests/board/ItemTestSupport.h"

namespace Plix {
namespace {

// The first draws after SRand(1): 41, 18467, 6334, 26500, 19169, 15724;
// after SRand(2): 45, 29216, 24198, 17795; SRand(4): 51, 17945, 27159, 386;
// SRand(5): 54, 28693, 12255, 24449, 27660, 31430, 23927, 17649;
// SRand(7): 61, 17422, 15215, 7040; SRand(11): 74, 27648, 21136;
// SRand(42): 175, 400, 17869, 30056.
struct Wanted {
  int32_t kind;
  std::vector<int32_t> flavors;
  int32_t topping;
  int nextDraw;  // the draw that follows the choice
};

void ExpectWish(const IceCream& wish, const Wanted& w, const char* name) {
  EXPECT_EQ(wish.GetKind(), w.kind) << name;
  std::vector<int32_t> flavors;
  for (int i = 0; i < wish.GetScoopCount(); ++i) flavors.push_back(wish.GetFlavor(i));
  EXPECT_EQ(flavors, w.flavors) << name;
  EXPECT_EQ(wish.GetTopping(), w.topping) << name;
  EXPECT_EQ(wish.GetDecoration(), 0) << name;
  EXPECT_EQ(Rand(), w.nextDraw) << name;
}

StoryOrderRules Story(int32_t specials, int32_t holders, int32_t toppings, int32_t flavors) {
  StoryOrderRules r;
  r.specials = specials;
  r.holders = holders;
  r.toppings = toppings;
  r.flavors = flavors;
  return r;
}

StoryOrderRules Sizes(StoryOrderRules r, int32_t v2, int32_t v3, int32_t v4) {
  r.value2 = v2;
  r.value3 = v3;
  r.value4 = v4;
  return r;
}

StoryOrderRules Newest(StoryOrderRules r, int32_t profileFlavors) {
  r.newestDay = true;
  r.profileFlavors = profileFlavors;
  return r;
}

struct StoryCase {
  const char* name;
  StoryOrderRules rules;
  int32_t value;
  int32_t appeal;
  bool pickSize;
  uint32_t seed;
  Wanted wanted;
};

TEST(OrderChoice, StoryWishes) {
  Testing::ItemImages images;
  const StoryCase cases[] = {
      // 41 % 1 = 0: special; 18467 % 5 = 2.
      {"the best table always gets a special", Story(4, 3, 3, 6), 2, 13, false, 1, {6, {}, 0, 6334}},
      {"a table of appeal 14 leaves no divisor: likewise", Story(4, 3, 3, 6), 2, 14, false, 1, {6, {}, 0, 6334}},
      {"a table past the best likewise", Story(4, 3, 3, 6), 2, 20, false, 1, {6, {}, 0, 6334}},
      // 41 % 14 = 13: no special; size 3 - 18467 % 3 = 1; 6334 % 2 = 0: cup; 26500 % 2 = 0.
      {"a second order picks its size", Sizes(Story(2, 3, 1, 2), 1, 1, 0), 4, 0, true, 1, {2, {13}, 0, 19169}},
      // Size 3 with cones: two scoops 41 % 3, 18467 % 3, topping 6334 % 2.
      {"size 3 without plates", Story(0, 2, 2, 3), 3, 0, false, 1, {1, {15, 15}, 19, 26500}},
      // 51 % 4 = 3: plate of two; 17945 % 6 = 5, 27159 % 6 = 3.
      {"size 2 with plates and toppings", Story(0, 3, 3, 6), 2, 0, false, 4, {3, {18, 16}, 0, 386}},
      // 61 % 2 = 1: plate of two.
      {"size 2 with plates, no toppings", Story(0, 3, 0, 1), 2, 0, false, 7, {3, {13, 13}, 0, 7040}},
      // Size 4 with plates: three scoops and a topping; coins 54, 12255,
      // 27660 (% 10 below 5 gives all five flavours): 28693 % 5, 24449 % 2,
      // 31430 % 5; topping 23927 % 1.
      {"the newest day brings the player's flavours", Newest(Story(0, 3, 1, 2), 5), 4, 0, false, 5,
       {3, {16, 14, 13}, 19, 17649}},
      {"an older day keeps to its own", Story(0, 3, 1, 2), 4, 0, false, 5, {3, {13, 14, 14}, 19, 27660}},
      {"no coin when the player has no more", Newest(Story(0, 3, 1, 2), 2), 4, 0, false, 5,
       {3, {13, 14, 14}, 19, 27660}},
      {"size 4 without plates", Story(0, 2, 0, 3), 4, 0, false, 11, {1, {15, 13}, 0, 21136}},
      {"a holder count no row names", Story(0, 0, 2, 4), 2, 0, false, 1, {1, {14}, 0, 18467}},
      {"a size outside 1 to 4", Story(0, 3, 2, 4), 7, 0, false, 1, {1, {14}, 0, 18467}},
  };
  for (const StoryCase& c : cases) {
    SRand(c.seed);
    ExpectWish(ChooseStoryOrder(c.rules, c.value, c.appeal, c.pickSize), c.wanted, c.name);
  }
}

HappyHourOrderRules HappyHour(int32_t valueLevel, int32_t specials, int32_t holders, int32_t toppings,
                              int32_t flavors) {
  HappyHourOrderRules r;
  r.valueLevel = valueLevel;
  r.specials = specials;
  r.holders = holders;
  r.toppings = toppings;
  r.flavors = flavors;
  return r;
}

struct HappyHourCase {
  const char* name;
  HappyHourOrderRules rules;
  uint32_t seed;
  Wanted wanted;
};

TEST(OrderChoice, HappyHourWishes) {
  Testing::ItemImages images;
  const HappyHourCase cases[] = {
      // Size 41 % 4 + 1 = 2; 18467 % 8 = 3: no special; 6334 % 3 = 1: cone
      // of one with a topping; 26500 % 3 = 1; 19169 % 1.
      {"size, then the special chance", HappyHour(4, 2, 2, 1, 3), 1, {1, {14}, 19, 15724}},
      // 400 % 8 = 0: special; 17869 % 4 = 1.
      {"a special", HappyHour(1, 3, 3, 3, 6), 42, {4, {}, 0, 30056}},
      {"no value level yet", HappyHour(0, 0, 3, 0, 1), 2, {2, {13}, 0, 17795}},
  };
  for (const HappyHourCase& c : cases) {
    SRand(c.seed);
    ExpectWish(ChooseHappyHourOrderFrom(c.rules), c.wanted, c.name);
  }
}

TEST(OrderChoice, WishesHaveTheirSize) {
  Testing::ItemImages images;
  SRand(5);
  const IceCream wish = ChooseStoryOrder(Story(0, 3, 1, 2), 4, 0, false);
  EXPECT_EQ(wish.GetHeight(), 24 + 3);  // a plate of scoops with a cherry
  EXPECT_EQ(wish.GetSize(), 2);
}

}  // namespace
}  // namespace Plix
