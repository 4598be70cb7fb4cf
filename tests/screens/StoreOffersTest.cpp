// What the store puts on its shelf for a day and a player's belongings:
// the new-item marks, computed as when a player becomes current or a day
// ends.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "game/app/PlayerProfile.h"
#include "game/screens/Store.h"

namespace Plix {
namespace {

struct ShelfCase {
  const char* name;
  int day;  // the day about to be played
  std::function<void(PlayerProfile&)> setUp;
  std::set<int> on;   // marks set
  std::set<int> off;  // marks clear; empty with `all`: every other mark
  bool all;
};

TEST(StoreOffers, TheShelfFollowsTheDayAndWhatThePlayerOwns) {
  const auto none = [](PlayerProfile&) {};
  const ShelfCase cases[] = {
      {"a new player on day 4", 4, none, {Store::kCookies1, Store::kStraws, Store::kFlower1, Store::kMachine2}, {},
       true},
      {"nothing before day 4", 3, none, {}, {}, true},
      {"day 11, batch 12", 11, [](PlayerProfile& p) { p.SetBatchSize(12); }, {Store::kBoxes}, {}, false},
      {"day 11, batch 14", 11, [](PlayerProfile& p) { p.SetBatchSize(14); }, {}, {Store::kBoxes}, false},
      {"day 38, batch 12", 38, [](PlayerProfile& p) { p.SetBatchSize(12); }, {Store::kBoxes}, {}, false},
      {"day 38, batch 14", 38, [](PlayerProfile& p) { p.SetBatchSize(14); }, {Store::kBoxes}, {}, false},
      {"day 38, batch 16", 38, [](PlayerProfile& p) { p.SetBatchSize(16); }, {}, {Store::kBoxes}, false},
      {"day 24, machine 1", 24, [](PlayerProfile& p) { p.SetIceCreamMachineLevel(1); }, {Store::kMachine3},
       {Store::kMachine2}, false},
      {"day 24, machine 2", 24, [](PlayerProfile& p) { p.SetIceCreamMachineLevel(2); }, {Store::kMachine3},
       {Store::kMachine2}, false},
      {"day 24, machine 3", 24, [](PlayerProfile& p) { p.SetIceCreamMachineLevel(3); }, {},
       {Store::kMachine2, Store::kMachine3}, false},
      {"day 23, machine 2", 23, [](PlayerProfile& p) { p.SetIceCreamMachineLevel(2); }, {},
       {Store::kMachine2, Store::kMachine3}, false},
      {"five first flowers", 12, [](PlayerProfile& p) { p.SetFlower(0, 5); }, {},
       {Store::kFlower1, Store::kFlower2, Store::kFlower3}, false},
      {"the second flower on day 13", 13, [](PlayerProfile& p) { p.SetFlower(0, 5); }, {Store::kFlower2},
       {Store::kFlower1, Store::kFlower3}, false},
      {"four cloths of the first kind", 24, [](PlayerProfile& p) { p.SetTableCloth(0, 4); }, {Store::kCloth1},
       {Store::kCloth2}, false},
      {"the second cloth from day 25", 25, [](PlayerProfile& p) { p.SetTableCloth(1, 5); }, {},
       {Store::kCloth1, Store::kCloth2}, false},
      {"both sunshades", 31, none, {Store::kSunshade1, Store::kSunshade2}, {}, false},
      {"sunshades full", 31, [](PlayerProfile& p) { p.SetSunshade(0, 5); p.SetSunshade(1, 5); }, {},
       {Store::kSunshade1, Store::kSunshade2}, false},
      {"decorations in stock", 40,
       [](PlayerProfile& p) {
         p.SetStrawStock(1);
         p.SetCocktailStickStock(3);
         p.SetUmbrellaStock(2);
         p.SetSparklerStock(1);
       },
       {Store::kCookies3, Store::kLemonade2},
       {Store::kStraws, Store::kCocktailSticks, Store::kUmbrellas, Store::kSparklers, Store::kLemonade3}, false},
      {"every decoration used up", 35, none,
       {Store::kStraws, Store::kCocktailSticks, Store::kUmbrellas, Store::kSparklers}, {}, false},
      {"tropical lemonade from day 41", 41, none, {Store::kLemonade1, Store::kLemonade2, Store::kLemonade3}, {},
       false},
  };
  for (const ShelfCase& c : cases) {
    SCOPED_TRACE(c.name);
    PlayerProfile p;
    p.SetStoryDays(c.day - 1);
    c.setUp(p);
    Store::UpdateNewItemFlags(p);
    for (int mark = 0; mark < Store::kMarkCount; ++mark) {
      if (c.on.count(mark)) {
        EXPECT_EQ(Store::GetNewItemFlag(mark), 1) << "mark " << mark;
      } else if (c.off.count(mark) || c.all) {
        EXPECT_EQ(Store::GetNewItemFlag(mark), 0) << "mark " << mark;
      }
    }
  }
}

TEST(StoreOffers, TheGoodsThatChangeWithTheDaySellTheDaysKind) {
  const struct {
    int id;
    int day;
    int mark;
  } cases[] = {
      {Store::kFlower, 3, -1},           {Store::kFlower, 4, Store::kFlower1},  {Store::kFlower, 13, Store::kFlower2},
      {Store::kFlower, 32, Store::kFlower3}, {Store::kTableCloth, 4, -1},   {Store::kTableCloth, 5, Store::kCloth1},
      {Store::kTableCloth, 25, Store::kCloth2}, {Store::kBoxesGood, 50, Store::kBoxes}, {1, 10, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(Store::MarkOf(c.id, c.day), c.mark) << c.id << " on day " << c.day;
}

}  // namespace
}  // namespace Plix
