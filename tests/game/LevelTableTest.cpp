#include "game/app/LevelTable.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

// An empty or wordless file reads as no levels, which the game refuses.
TEST(LevelTable, EmptyFileHasNoLevelsAndIsNotAGameTable) {
  LevelTable t;
  EXPECT_TRUE(t.LoadFromText("", "levels.txt"));
  EXPECT_EQ(t.GetLevelCount(), 0);
  EXPECT_FALSE(t.CheckComplete());
  EXPECT_EQ(t.GetError(), "levels.txt:1: the table ends after 0 levels; the game needs 50");
  EXPECT_TRUE(t.LoadFromText("just some words 12\n", "levels.txt"));
  EXPECT_EQ(t.GetLevelCount(), 0);
  EXPECT_FALSE(t.CheckComplete());
}

// The shipped table, and the same with a block cut: the game needs all 50
// days, each with its floor and customers, and names the line of a fault.
TEST(LevelTable, TheGameRefusesATableThatIsNotWhole) {
  const std::string shipped = Testing::ReadFile(Testing::SourceDir() + "/data/levels.txt");
  ASSERT_FALSE(shipped.empty());
  auto without = [&](const std::string& from, const std::string& to) {
    const size_t a = shipped.find(from);
    EXPECT_NE(a, std::string::npos) << from;
    const size_t b = to.empty() ? shipped.size() : shipped.find(to, a);
    return shipped.substr(0, a) + shipped.substr(b);
  };
  auto lineOf = [&](const std::string& text, const std::string& what) {
    return 1 + std::count(text.begin(), text.begin() + text.find(what), '\n');
  };
  const std::string noSeven = without("LEVEL 7\n", "ENV");
  const std::string noEnv = without("ENV data/area1.len\n", "DAYSECONDS");  // level 1's floor
  const std::string noCustomers = without("CUSTOMERS 6\n", "CUSTKIND");
  const std::string cut = without("LEVEL 50\n", "");
  const struct {
    const char* name;
    std::string text;
    std::string error;
  } cases[] = {
      {"shipped", shipped, ""},
      {"a LEVEL line deleted", noSeven,
       "levels.txt:" + std::to_string(lineOf(noSeven, "LEVEL 8\n")) +
           ": LEVEL 8 where level 7 was expected (a block is missing or out of order)"},
      {"no ENV", noEnv, "levels.txt:" + std::to_string(lineOf(noEnv, "LEVEL 1\n")) + ": level 1 has no floor (ENV)"},
      {"no CUSTOMERS", noCustomers,
       "levels.txt:" + std::to_string(lineOf(noCustomers, "LEVEL 1\n")) + ": level 1 has no customers (CUSTOMERS)"},
      {"last block cut", cut,
       "levels.txt:" + std::to_string(1 + std::count(cut.begin(), cut.end(), '\n')) +
           ": the table ends after 49 levels; the game needs 50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LevelTable t;
    ASSERT_TRUE(t.LoadFromText(c.text, "levels.txt")) << t.GetError();
    EXPECT_EQ(t.CheckComplete(), c.error.empty());
    if (!c.error.empty()) {
      EXPECT_EQ(t.GetError(), c.error);
    }
  }
}

TEST(LevelTable, MissingFileFails) {
  Testing::TempDir dir;
  LevelTable t;
  EXPECT_FALSE(t.LoadLevels(dir / "levels.txt"));
  EXPECT_EQ(t.GetLevelCount(), 0);
  EXPECT_NE(t.GetError().find("levels.txt"), std::string::npos);
}

TEST(LevelTable, ReadsFileFromDisk) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "levels.txt", "Level 1 Customers 20 Custkind 0 1 V 1 1 V 2 1\nLevel 2 V 1 1");
  LevelTable t;
  ASSERT_TRUE(t.LoadLevels(dir / "levels.txt")) << t.GetError();
  EXPECT_EQ(t.GetLevelCount(), 2);
  EXPECT_EQ(t.GetLevelGoal(0), 80);
}

