// The floor a board builds from an environment file, and what it does with
// one it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/app/Buffer.h"
#include "framework/graphics/DDImage.h"
#include "framework/platform/Files.h"
#include "framework/util/Utilities.h"
#include "framework/resources/ResourceManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Uncle.h"
#include "game/characters/Monkey.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

// Every kind once, in the park: the three table sizes (the one-seat table
// mirrored), an empty slot, the stations, the two places and decorations of
// each drawing mode.
const char* kEveryKind =
    "1 16\n"
    "0 100 200 0 0\n"   // 0 waypoint
    "1 30 200 4 0\n"    // 1 four seats, node below
    "1 190 150 2 1\n"   // 2 two seats, node above
    "1 370 150 1 3\n"   // 3 one seat, mirrored, node below
    "2 0 0 0 0\n"       // 4 empty
    "3 612 372 0 0\n"   // 5 counter
    "4 690 52 0 0\n"    // 6 trash station
    "5 16 92 0 0\n"     // 7 napkins
    "6 752 330 0 0\n"   // 8 lemonade
    "7 40 336 0 0\n"    // 9 cookies
    "10 700 366 0 0\n"  // 10 monkey's place
    "11 560 110 0 0\n"  // 11 uncle's place
    "12 640 250 2 0\n"  // 12 mushroom: sorted
    "12 560 300 0 0\n"  // 13 roses: painted
    "12 700 60 8 0\n"   // 14 tree: overlay
    "12 560 40 7 0\n"   // 15 fountain: animated, on a waypoint
    "2 1 5\n1 0\n0\n0\n0\n1 0\n0\n0\n0\n0\n1 5\n0\n0\n0\n0\n0\n";

class BoardEnvironment : public BoardFixture {
protected:
  std::string WriteFloor(const std::string& name, const std::string& text) {
    const std::string path = mDir / name;
    Testing::WriteFile(path, text);
    return path;
  }
  bool Logged(const std::string& line) const {
    for (const std::string& l : mLog)
      if (l == line) return true;
    return false;
  }
  // Boxes whose text starts with the line: the refused floor's box says
  // which file and why below it.
  int Boxes(const std::wstring& text) const {
    int n = 0;
    for (const auto& box : mBackend.mBoxes)
      if (box.text.rfind(text, 0) == 0) ++n;
    return n;
  }
  std::wstring LastBox() const { return mBackend.mBoxes.empty() ? L"" : mBackend.mBoxes.back().text; }
};

