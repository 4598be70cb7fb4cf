#include "tools/floorcheck/FloorCheck.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "game/app/LevelTable.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

// A floor written as records and link lists, so that each case changes one
// thing of a floor that passes.
struct Floor {
  int area = 1;
  std::vector<std::array<int, 5>> records;
  std::vector<std::vector<int>> links;

  void Link(int a, int b) {
    links[a].push_back(b);
    links[b].push_back(a);
  }
  std::string Text() const {
    std::string t = std::to_string(area) + " " + std::to_string(records.size()) + "\n";
    for (const auto& r : records)
      t += std::to_string(r[0]) + " " + std::to_string(r[1]) + " " + std::to_string(r[2]) + " " +
           std::to_string(r[3]) + " " + std::to_string(r[4]) + "\n";
    for (const auto& l : links) {
      t += std::to_string(l.size());
      for (int j : l) t += " " + std::to_string(j);
      t += "\n";
    }
    return t;
  }
};

Floor StoryFloor() {
  Floor f;
  f.records = {
      {0, 100, 300, 0, 0},   // 0 waypoint
      {3, 300, 300, 0, 0},   // 1 counter
      {4, 500, 50, 0, 0},    // 2 trash station
      {10, 400, 300, 0, 0},  // 3 monkey's place
      {5, 20, 60, 0, 0},     // 4 napkins
      {9, 200, 100, 0, 0},   // 5 juggling balls
      {11, 600, 100, 0, 0},  // 6 uncle's place
      {1, 100, 150, 4, 0},   // 7 four seats
      {1, 300, 150, 2, 1},   // 8 two seats
      {1, 450, 200, 1, 0},   // 9 one seat
  };
  f.links.resize(f.records.size());
  for (auto [a, b] : std::vector<std::pair<int, int>>{{0, 1}, {1, 3}, {0, 4}, {0, 5}, {3, 2}, {0, 7}, {1, 8}, {3, 9}})
    f.Link(a, b);
  return f;
}

// The queue runs from the monkey's place 500 px up and then left.
Floor HappyFloor() {
  Floor f;
  f.records = {
      {10, 600, 400, 0, 0}, {0, 600, 300, 0, 0}, {0, 600, 200, 0, 0}, {0, 600, 100, 0, 0},
      {0, 400, 100, 0, 0},  {0, 300, 100, 0, 0}, {3, 700, 450, 0, 0}, {4, 100, 400, 0, 0},
      {11, 50, 50, 0, 0},
  };
  f.links.resize(f.records.size());
  for (int i = 0; i < 5; ++i) f.Link(i, i + 1);
  return f;
}

FloorRules StoryRules() {
  FloorRules r;
  r.napkinDay = 4;
  r.jugglingDay = 9;
  r.largestGroup = 4;
  r.largestGroupDay = 12;
  return r;
}

FloorRules HappyRules() {
  FloorRules r;
  r.happyHour = true;
  return r;
}

EnvironmentSizes Sizes() {
  EnvironmentSizes s;
  std::string error;
  EXPECT_TRUE(ReadFloorSizes(Testing::ReadFile(Testing::SourceDir() + "/data/images.txt"), s, error)) << error;
  return s;
}

TEST(FloorCheck, BaseFloorsPass) {
  EXPECT_EQ(CheckFloor(StoryFloor().Text(), StoryRules(), Sizes()), std::vector<std::string>{});
  EXPECT_EQ(CheckFloor(HappyFloor().Text(), HappyRules(), Sizes()), std::vector<std::string>{});
}

struct RuleCase {
  const char* name;
  bool happy;
  std::function<void(Floor&, FloorRules&)> change;
  const char* says;
};

class FloorCheckRefuses : public ::testing::TestWithParam<RuleCase> {};