TEST(LevelTable, RecordFields) {
  const char* text =
      "# tokens before the first one are skipped\n"
      "comment words 12\n"
      "level 1\n"
      "  env data/park1.len\n"
      "  duration 450\n"
      "  customers 10\n"
      "  customer 3 5\n"
      "  custom 4 9\n"        // seven letters: ignored, its numbers are ignored tokens
      "  group 2 3\n"
      "  group 0 7\n"         // index below 1: ignored
      "  value 1 1\n"
      "  value 2 2\n"
      "  way hurry\n"
      "  neWt newF news\n"
      "  setGoal 80 setExpert 120\n"
      "LEVEL 2\n"
      "  value 1 1 newc\n"
      "Lx 3 v 1 1 w crowd";   // last token without a line end is applied
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText(text, "levels.txt")) << t.GetError();
  ASSERT_EQ(t.GetLevelCount(), 3);

  const LevelRecord& a = *t.GetLevel(0);
  EXPECT_STREQ(a.environmentFile, "data/park1.len");
  EXPECT_EQ(a.arrivalSpan, 450);
  EXPECT_EQ(a.customerCount, 10);
  EXPECT_EQ(a.kindWeights[3], 5);
  EXPECT_EQ(a.kindWeights[4], 0);
  EXPECT_EQ(a.groupCounts[0], 4);  // 10 customers, 3 pairs: 4 come alone
  EXPECT_EQ(a.groupCounts[1], 3);
  EXPECT_EQ(a.customerMode, 1);
  EXPECT_EQ(a.countC, 1);
  EXPECT_EQ(a.flavorCount, 2);
  EXPECT_EQ(a.countT, 1);
  EXPECT_EQ(a.countH, 1);
  EXPECT_EQ(a.countS, 1);
  EXPECT_TRUE(a.newT && a.newF && a.newS);
  EXPECT_FALSE(a.newC || a.newH);
  EXPECT_FLOAT_EQ(a.goalFactor, 0.8f);
  EXPECT_FLOAT_EQ(a.expertFactor, 1.2f);

  const LevelRecord& b = *t.GetLevel(1);
  EXPECT_STREQ(b.environmentFile, "");
  EXPECT_EQ(b.arrivalSpan, 300);
  EXPECT_EQ(b.countC, 2);  // counts carry over and add up
  EXPECT_EQ(b.flavorCount, 2);
  EXPECT_EQ(b.countT, 1);
  EXPECT_EQ(b.countS, 1);
  EXPECT_TRUE(b.newC);
  EXPECT_FALSE(b.newT || b.newF || b.newS);  // new-flags belong to one level

  const LevelRecord& c = *t.GetLevel(2);
  EXPECT_EQ(c.customerMode, -1);
  EXPECT_EQ(c.countC, 2);

  EXPECT_EQ(t.GetLevelFlavorCount(0), 2);
  EXPECT_EQ(t.GetLevelTCount(0), 1);
  EXPECT_EQ(t.GetLevelHCount(0), 1);
  EXPECT_EQ(t.GetLevelSCount(0), 1);
}

TEST(LevelTable, FirstLevelDefaults) {
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText("L 1 customers 10 custkind 0 1 v 1 1", "x"));
  const LevelRecord& r = *t.GetLevel(0);
  EXPECT_EQ(r.groupCounts[0], 10);
  EXPECT_EQ(r.countC, 1);
  EXPECT_EQ(r.flavorCount, 1);
  EXPECT_EQ(r.countT, 0);
  EXPECT_EQ(r.countH, 1);
  EXPECT_EQ(r.countS, 0);
  EXPECT_FALSE(r.newC || r.newT || r.newF || r.newH || r.newS);
  EXPECT_EQ(r.customerMode, 0);
}

struct ScoreCase {
  const char* body;
  int goal;
  int expert;
};

class LevelScores : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(LevelScores, GoalAndExpert) {
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText(std::string("Level 1 custkind 0 1 ") + GetParam().body, "x")) << t.GetError();
  EXPECT_EQ(t.GetLevelGoal(0), GetParam().goal);
  EXPECT_EQ(t.GetLevelExpert(0), GetParam().expert);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LevelScores,
    ::testing::Values(
        ScoreCase{"customers 20 v 1 1 v 2 1", 80, 100},              // shares 10 10: 50 points
        ScoreCase{"customers 10 v 1 1 v 2 2", 40, 52},               // shares 4 6: 26 points
        ScoreCase{"customers 20 v 1 1 v 2 1 sxxg 80", 78, 100},      // 80 x 0.01 is a hair below 0.8
        ScoreCase{"customers 20 v 1 1 v 2 1 sxxe 150", 80, 150},
        ScoreCase{"customers 12 v 4 1", 96, 120},                     // all worth 5: 60 points
        ScoreCase{"customers 7 v 1 1 v 2 1 v 3 1", 32, 40},          // shares 2 2 2, then 3 2 2: 20 points
        ScoreCase{"customers 0 v 1 5", 0, 0}),
    [](const auto& info) { return Testing::ParamName(info.param.body); });

struct ErrorCase {
  const char* text;
  const char* message;  // expected in the error, with the line
};

class LevelErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(LevelErrors, ReportedWithLine) {
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText("L 1 v 1 1", "levels.txt"));
  EXPECT_FALSE(t.LoadFromText(GetParam().text, "levels.txt"));
  EXPECT_NE(t.GetError().find(GetParam().message), std::string::npos) << t.GetError();
  EXPECT_EQ(t.GetLevelCount(), 0);  // nothing half read is kept
}

