// Whole story days played by clicks only: day 1 from its first lesson to
// the report and "Continue", a day whose goal is missed, and a day left
// through the game menu; each time the profile file is read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/app/Buffer.h"
#include "game/app/GameApp.h"
#include "game/app/LevelTable.h"
#include "tests/board/DayPlaySupport.h"

namespace Plix {
namespace {

class WholeDay : public Testing::DayPlay {
protected:
  // What the day showed when its report opened.
  struct Takings {
    int money, tips, goal, expert;
  };
  Testing::ScriptedPlayer* mLastPlayer = nullptr;
  bool Logged(const std::string& entry) const { return std::find(mLog.begin(), mLog.end(), entry) != mLog.end(); }
  Takings AtReport(Board& board) {
    if (mLastPlayer) ExpectTidy(board, *mLastPlayer);
    return {board.mMoney, board.mTips, board.mGoal, board.mExpertGoal};
  }
};

// A fresh player's first day, lessons on: the first ice cream's lesson is
// played as it asks, the day's customers are served, the report's
// "Continue" books the day, and the profile file holds it.
TEST_F(WholeDay, DayOneIsPlayedByClicksToItsReportAndBookedByContinue) {
  ASSERT_TRUE(Player().GetShowTutorials());
  // Straws bought ahead: day 1 has none on the floor, so they are kept.
  Player().SetStrawStock(4);
  Board& board = StartDay(-1, 1234);
  ASSERT_EQ(board.GetDay(), 0);
  Testing::ScriptedPlayer player(Widgets());
  mLastPlayer = &player;
  ASSERT_TRUE(PlayToReport(player, 900));
  const Takings day = AtReport(board);
  EXPECT_GE(day.money, day.goal) << player.Describe(board);
  EXPECT_TRUE(Player().GetFlag(0));  // the first ice cream's lesson was played to its end
  EXPECT_GT(player.GetLessonClicks(), 0);

  ASSERT_TRUE(PressContinue());
  EXPECT_EQ(mGame->mBoard, nullptr);
  auto stored = ReadBack();
  PlayerProfile* back = stored->GetProfile(0);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetStoryDays(), 1);  // day 2 is due
  EXPECT_EQ(back->GetLevelTries(0), 1);
  EXPECT_EQ(back->GetLevelScore(0), day.money);
  EXPECT_EQ(back->GetTotalScore(), day.money);
  EXPECT_EQ(back->IsLevelDone(0), day.money >= day.expert);
  EXPECT_EQ(back->GetCash(), day.money - day.goal);
  EXPECT_EQ(back->GetLives(), 3);
  EXPECT_EQ(back->GetFlavorCount(), 1);
  EXPECT_TRUE(back->GetFlag(0));
  EXPECT_EQ(back->GetStrawStock(), 4);
  printf("day 1: money %d tips %d goal %d expert %d clicks %d\n", day.money, day.tips, day.goal, day.expert,
         player.GetClicks());
}

// Day 5 (straws on the floor) served for its first seconds only, lessons
// off: the goal is missed, a life goes, the day stays due and the straws
// used come back. Played again in full, the retry books the day: a second
// try, the better score counted once in the total, the cash, the straws
// left, and the life stays lost.
TEST_F(WholeDay, AMissedDayCostsALifeAndItsRetryBooksTheDay) {
  constexpr int kDay = 4;
  PrepareMorning(kDay);
  PlayerProfile& p = Player();
  p.SetShowTutorials(false);
  p.SetStrawStock(6);
  p.AddCash(30);
  p.SetTotalScore(500);
  ASSERT_EQ(p.GetLives(), 3);
  ASSERT_TRUE(mGame->SaveProfiles());

  Testing::ScriptedPlayer early(Widgets(), {.servesUntil = 25});
  Board& first = StartDay(-1, 77);
  ASSERT_EQ(first.GetDay(), kDay);
  ASSERT_TRUE(PlayToReport(early, mGame->GetLevel(kDay)->arrivalSpan + 900));
  const int missed = first.mMoney;
  ASSERT_GT(missed, 0);  // something was sold: the score is booked
  ASSERT_LT(missed, first.mGoal);
  ASSERT_LT(first.GetStrawStock(), 6);  // the straws did go into ice creams
  ASSERT_TRUE(PressContinue());
  {
    auto stored = ReadBack();
    PlayerProfile* back = stored->GetProfile(0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetStoryDays(), kDay);  // the same day is due again
    EXPECT_EQ(back->GetLives(), 2);
    EXPECT_EQ(back->GetLevelTries(kDay), 1);
    EXPECT_EQ(back->GetLevelScore(kDay), missed);
    EXPECT_FALSE(back->IsLevelDone(kDay));
    EXPECT_EQ(back->GetTotalScore(), 500 + missed);
    EXPECT_EQ(back->GetCash(), 30);
    EXPECT_EQ(back->GetStrawStock(), 6);
    EXPECT_EQ(back->GetHintCounter(0), 1);
  }
  EXPECT_TRUE(Logged("create Map(0,0,4)")) << testing::PrintToString(mLog);

  Testing::ScriptedPlayer player(Widgets());
  Board& retry = StartDay(-1, 78);
  ASSERT_EQ(retry.GetDay(), kDay);
  ASSERT_TRUE(PlayToReport(player, mGame->GetLevel(kDay)->arrivalSpan + 900));
  const int money = retry.mMoney, goal = retry.mGoal, expert = retry.mExpertGoal;
  const int straws = retry.GetStrawStock();
  ASSERT_GE(money, goal) << player.Describe(retry);
  ASSERT_GT(money, missed);
  ASSERT_TRUE(PressContinue());
  auto stored = ReadBack();
  PlayerProfile* back = stored->GetProfile(0);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetStoryDays(), kDay + 1);
  EXPECT_EQ(back->GetLives(), 2);
  EXPECT_EQ(back->GetLevelTries(kDay), 2);
  EXPECT_EQ(back->GetLevelScore(kDay), money);
  EXPECT_EQ(back->IsLevelDone(kDay), money >= expert);
  EXPECT_EQ(back->GetTotalScore(), 500 + money);  // the better try replaces the first
  EXPECT_EQ(back->GetCash(), 30 + money - goal);
  EXPECT_EQ(back->GetStrawStock(), straws);
}

