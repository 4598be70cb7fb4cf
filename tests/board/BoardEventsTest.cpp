// The napkin and trash hints: counted requests, the triggers a lesson
// starts from, and their re-arming at most once a day and twice a player.
#include <gtest/gtest.h>

#include "game/board/ArrivalSchedule.h"
#include "game/board/Table.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

TEST_F(BoardFixture, NapkinRequestsAndTheirHint) {
  struct Case {
    bool tutorials;
    int daysDone;
    bool tableSet;  // after the first request
    int needsAfterRearm;
    bool rearmed;
  } cases[] = {
      {false, 2, false, 1, false},  // tutorials off: marked seen, never re-armed
      {true, 2, true, 2, true},     // a re-armed hint counts the same request again
      {true, 7, true, 1, false},    // day 8: too late to re-arm
  };
  for (const Case& c : cases) {
    Player().SetShowTutorials(c.tutorials);
    Player().SetStoryDays(c.daysDone);
    Player().SetHintCounter(2, 0);
    Player().SetFlag(17, false);
    Board board(*mGame, 0, -1);
    Table table(&board, 2);
    board.OnNapkinsNeeded(&table);
    EXPECT_EQ(board.mNapkinNeeds, 1);
    EXPECT_EQ(board.mNapkinTutorialTable == &table, c.tableSet);
    EXPECT_EQ(Player().GetFlag(17), !c.tutorials);
    board.mNapkinTutorialTable = nullptr;  // the lesson has run
    board.RearmNapkinHint(&table);
    board.RearmNapkinHint(&table);  // once a day
    EXPECT_EQ(board.mNapkinNeeds, c.needsAfterRearm) << c.daysDone;
    EXPECT_EQ(Player().GetHintCounter(2), c.rearmed ? 1 : 0);
    EXPECT_EQ(board.mNapkinHintRearmedToday, c.rearmed);
  }
  // At most twice per player.
  Player().SetHintCounter(2, 2);
  Board board(*mGame, 0, -1);
  Table table(&board, 1);
  board.RearmNapkinHint(&table);
  EXPECT_EQ(board.mNapkinNeeds, 0);
}

TEST_F(BoardFixture, TrashHintOnlyWhileTheDayRuns) {
  Player().SetShowTutorials(true);
  Player().SetStoryDays(3);
  Board board(*mGame, 0, -1);
  Table table(&board, 4);
  board.SetTrashTutorialTable(&table);  // no schedule: the day is not running
  EXPECT_EQ(board.mTrashTutorialTable, nullptr);
  board.mArrivalSchedule = std::make_unique<ArrivalSchedule>();
  board.mArrivalSchedule->AddOrder(ArrivalOrder());
  board.mArrivalSchedule->SpreadOverDay(300);
  board.SetTrashTutorialTable(&table);
  EXPECT_EQ(board.mTrashTutorialTable, &table);
  board.mTrashTutorialTable = nullptr;
  Player().SetFlag(16, true);
  board.RearmTrashHint(&table);
  EXPECT_FALSE(Player().GetFlag(16));
  EXPECT_EQ(board.mTrashTutorialTable, &table);
  EXPECT_EQ(Player().GetHintCounter(1), 1);
  EXPECT_TRUE(board.mTrashHintRearmedToday);
}

}  // namespace
}  // namespace Plix