INSTANTIATE_TEST_SUITE_P(
    Table, LevelErrors,
    ::testing::Values(
        ErrorCase{"L 1 v 1 1\nL 2\n e 012345678901234567890123\n", "levels.txt:3: environment name"},
        ErrorCase{"L 1 v 1 1\n customer 7 1\n", "levels.txt:2: customer kind 7"},
        ErrorCase{"L 1 v 1 1\n customer -1 1\n", "levels.txt:2: customer kind -1"},
        ErrorCase{"L 1 v 1 1\n\n g 5 1\n", "levels.txt:3: group size 5"},
        ErrorCase{"L 1\n v 0 1\n", "levels.txt:2: value index 0"},
        ErrorCase{"L 1\n v 5 1\n", "levels.txt:2: value index 5"},
        ErrorCase{"\n\nL 1 customers 10\n", "levels.txt:3: level 1 has value weights (V) adding up to 0"},
        ErrorCase{"L 1 v 1 1 v 2 -1\n", "levels.txt:1: level 1 has value weights"},
        ErrorCase{"L 1 v 1 1 custkind 0 1 customers 2147483647 v 2 1", "out of range"},
        ErrorCase{"L 1 v 1 1 d x", "levels.txt:1: 'D' needs a number"},
        ErrorCase{"L 1 v 1 1 d 99999999999", "'D' needs a number"},
        ErrorCase{"L 1 v 1 1 g 1", "'G' needs a number"},
        ErrorCase{"L", "'L' needs a number"},
        // Records the day's set-up would divide by zero with.
        ErrorCase{"L 1 v 1 1\n\nL 2 v 1 1\n customers 5\n",
                  "levels.txt:3: level 2 has customer kind weights (CUSTKIND) adding up to 0"},
        ErrorCase{"L 1 v 1 1 custkind 3 2 custkind 4 -2 customers 1",
                  "levels.txt:1: level 1 has customer kind weights"},
        ErrorCase{"L 1 v 1 1\nL 2 v 1 1 custkind 0 1 customers 5\n g 4 1 g 2 1\n",
                  "levels.txt:2: level 2: its groups (G) hold 6 customers, more than its 5"},
        ErrorCase{"L 1 v 1 1 d 0", "levels.txt:1: level 1 has a day length (D) of 0 seconds"},
        ErrorCase{"L 1 v 1 1 d -30", "level 1 has a day length (D) of -30 seconds"}),
    [](const auto& info) { return Testing::ParamName(info.param.message); });

TEST(LevelTable, MoreThanFiftyLevels) {
  std::string text;
  for (int i = 1; i <= 50; ++i) text += "Level " + std::to_string(i) + " v 1 1\n";
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText(text, "levels.txt")) << t.GetError();
  EXPECT_EQ(t.GetLevelCount(), 50);
  text += "Level 51 v 1 1\n";
  EXPECT_FALSE(t.LoadFromText(text, "levels.txt"));
  EXPECT_NE(t.GetError().find("levels.txt:51: more than 50 levels"), std::string::npos) << t.GetError();
}

TEST(LevelTable, LongestEnvironmentNameFits) {
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText("L 1 v 1 1 e 01234567890123456789012", "x")) << t.GetError();
  EXPECT_STREQ(t.GetLevel(0)->environmentFile, "01234567890123456789012");
}

TEST(LevelTable, ScoopPrice) {
  LevelTable t;
  ASSERT_TRUE(t.LoadFromText("L 1 v 1 1 newf newf", "x"));  // three flavours
  EXPECT_EQ(t.GetScoopPrice(13, 0), 2);
  EXPECT_EQ(t.GetScoopPrice(15, 0), 2);
  EXPECT_EQ(t.GetScoopPrice(16, 0), 3);
  EXPECT_EQ(t.GetScoopPrice(18, 0), 3);
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

TEST(LevelTable, ShippedTableLoads) {
  LevelTable t;
  ASSERT_TRUE(t.LoadLevels(Testing::SourceDir() + "/data/levels.txt")) << t.GetError();
  EXPECT_EQ(t.GetLevelCount(), LevelTable::kMaxLevels);
  for (int i = 0; i < t.GetLevelCount(); ++i) {
    EXPECT_GT(t.GetLevelGoal(i), 0) << i;
    EXPECT_GE(t.GetLevelExpert(i), t.GetLevelGoal(i)) << i;
    // The orders draw flavours 13 onwards: six flavours exist.
    EXPECT_GE(t.GetLevelFlavorCount(i), 1) << i;
    EXPECT_LE(t.GetLevelFlavorCount(i), 6) << i;
  }
  // The days grow harder: within an area the crowd and the goal never
  // shrink, and each area opens with a higher goal than the one before.
  int areaStartGoal = 0;
  for (int i = 0; i < t.GetLevelCount(); ++i) {
    SCOPED_TRACE(i);
    const LevelRecord& day = *t.GetLevel(i);
    if (i == 0 || std::string(day.environmentFile) != t.GetLevel(i - 1)->environmentFile) {
      EXPECT_GT(day.goal, areaStartGoal);
      areaStartGoal = day.goal;
    } else {
      EXPECT_GE(day.customerCount, t.GetLevel(i - 1)->customerCount);
      EXPECT_GE(day.goal, t.GetLevel(i - 1)->goal);
    }
  }
}

}  // namespace
}  // namespace Plix