TEST_P(FloorCheckRefuses, Floor) {
  const RuleCase& c = GetParam();
  Floor floor = c.happy ? HappyFloor() : StoryFloor();
  FloorRules rules = c.happy ? HappyRules() : StoryRules();
  c.change(floor, rules);
  std::vector<std::string> problems = CheckFloor(floor.Text(), rules, Sizes());
  ASSERT_EQ(problems.size(), 1u) << (problems.empty() ? "passes" : problems[0] + " / " + problems[1]);
  EXPECT_NE(problems[0].find(c.says), std::string::npos) << problems[0];
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FloorCheckRefuses,
    ::testing::Values(
        RuleCase{"MoreThan64Records", false,
                 [](Floor& f, FloorRules&) {
                   while (f.records.size() < 65) {
                     f.records.push_back({0, 10 * static_cast<int>(f.records.size()), 500, 0, 0});
                     f.links.emplace_back();
                   }
                 },
                 "65 records"},
        RuleCase{"LinkOutOfRange", false, [](Floor& f, FloorRules&) { f.links[6].push_back(10); },
                 "link to record 10 of 10"},
        RuleCase{"OneWayLink", false, [](Floor& f, FloorRules&) { f.links[6].push_back(0); },
                 "record 6 links to record 0, which does not link back"},
        RuleCase{"LinkOnEmptySlot", false,
                 [](Floor& f, FloorRules&) {
                   f.records.push_back({2, 0, 0, 0, 0});
                   f.links.push_back({0});
                 },
                 "record 10 has no walk node"},
        RuleCase{"DecorationSlotOutsideList", false,
                 [](Floor& f, FloorRules&) {
                   f.records.push_back({12, 700, 500, 10, 0});
                   f.links.emplace_back();
                 },
                 "slot 10 is not in the list of area 1"},
        RuleCase{"TableOfThree", false, [](Floor& f, FloorRules&) { f.records[8][3] = 3; }, "not 3"},
        RuleCase{"ShortFile", false,
                 [](Floor& f, FloorRules&) {
                   std::erase(f.links[3], 9);
                   f.links.pop_back();
                 },
                 "ends before the links of record 9"},
        RuleCase{"LinkedNodesAtOneSpot", false,
                 [](Floor& f, FloorRules&) {
                   f.records.push_back({0, 300, 300, 0, 0});
                   f.links.emplace_back();
                   f.Link(1, 10);
                 },
                 "record 1 and record 10 are linked and lie at one position"},
        RuleCase{"NoCounterSpot", false, [](Floor& f, FloorRules&) { f.records[1][0] = 0; }, "no counter spot"},
        RuleCase{"NoTrashStation", false, [](Floor& f, FloorRules&) { f.records[2][0] = 0; }, "no trash station"},
        RuleCase{"NoMonkeysPlace", false, [](Floor& f, FloorRules&) { f.records[3][0] = 0; }, "no monkey's place"},
        RuleCase{"NoUnclesPlace", false, [](Floor& f, FloorRules&) { f.records[6][0] = 0; }, "no uncle's place"},
        RuleCase{"UncleAfterAnEmptySlot", false,
                 [](Floor& f, FloorRules&) {
                   f.records[6] = {2, 0, 0, 0, 0};
                   f.records.push_back({11, 600, 100, 0, 0});
                   f.links.emplace_back();
                 },
                 "no uncle's place before the first empty slot"},
        RuleCase{"NoNapkinTable", false, [](Floor& f, FloorRules&) { f.records[4][0] = 0; },
                 "day 4 asks for napkins, but there is no napkin table"},
        RuleCase{"NoSeatsForTheLargestGroup", false, [](Floor& f, FloorRules&) { f.records[7][3] = 2; },
                 "day 12 brings parties of 4, but the largest table seats 2"},
        RuleCase{"UnlinkedJugglingBalls", false,
                 [](Floor& f, FloorRules&) {
                   std::erase(f.links[0], 5);
                   f.links[5].clear();
                 },
                 "day 9 can have juggling, but the juggling balls (record 5) are not linked"},
        RuleCase{"NoJugglingBalls", false, [](Floor& f, FloorRules&) { f.records[5][0] = 0; },
                 "day 9 can have juggling, but there are no juggling balls"},
        RuleCase{"ShortQueue", true,
                 [](Floor& f, FloorRules&) {
                   std::erase(f.links[4], 5);
                   f.links[5].clear();
                 },
                 "the queue from the monkey's place (record 0) is 500 px long, not 504"},
        RuleCase{"HappyHourWithoutTrash", true, [](Floor& f, FloorRules&) { f.records[7][0] = 0; },
                 "no trash station"},
        RuleCase{"RisingBalloons", true,
                 [](Floor& f, FloorRules&) {
                   f.area = 4;
                   f.records.push_back({12, 700, 200, 3, 0});
                   f.links.emplace_back();
                 },
                 "record 9 places the rising balloons"}),
    [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(FloorCheck, RulesComeFromTheDaysOfTheFloor) {
  LevelTable levels;
  const char* text =
      "LEVEL 1\nENV data/park.len\nCUSTOMERS 4\nCUSTKIND 0 1\nVALUE 1 1\nWEATHER COOL\n"
      "LEVEL 2\nENV data/park.len\nCUSTOMERS 6\nCUSTKIND 0 1\nGROUP 3 1\nVALUE 1 1\nWEATHER NORMAL\n"
      "LEVEL 3\nENV data/zoo.len\nCUSTOMERS 4\nCUSTKIND 0 1\nGROUP 2 2\nVALUE 1 1\nWEATHER COOL\n";
  ASSERT_TRUE(levels.LoadFromText(text, "levels.txt")) << levels.GetError();
  FloorRules park = RulesForFloor(levels, "build/run/data/park.len");
  EXPECT_FALSE(park.happyHour);
  EXPECT_EQ(park.napkinDay, 2);
  EXPECT_EQ(park.largestGroup, 3);
  EXPECT_EQ(park.largestGroupDay, 2);
  EXPECT_EQ(park.jugglingDay, 0);
  FloorRules zoo = RulesForFloor(levels, "zoo.len");
  EXPECT_EQ(zoo.napkinDay, 0);
  EXPECT_EQ(zoo.largestGroup, 2);
  EXPECT_TRUE(RulesForFloor(levels, "data/normal.len").happyHour);
}

}  // namespace
}  // namespace Plix