TEST_F(BoardEnvironment, EveryRecordKindOnASmallFixture) {
  Board board(*mGame, 0, 0);
  ASSERT_TRUE(board.LoadEnvironment(WriteFloor("every.len", kEveryKind).c_str()));
  EXPECT_EQ(Boxes(L"Could not load environment!"), 0);
  EXPECT_EQ(board.mArea, 1);
  EXPECT_FLOAT_EQ(board.mPatienceFactor, 1.1f);
  ASSERT_NE(board.mBackImage, nullptr);
  EXPECT_EQ(board.mBackImage->GetWidth(), 800);
  EXPECT_EQ(board.mBackImage->GetHeight(), 566);
  EXPECT_EQ(board.mAreaBackground, IMAGE_BACKGROUND_1);

  // Nodes: one per record but the empty slot, placed by the pictures.
  BarMovementNode* const* nodes = board.mWalkNodes;
  EXPECT_EQ(nodes[4], nullptr);
  const int w4 = IMAGE_TABLE_4->GetCellWidth(), h4 = IMAGE_TABLE_4->GetCellHeight();
  const int w2 = IMAGE_TABLE_2->GetCellWidth();
  const int w1 = IMAGE_TABLE_1->GetCellWidth(), h1 = IMAGE_TABLE_1->GetCellHeight();
  struct Node {
    int index, kind;
    float x, y;
  };
  const Node expected[] = {
      {0, 0, 100, 200},
      {1, 1, 30.0f + w4 / 2, 200.0f + h4 + 16},
      {2, 1, 190.0f + w2 / 2, 154},
      {3, 1, 370.0f + w1 / 2, 150.0f + h1 + 16},
      {5, 3, 612, 372},
      {6, 4, 690.0f + IMAGE_TRASH_STATION->GetCellWidth() / 2, 52.0f + IMAGE_TRASH_STATION->GetCellHeight() + 8},
      {7, 5, 16.0f + IMAGE_SPECIAL_TABLE->GetWidth() / 2, 92.0f + IMAGE_SPECIAL_TABLE->GetHeight() + 8},
      {8, 6, 752, 330},
      {9, 7, 40, 336},
      {10, 10, 700, 366},
      {11, 11, 0, 0},
      {12, 12, 640, 250},
      {15, 0, 560, 40},
  };
  for (const Node& n : expected) {
    ASSERT_NE(nodes[n.index], nullptr) << n.index;
    EXPECT_EQ(nodes[n.index]->GetKind(), n.kind) << n.index;
    EXPECT_FLOAT_EQ(nodes[n.index]->GetX(), n.x) << n.index;
    EXPECT_FLOAT_EQ(nodes[n.index]->GetY(), n.y) << n.index;
  }
  // Links as written, one way each.
  ASSERT_EQ(nodes[0]->GetLinks().GetCount(), 2);
  EXPECT_EQ(nodes[0]->GetLinks().GetAt(0), nodes[1]);
  EXPECT_EQ(nodes[0]->GetLinks().GetAt(1), nodes[5]);
  EXPECT_EQ(nodes[10]->GetLinks().GetAt(0), nodes[5]);
  EXPECT_EQ(nodes[2]->GetLinks().GetCount(), 0);

  // Tables in file order, the one-seat table mirrored, each on its node.
  ASSERT_EQ(board.mTables.GetCount(), 3);
  auto* t4 = static_cast<Table*>(board.mTables.GetAt(0));
  auto* t1 = static_cast<Table*>(board.mTables.GetAt(2));
  EXPECT_EQ(t4->GetKind(), 4);
  EXPECT_EQ(t4->GetX(), 30);
  EXPECT_EQ(t4->GetY(), 200);
  EXPECT_FALSE(t4->IsMirrored());
  EXPECT_EQ(t1->GetKind(), 1);
  EXPECT_TRUE(t1->IsMirrored());
  EXPECT_EQ(nodes[1]->GetObject(), t4);

  // Stations placed by their records.
  EXPECT_EQ(board.mTrashStationX, 690 + 28);
  EXPECT_EQ(board.mTrashStationY, 52 + 24);
  EXPECT_EQ(board.mTrashStationButton->GetX(), 690);
  EXPECT_EQ(board.mNapkinsButton->GetX(), static_cast<int>(nodes[7]->GetX()) - IMAGE_NAPKINS->GetCellWidth() / 2);
  EXPECT_EQ(board.mNapkinsButton->GetY(), static_cast<int>(nodes[7]->GetY()) - IMAGE_NAPKINS->GetHeight() - 90);
  EXPECT_EQ(board.mCookiesButton->GetY(), 336 - IMAGE_COOKIES->GetCellHeight() - 68);
  EXPECT_EQ(board.mLemonadeButtons[2]->GetY(), 330 - IMAGE_BOTTLE_2->GetCellHeight() - 68);
  EXPECT_EQ(board.mUncle->GetLeft(), 560);
  EXPECT_EQ(board.mUncle->GetTop(), 110);
  EXPECT_EQ(board.mMonkey->GetNode(), nodes[10]);

  // Decorations by their drawing mode.
  EXPECT_EQ(nodes[12]->GetObject(), IMAGE_BG1_MUSHROOM_1);
  EXPECT_EQ(nodes[13]->GetObject(), IMAGE_BG1_ROSES_1);
  EXPECT_EQ(board.mOverlayCount, 1);
  EXPECT_EQ(board.mOverlayDecorations[0], nodes[14]);
  auto onDrawList = [&](void* object) {
    ObjectListIterator it;
    for (it.Begin(board.mDrawList); !it.AtEnd(); it.Next())
      if (it.Get() == object) return true;
    return false;
  };
  EXPECT_TRUE(onDrawList(nodes[12]));
  EXPECT_FALSE(onDrawList(nodes[13]));
  EXPECT_FALSE(onDrawList(nodes[14]));
  EXPECT_TRUE(onDrawList(t4));
  EXPECT_TRUE(onDrawList(board.mTrashStationButton.get()));
  EXPECT_TRUE(onDrawList(board.mUncle.get()));
}

