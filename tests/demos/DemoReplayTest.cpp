// Every demo kept in demos/ (recorded by scripts/record-demos.sh with the
// game's own "-record"), played back headless at full speed with its
// starting players: it must close on the screen it closed on when it was
// recorded, at the same update, holding the same players' file bytes. A
// change that alters play fails here until the demos are recorded anew,
// on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/demos/DemoHarness.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

std::vector<std::string> DemoNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Demos::DemoFolder(), ec))
    if (entry.path().extension() == ".dmo") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class DemoReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(DemoReplay, EndsAsRecorded) {
  const std::string base = Demos::DemoFolder() + "/" + GetParam();
  Demos::Outcome expected;
  std::string error;
  ASSERT_TRUE(Demos::ParseOutcome(ReadText(base + ".expect"), expected, error)) << base << ".expect: " << error;
  const std::string start = std::filesystem::exists(base + ".start") ? base + ".start" : "";
  Demos::Outcome played;
  ASSERT_TRUE(Demos::ReplayDemo(base + ".dmo", start, played, error)) << error;
  EXPECT_EQ(played.mScreen, expected.mScreen);
  EXPECT_EQ(played.mUpdates, expected.mUpdates);
  EXPECT_EQ(played.mProfileSize, expected.mProfileSize);
  EXPECT_EQ(played.mProfileHash, expected.mProfileHash) << "the players' file differs";
}

INSTANTIATE_TEST_SUITE_P(Kept, DemoReplay, ::testing::ValuesIn(DemoNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return Testing::ParamName(info.param);
                         });

// The runs the game is held to are all there.
TEST(DemoFolder, HoldsEveryRun) {
  const std::vector<std::string> names = DemoNames();
  for (const char* name : {"area1-day1", "area2-day10", "area3-day18", "area4-day26", "area5-day34", "area6-day42",
                           "store", "circus", "contest", "happyhour-easy", "happyhour-normal", "happyhour-hard"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    EXPECT_TRUE(std::filesystem::exists(Demos::DemoFolder() + "/" + name + ".expect")) << name;
  }
}

}  // namespace
}  // namespace Plix
