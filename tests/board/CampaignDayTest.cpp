// The fifty days of the story, each on the profile the campaign leaves on
// the morning of that day: every day before it done, the flavours,
// toppings, holders and specials the level table has unlocked by then, the
// lessons of those days seen, and nothing bought in the store (the goal
// must be reachable without it). An idle player misses the day's goal and
// the scripted player reaches it; the profile file read back books each.
// One CTest entry per day, so that they run side by side.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/app/Buffer.h"
#include "game/app/GameApp.h"
#include "game/app/LevelTable.h"
#include "tests/board/DayPlaySupport.h"

namespace Plix {
namespace {

class CampaignDay : public Testing::DayPlay, public ::testing::WithParamInterface<int> {
protected:
  // Plays the day to its report and closes it; the day's takings.
  struct Day {
    int money = 0, tips = 0, goal = 0, expert = 0;
  };
  Day PlayAndClose(Testing::ScriptedPlayer& player, int day, unsigned seed) {
    Day result;
    Board& board = StartDay(-1, seed);
    EXPECT_EQ(board.GetDay(), day);
    if (!PlayToReport(player, mGame->GetLevel(day)->arrivalSpan + 900)) return result;
    result = {board.mMoney, board.mTips, board.mGoal, board.mExpertGoal};
    ExpectTidy(board, player);
    EXPECT_TRUE(PressContinue());
    return result;
  }
};

TEST_P(CampaignDay, TheScriptedPlayerReachesTheGoalAndAnIdlePlayerMissesIt) {
  const int day = GetParam();
  PrepareMorning(day);
  Buffer morning;
  Player().Save(morning);

  // Idle, with lessons off: nobody answers them.
  Player().SetShowTutorials(false);
  Testing::ScriptedPlayer idle(Widgets(), {.idle = true});
  const Day missed = PlayAndClose(idle, day, 1000 + day);
  if (HasFailure()) return;
  EXPECT_LT(missed.money, missed.goal);
  {
    auto stored = ReadBack();
    PlayerProfile* back = stored->GetProfile(0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetStoryDays(), day);
    EXPECT_EQ(back->GetLives(), 2);
  }

  // The same morning, lessons on, played.
  morning.Rewind();
  ASSERT_TRUE(Player().Load(morning));
  ASSERT_TRUE(Player().GetShowTutorials());
  Testing::ScriptedPlayer player(Widgets());
  const Day played = PlayAndClose(player, day, 2000 + day);
  if (HasFailure()) return;
  EXPECT_GE(played.money, played.goal);
  auto stored = ReadBack();
  PlayerProfile* back = stored->GetProfile(0);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetStoryDays(), day + 1);
  EXPECT_EQ(back->GetLevelScore(day), played.money);
  std::printf("day %d goal %d expert %d played %d (tips %d) idle %d clicks %d\n", day + 1, played.goal,
              played.expert, played.money, played.tips, missed.money, player.GetClicks());
}

INSTANTIATE_TEST_SUITE_P(Days, CampaignDay, ::testing::Range(0, 50), [](const ::testing::TestParamInfo<int>& info) {
  char name[16];
  std::snprintf(name, sizeof name, "Day%02d", info.param + 1);
  return std::string(name);
});

}  // namespace
}  // namespace Plix