// Day 6 played for a while, straws used, then left through the day's menu
// button and the game menu's leave button: nothing of the day is booked in
// the profile file, not even the straws it used.
TEST_F(WholeDay, ADayLeftThroughTheGameMenuBooksNothing) {
  constexpr int kDay = 5;
  PrepareMorning(kDay);
  PlayerProfile& p = Player();
  p.SetShowTutorials(false);
  p.AddCash(12);
  p.SetTotalScore(200);
  p.SetStrawStock(3);
  ASSERT_TRUE(mGame->SaveProfiles());
  const int song = p.GetSongIndex();

  Testing::ScriptedPlayer player(Widgets());
  Board& board = StartDay(-1, 99);
  ASSERT_EQ(board.GetDay(), kDay);
  ASSERT_TRUE(PlayUntilSecond(player, 90));
  ASSERT_GT(board.mMoney, 0);
  ASSERT_LT(board.GetStrawStock(), 3);
  ASSERT_TRUE(QuitThroughMenu());
  EXPECT_TRUE(Logged("create Map(0,0,5)")) << testing::PrintToString(mLog);  // back on the map, no award

  auto stored = ReadBack();
  PlayerProfile* back = stored->GetProfile(0);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetStoryDays(), kDay);
  EXPECT_EQ(back->GetLives(), 3);
  EXPECT_EQ(back->GetLevelScore(kDay), 0);
  EXPECT_EQ(back->GetTotalScore(), 200);
  EXPECT_EQ(back->GetCash(), 12);
  EXPECT_EQ(back->GetLevelTries(kDay), 0);
  EXPECT_FALSE(back->IsLevelDone(kDay));
  EXPECT_EQ(back->GetStrawStock(), 3);
  EXPECT_EQ(back->GetSongIndex(), song);
  EXPECT_EQ(back->GetHintCounter(0), 0);
  // What the day did keep (trophy progress counted as it happened) is in
  // the file as in the game: the file holds the whole profile.
  Buffer now, after;
  p.Save(now);
  back->Save(after);
  ASSERT_EQ(after.GetDataLen(), now.GetDataLen());
  EXPECT_EQ(std::memcmp(after.GetDataPtr(), now.GetDataPtr(), now.GetDataLen()), 0);
}

}  // namespace
}  // namespace Plix