TEST_F(BoardEnvironment, SixteenthOverlayIsDropped) {
  std::string text = "1 16\n";
  for (int i = 0; i < 16; ++i) text += "12 " + std::to_string(10 * i) + " 60 8 0\n";
  for (int i = 0; i < 16; ++i) text += "0\n";
  Board board(*mGame, 1, 0);
  ASSERT_TRUE(board.LoadEnvironment(WriteFloor("trees.len", text).c_str()));
  EXPECT_EQ(board.mOverlayCount, 15);
  EXPECT_NE(board.mWalkNodes[15], nullptr);
}

TEST_F(BoardEnvironment, AreaTwoPatienceFollowsTheDay) {
  const std::string path = WriteFloor("zoo.len", "2 1 0 5 5 0 0 0");
  Board early(*mGame, 0, 9);
  ASSERT_TRUE(early.LoadEnvironment(path.c_str()));
  EXPECT_FLOAT_EQ(early.mPatienceFactor, 1.05f);
  Board later(*mGame, 0, 10);
  ASSERT_TRUE(later.LoadEnvironment(path.c_str()));
  EXPECT_FLOAT_EQ(later.mPatienceFactor, 1.0f);
}

TEST_F(BoardEnvironment, AnotherAreaFreesTheLastOne) {
  ResourceManager& resources = *mGame->mAppResources;
  Board park(*mGame, 1, 0);
  ASSERT_TRUE(park.LoadEnvironment(WriteFloor("park.len", "1 0").c_str()));
  EXPECT_TRUE(resources.IsGroupReady("Area1"));
  Board ruins(*mGame, 1, 0);
  ASSERT_TRUE(ruins.LoadEnvironment(WriteFloor("ruins.len", "3 0").c_str()));
  EXPECT_FALSE(resources.IsGroupReady("Area1"));
  EXPECT_TRUE(resources.IsGroupReady("Area3"));
  EXPECT_EQ(ruins.mAreaImages[8], IMAGE_BG3_TEMPLE);
}

TEST_F(BoardEnvironment, TablesDressedFromThePlayersPurchases) {
  // Day 40: every stock counts. Flowers 3 for two tables, then flowers 2
  // for the third; cloth 2 for all; sunshade 2 for the first two.
  Player().SetFlower(2, 2);
  Player().SetFlower(1, 5);
  Player().SetTableCloth(1, 5);
  Player().SetSunshade(1, 2);
  Board board(*mGame, 0, 39);
  const std::string text = "1 3  1 300 150 1 0  1 30 200 4 0  1 190 150 2 1  0 0 0";
  ASSERT_TRUE(board.LoadEnvironment(WriteFloor("dressed.len", text).c_str()));
  auto table = [&](int i) { return static_cast<Table*>(board.mTables.GetAt(i)); };
  // The four-seat table is dressed first, then the two-seat, then the one.
  EXPECT_EQ(table(1)->GetFlowerLevel(), 3);
  EXPECT_EQ(table(2)->GetFlowerLevel(), 3);
  EXPECT_EQ(table(0)->GetFlowerLevel(), 2);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(table(i)->GetClothLevel(), 2) << i;
  EXPECT_EQ(table(0)->GetSunshadeLevel(), 2);
  EXPECT_EQ(table(1)->GetSunshadeLevel(), 2);
  EXPECT_EQ(table(2)->GetSunshadeLevel(), 0);
  EXPECT_EQ(board.mPendingTrophy2Grade, board.mReplay ? 0 : 2);
}

TEST_F(BoardEnvironment, HappyHourTablesStayBare) {
  Player().SetFlower(0, 5);
  Player().SetTableCloth(0, 5);
  Board board(*mGame, 2, 20);
  ASSERT_TRUE(board.LoadEnvironment(WriteFloor("bare.len", "1 1  1 30 200 4 0  0").c_str()));
  auto* t = static_cast<Table*>(board.mTables.GetAt(0));
  EXPECT_EQ(t->GetFlowerLevel(), 0);
  EXPECT_EQ(t->GetClothLevel(), 0);
  EXPECT_EQ(board.mPendingTrophy2Grade, 0);
}

struct BrokenFloor {
  const char* name;
  std::string text;
};

class BoardRefusesFloor : public BoardEnvironment, public ::testing::WithParamInterface<BrokenFloor> {};

