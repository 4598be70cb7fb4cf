#include "game/board/EnvironmentFile.h"

#include <gtest/gtest.h>

#include <string>

namespace Plix {
namespace {

// Every kind once, in area 1: a waypoint, tables of each size and both
// node sides, an empty slot, the stations, the two places, a plain and an
// animated decoration.
const char* kAllKinds =
    "1 14\n"
    "0 100 200 0 0\n"   // 0 waypoint
    "1 30 200 4 0\n"    // 1 four seats, node below
    "1 190 150 2 1\n"   // 2 two seats, node above
    "1 370 150 1 3\n"   // 3 one seat, mirrored, node below
    "2 0 0 0 0\n"       // 4 empty
    "3 612 372 0 0\n"   // 5 counter
    "4 690 52 0 0\n"    // 6 trash station
    "5 16 92 0 0\n"     // 7 napkins
    "8 400 62 0 0\n"    // 8 organ
    "9 250 98 0 0\n"    // 9 juggling balls
    "10 700 366 0 0\n"  // 10 monkey's place
    "11 560 110 0 0\n"  // 11 uncle's place
    "12 640 250 2 0\n"  // 12 mushroom
    "12 560 40 7 0\n"   // 13 fountain
    "1 1\n2 0 3\n1 0\n1 0\n0\n1 6\n1 5\n0\n1 9\n1 8\n0\n0\n1 0\n0\n";

EnvironmentSizes TestSizes() {
  EnvironmentSizes s;
  s.trashStationWidth = 110;
  s.trashStationHeight = 80;
  s.napkinTableWidth = 90;
  s.napkinTableHeight = 70;
  s.tableWidth[0] = 96;
  s.tableHeight[0] = 70;
  s.tableWidth[1] = 92;
  s.tableHeight[1] = 76;
  s.tableWidth[2] = 102;
  s.tableHeight[2] = 130;
  s.organHeight = 68;
  s.ballsWidth = 32;
  s.ballsHeight = 24;
  return s;
}

TEST(EnvironmentFile, ReadsRecordsAndLinks) {
  EnvironmentLayout layout;
  std::string error;
  ASSERT_TRUE(ParseEnvironment(kAllKinds, layout, error)) << error;
  EXPECT_EQ(layout.area, 1);
  ASSERT_EQ(layout.records.size(), 14u);
  EXPECT_EQ(layout.records[3].kind, kEnvTable);
  EXPECT_EQ(layout.records[3].p4, 1);
  EXPECT_EQ(layout.records[3].p5, 3);
  EXPECT_EQ(layout.records[1].links, (std::vector<int>{0, 3}));
  EXPECT_TRUE(layout.records[4].links.empty());
  EXPECT_FALSE(RecordMakesNode(layout.records[4]));
  EXPECT_TRUE(CheckLinkedPositions(layout, TestSizes(), error)) << error;
}

TEST(EnvironmentFile, PlacesEachKindsNode) {
  EnvironmentLayout layout;
  std::string error;
  ASSERT_TRUE(ParseEnvironment(kAllKinds, layout, error)) << error;
  struct Case {
    int index, kind;
    float x, y;
  };
  const Case cases[] = {
      {0, 0, 100, 200},
      {1, 1, 30 + 51, 200 + 130 + 16},  // four seats, p5 0: below
      {2, 1, 190 + 46, 150 + 4},        // two seats, p5 1: above
      {3, 1, 370 + 48, 150 + 70 + 16},  // one seat, p5 3: below
      {5, 3, 612, 372},
      {6, 4, 690 + 55, 52 + 80 + 8},
      {7, 5, 16 + 45, 92 + 70 + 8},
      {8, 8, 400 - 29, 62 + 68 - 4},
      {9, 9, 250 + 16, 98 + 24 + 8},
      {10, 10, 700, 366},
      {11, 11, 0, 0},
      {12, 12, 640, 250},
      {13, 0, 560, 40},  // the fountain stands on a plain waypoint
  };
  for (const Case& c : cases) {
    EnvironmentNode node = PlaceEnvironmentNode(layout, c.index, TestSizes());
    EXPECT_EQ(node.kind, c.kind) << "record " << c.index;
    EXPECT_EQ(node.x, c.x) << "record " << c.index;
    EXPECT_EQ(node.y, c.y) << "record " << c.index;
  }
}

TEST(EnvironmentFile, TableNodeSideBySeatsAndP5) {
  struct Case {
    int seats, p5;
    bool above;
  };
  const Case cases[] = {{1, 0, true}, {1, 1, true}, {1, 2, false}, {1, 3, false},
                        {2, 0, false}, {2, 1, true}, {4, 0, false}, {4, 5, true}};
  for (const Case& c : cases) {
    EnvironmentLayout layout;
    std::string error;
    std::string text = "3 1 1 10 20 " + std::to_string(c.seats) + " " + std::to_string(c.p5) + " 0";
    ASSERT_TRUE(ParseEnvironment(text, layout, error)) << error;
    EnvironmentSizes s = TestSizes();
    int t = c.seats == 1 ? 0 : c.seats == 2 ? 1 : 2;
    float y = PlaceEnvironmentNode(layout, 0, s).y;
    EXPECT_EQ(y, c.above ? 24.0f : 20.0f + s.tableHeight[t] + 16.0f) << c.seats << " seats, p5 " << c.p5;
  }
}

TEST(EnvironmentFile, AreaSlots) {
  const int slots[] = {0, 10, 11, 10, 8, 17, 10, 0};
  for (int area = 0; area <= 7; ++area) EXPECT_EQ(AreaDecorationSlots(area), slots[area]) << area;
  EXPECT_FALSE(AreaSlotHasPicture(1, 4));
  EXPECT_FALSE(AreaSlotHasPicture(1, 9));
  EXPECT_TRUE(AreaSlotHasPicture(1, 8));
  EXPECT_TRUE(AreaSlotHasPicture(5, 16));
  EXPECT_FALSE(AreaSlotHasPicture(5, 17));
}

TEST(EnvironmentFile, KindAboveTwelveLeavesItsSlotEmpty) {
  EnvironmentLayout layout;
  std::string error;
  ASSERT_TRUE(ParseEnvironment("1 2  13 5 5 0 0  0 5 5 0 0  0 0", layout, error)) << error;
  EXPECT_FALSE(RecordMakesNode(layout.records[0]));
  EXPECT_FALSE(ParseEnvironment("1 2  13 5 5 0 0  0 5 5 0 0  0 1 0", layout, error));
}

struct BadCase {
  const char* name;
  std::string text;
  const char* says;  // a piece of the error text
};

std::string ManyRecords(int n) {
  std::string text = "1 " + std::to_string(n) + "\n";
  for (int i = 0; i < n; ++i) text += "0 " + std::to_string(i * 10) + " 0 0 0\n";
  for (int i = 0; i < n; ++i) text += "0\n";
  return text;
}

class EnvironmentFileRejects : public ::testing::TestWithParam<BadCase> {};

TEST_P(EnvironmentFileRejects, Text) {
  EnvironmentLayout layout;
  layout.area = 9;
  std::string error;
  EXPECT_FALSE(ParseEnvironment(GetParam().text, layout, error));
  EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
  EXPECT_TRUE(layout.records.empty());
  EXPECT_EQ(layout.area, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnvironmentFileRejects,
    ::testing::Values(BadCase{"Empty", "", "ends before the area"},
                      BadCase{"NoCount", "1", "ends before the record count"},
                      BadCase{"ShortRecord", "1 2  0 5 5 0 0  0 6 6", "ends before record 1"},
                      BadCase{"NoLinkLists", "1 1  0 5 5 0 0", "ends before the links of record 0"},
                      BadCase{"ShortLinkList", "1 2  0 5 5 0 0  0 9 9 0 0  1 1  2 0", "ends before the links of record 1"},
                      BadCase{"Word", "1 1  0 5 five 0 0  0", "\"five\" is not a number"},
                      BadCase{"Overflow", "1 1  0 5 99999999999 0 0  0", "is not a number"},
                      BadCase{"SixtyFive", ManyRecords(65), "65 records (at most 64)"},
                      BadCase{"NegativeCount", "1 -1", "-1 records"},
                      BadCase{"LinkOutOfRange", "1 2  0 5 5 0 0  0 9 9 0 0  1 2  0", "link to record 2 of 2"},
                      BadCase{"NegativeLink", "1 2  0 5 5 0 0  0 9 9 0 0  1 -1  0", "link to record -1"},
                      BadCase{"LinkToEmpty", "1 2  0 5 5 0 0  2 9 9 0 0  1 1  0", "link to record 1, which has no walk node"},
                      BadCase{"LinkOnEmpty", "1 2  0 5 5 0 0  2 9 9 0 0  0  1 0", "record 1 has no walk node but 1 links"},
                      BadCase{"SelfLink", "1 1  0 5 5 0 0  1 0", "record 0 links to itself"},
                      BadCase{"NegativeLinkCount", "1 1  0 5 5 0 0  -3", "-3 links"},
                      BadCase{"ThreeSeats", "1 1  1 5 5 3 0  0", "1, 2 or 4 seats, not 3"},
                      BadCase{"NoSeats", "1 1  1 5 5 0 0  0", "not 0"},
                      BadCase{"SlotPastList", "4 1  12 5 5 8 0  0", "slot 8 is not in the list of area 4"},
                      BadCase{"NegativeSlot", "5 1  12 5 5 -1 0  0", "slot -1"},
                      BadCase{"SlotInAreaWithout", "7 1  12 5 5 0 0  0", "area 7 (0 slots)"},
                      BadCase{"FarOff", "1 1  0 5 40000 0 0  0", "is off the floor"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST(EnvironmentFile, RefusesLinkedNodesAtOnePosition) {
  EnvironmentLayout layout;
  std::string error;
  // A waypoint on the spot where a table's node lies.
  ASSERT_TRUE(ParseEnvironment("1 2  1 30 200 2 1  0 76 204 0 0  1 1  1 0", layout, error)) << error;
  EXPECT_FALSE(CheckLinkedPositions(layout, TestSizes(), error));
  EXPECT_NE(error.find("record 0 and record 1"), std::string::npos) << error;
  // The same two unlinked are fine.
  ASSERT_TRUE(ParseEnvironment("1 2  1 30 200 2 1  0 76 204 0 0  0  0", layout, error)) << error;
  EXPECT_TRUE(CheckLinkedPositions(layout, TestSizes(), error)) << error;
}

}  // namespace
}  // namespace Plix