TEST_P(BoardRefusesFloor, WithThePopupAndNothingBuilt) {
  Board board(*mGame, 0, 0);
  std::string path = GetParam().text.empty() ? mDir / "absent.len" : WriteFloor("broken.len", GetParam().text);
  EXPECT_FALSE(board.LoadEnvironment(path.c_str()));
  EXPECT_EQ(Boxes(L"Could not load environment!"), 1);
  // The file and what is wrong with it, below the game's words.
  const std::string box = WStringToString(LastBox());
  EXPECT_NE(box.find("Could not load environment!\n\n" + Fs::NativePath(path) + ": "), std::string::npos) << box;
  EXPECT_GT(box.size(), ("Could not load environment!\n\n" + Fs::NativePath(path) + ": ").size()) << box;
  EXPECT_TRUE(board.IsFloorMissing());
  EXPECT_EQ(board.mTables.GetCount(), 0);
  EXPECT_EQ(board.mWalkNodes[0], nullptr);
  EXPECT_EQ(board.mBackImage, nullptr);
  EXPECT_EQ(board.mArea, 0);
}

std::string SixtyFiveRecords() {
  std::string text = "1 65\n";
  for (int i = 0; i < 65; ++i) text += "0 " + std::to_string(i * 10) + " 0 0 0\n";
  for (int i = 0; i < 65; ++i) text += "0\n";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Floors, BoardRefusesFloor,
    ::testing::Values(BrokenFloor{"Absent", ""}, BrokenFloor{"SixtyFiveRecords", SixtyFiveRecords()},
                      BrokenFloor{"LinkToMissingRecord", "1 2  0 5 5 0 0  0 9 9 0 0  1 7  0"},
                      BrokenFloor{"LinkOnEmptySlot", "1 2  0 5 5 0 0  2 9 9 0 0  0  1 0"},
                      BrokenFloor{"DecorationSlotOutOfRange", "1 1  12 5 5 10 0  0"},
                      BrokenFloor{"TableOfThree", "1 1  1 5 5 3 0  0"},
                      BrokenFloor{"Short", "1 3  0 5 5 0 0  0 9"},
                      BrokenFloor{"LinkedNodesAtOneSpot", "1 2  0 5 5 0 0  0 5 5 0 0  1 1  1 0"}),
    [](const ::testing::TestParamInfo<BrokenFloor>& info) { return std::string(info.param.name); });

std::vector<uint8_t> ProfileBytes(const PlayerProfile& profile) {
  Buffer buffer;
  profile.Save(buffer);
  return std::vector<uint8_t>(buffer.GetDataPtr(), buffer.GetDataPtr() + buffer.GetDataLen());
}

// Boards whose floor the reader refused before they were shown, as a
// set-up that loads a broken floor leaves them.
class BrokenFloorScreens : public Testing::BoardScreens {
public:
  BrokenFloorScreens(GameApp& app, std::vector<std::string>& log, std::string floor)
      : BoardScreens(app, log), mFloor(std::move(floor)) {}
  GameScreen* CreateBoard(int mode, int day) override {
    auto* board = static_cast<Board*>(BoardScreens::CreateBoard(mode, day));
    board->LoadEnvironment(mFloor.c_str());
    return board;
  }

private:
  std::string mFloor;
};

TEST_F(BoardEnvironment, RefusedFloorEndsTheDayAndKeepsTheProfile) {
  mScreens = std::make_unique<BrokenFloorScreens>(*mGame, mLog, WriteFloor("broken.len", "1 2  0 5 5 0 0"));
  mGame->SetScreenFactory(mScreens.get());
  Player().AddCash(120);
  Player().SetFlag(66, false);
  const std::vector<uint8_t> before = ProfileBytes(Player());
  Open(0, 0);
  EXPECT_EQ(Boxes(L"Could not load environment!"), 1);
  ASSERT_TRUE(RunUntilBoardLeaves());
  ASSERT_FALSE(mLog.empty());
  EXPECT_TRUE(Logged("create Map(0,0,0)"));
  // The board's construction marks the board as seen (flag 66); nothing
  // else of the profile moves.
  Player().SetFlag(66, false);
  EXPECT_EQ(ProfileBytes(Player()), before);
}

TEST_F(BoardEnvironment, RefusedHappyHourFloorGoesBackToTheMenu) {
  mScreens = std::make_unique<BrokenFloorScreens>(*mGame, mLog, mDir / "absent.len");
  mGame->SetScreenFactory(mScreens.get());
  Open(2);
  EXPECT_EQ(Boxes(L"Could not load environment!"), 1);
  ASSERT_TRUE(RunUntilBoardLeaves());
  EXPECT_TRUE(Logged("create MainMenu()"));
}

}  // namespace
}  // namespace Plix
