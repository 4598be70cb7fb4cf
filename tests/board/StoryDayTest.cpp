// A story day from its set-up to its end: what the level record and the
// profile put on the floor, the lessons offered, the closed sign and the
// goal banners, the machine's timer, and the day's end with its trash and
// napkin trophies.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/app/LevelTable.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/StationButtons.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

// Counts the day's reports the board asks for; none is made, so the board
// stays paused under where it would be.
class ReportCountingScreens : public Testing::BoardScreens {
public:
  using BoardScreens::BoardScreens;
  Dialog* CreateLevelCompleteDialog(GameScreen*, int, int, int, int, int) override {
    ++mReports;
    return nullptr;
  }
  int mReports = 0;
};

class StoryDay : public Testing::BoardFixture {
protected:
  void SetUp() override {
    BoardFixture::SetUp();
    auto screens = std::make_unique<ReportCountingScreens>(*mGame, mLog);
    mReports = screens.get();
    mScreens = std::move(screens);
    mGame->SetScreenFactory(mScreens.get());
  }
  // A day of a player who has finished `daysDone` days; -1 plays the day
  // due. The day before is taken off the screen first.
  Board& Day(int daysDone, int day = -1) {
    Close();
    Player().SetStoryDays(daysDone);
    return Open(0, day);
  }
  void Close() {
    if (GameScreen* board = mGame->mBoard) {
      mGame->mAppWidgets->RemoveWidget(board);
      delete board;
      mGame->mBoard = nullptr;
    }
  }
  std::vector<int> Queued(Board& board) {
    std::vector<int> ids;
    ObjectListIterator it;
    for (it.Begin(board.mQueuedTutorials); !it.AtEnd(); it.Next()) ids.push_back(static_cast<Tutorial*>(it.Get())->GetId());
    return ids;
  }
  // The timetable is used up at once and nobody comes: the day can end.
  static void EmptyDay(Board& board) { board.mArrivalSchedule = std::make_unique<ArrivalSchedule>(); }

  ReportCountingScreens* mReports = nullptr;
};

TEST_F(StoryDay, TheFirstDayOffersItsLessonsOrMarksThemSeen) {
  // A new player has seen the retry and speed-button lessons.
  Board* board = &Day(0);
  EXPECT_EQ(Queued(*board), std::vector<int>{0});

  Player().SetFlag(2, false);
  Player().SetFlag(31, false);
  board = &Day(0);
  EXPECT_EQ(Queued(*board), (std::vector<int>{31, 0, 2}));

  Player().SetShowTutorials(false);
  Player().SetFlag(0, false);
  board = &Day(0);
  EXPECT_TRUE(Queued(*board).empty());
  EXPECT_TRUE(Player().GetFlag(0));
  EXPECT_TRUE(Player().GetFlag(2));
  EXPECT_TRUE(Player().GetFlag(31));
}

TEST_F(StoryDay, AReplayShowsTheDaysOwnFlavours) {
  int day = -1;
  for (int i = 0; i < mGame->GetLevelCount() && day < 0; ++i)
    if (mGame->GetLevel(i)->flavorCount == 4) day = i;
  ASSERT_GE(day, 0) << "no day with four flavours";
  Player().SetFlavorCount(6);
  Board& board = Day(day + 3, day);
  ASSERT_TRUE(board.mReplay);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(board.mFlavorButtons[i]->IsVisible(), i < 3);  // strawberry, chocolate, pear
    EXPECT_TRUE(board.mFlavorButtons[i]->IsDisabled());
  }
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(board.mIceCreamBoxes[i].mFlavor, i < 4 ? kItemVanilla + i : 0);
    EXPECT_EQ(board.mIceCreamBoxButtons[i]->IsVisible(), i < 4);
  }
}

TEST_F(StoryDay, TheDaysCustomersAreSharedOutByWeightWithTheRestOnTheFirstKind) {
  LevelRecord& level = *mGame->GetLevel(0);
  level.customerCount = 10;
  for (int& w : level.kindWeights) w = 0;
  level.kindWeights[0] = level.kindWeights[1] = level.kindWeights[2] = 1;
  level.groupCounts[0] = 2;  // two alone, two pairs and one of four
  level.groupCounts[1] = 2;
  level.groupCounts[2] = 0;
  level.groupCounts[3] = 1;
  level.memberValueWeights[0] = 1;
  level.memberValueWeights[1] = 1;
  level.memberValueWeights[2] = level.memberValueWeights[3] = 0;
  Board& board = Day(0);
  int kinds[7] = {};
  int values[5] = {};
  std::vector<int> groups;
  ObjectListIterator it;
  for (it.Begin(board.mArrivalSchedule->GetOrders()); !it.AtEnd(); it.Next()) {
    const auto* order = static_cast<const ArrivalOrder*>(it.Get());
    groups.push_back(order->GetGroupCode());
    for (int m = 0; m <= order->GetGroupCode(); ++m) {
      ++kinds[order->GetMemberKind(m)];
      ++values[order->GetMemberValue(m)];
    }
  }
  EXPECT_EQ(groups.size(), 5u);
  EXPECT_EQ(kinds[0], 4);
  EXPECT_EQ(kinds[1], 3);
  EXPECT_EQ(kinds[2], 3);
  EXPECT_EQ(values[1], 5);
  EXPECT_EQ(values[2], 5);
}

TEST_F(StoryDay, BoughtStocksComeOnTheFloorOnlyFromTheirDay) {
  PlayerProfile& p = Player();
  p.SetUmbrellaStock(4);
  p.SetCocktailStickStock(4);
  p.SetStrawStock(4);
  p.SetSparklerStock(4);
  for (int i = 0; i < 3; ++i) {
    p.SetCookieBox(i, 2);
    p.SetLemonade(i, 2);
  }
  p.SetShowTutorials(false);
  const struct {
    int day;  // counted from 1
    bool straws, sticks, umbrellas, sparklers;
    bool cookies[3], lemonades[3];
  } cases[] = {
      {3, false, false, false, false, {false, false, false}, {false, false, false}},
      {4, true, false, false, false, {true, false, false}, {false, false, false}},
      {10, true, true, false, false, {true, false, false}, {true, false, false}},
      {20, true, true, true, false, {true, true, false}, {true, false, false}},
      {35, true, true, true, true, {true, true, true}, {true, true, false}},
      {41, true, true, true, true, {true, true, true}, {true, true, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.day);
    Board& board = Day(c.day - 1);
    EXPECT_EQ(board.mStraws != 0, c.straws);
    EXPECT_EQ(board.mCocktailSticks != 0, c.sticks);
    EXPECT_EQ(board.mUmbrellas != 0, c.umbrellas);
    EXPECT_EQ(board.mSparklers != 0, c.sparklers);
    EXPECT_EQ(board.mSparklerButton->IsVisible(), c.sparklers);  // an empty mug is put away
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(board.mCookies[i] != 0, c.cookies[i]) << "cookies " << i;
      EXPECT_EQ(board.mLemonades[i] != 0, c.lemonades[i]) << "lemonade " << i;
    }
  }
}

TEST_F(StoryDay, BatchSizeAndTheSavingsTrophyFollowTheDayAndTheCash) {
  Player().SetShowTutorials(false);
  Player().SetBatchSize(16);
  const struct {
    int day;
    int batch;
  } batches[] = {{1, 12}, {10, 12}, {11, 14}, {37, 14}, {38, 16}};
  for (const auto& c : batches) {
    SCOPED_TRACE(c.day);
    EXPECT_EQ(Day(c.day - 1).GetIceCreamBatchSize(), c.batch);
  }
  const struct {
    int cash, won, pending;
  } savings[] = {{149, 0, 0}, {150, 0, 1}, {219, 0, 1}, {220, 0, 2}, {350, 0, 3}, {350, 3, 0}, {220, 1, 2}};
  for (const auto& c : savings) {
    SCOPED_TRACE(c.cash);
    Player().SpendCash(Player().GetCash());
    Player().AddCash(c.cash);
    Player().SetTrophyGrade(6, c.won);
    EXPECT_EQ(Day(5).mPendingTrophy6Grade, c.pending);
  }
}

TEST_F(StoryDay, TheClosedSignSlidesInOnceTheTimetableIsUsedUp) {
  Testing::DistinctSoundIds ids{&SOUND_BAR_CLOSED};
  Player().SetShowTutorials(false);
  Board& board = Day(0);
  board.mSecondTicks = 1;  // no arrivals in between
  EXPECT_EQ(board.mClosedSignPos, 800);
  board.UpdateStoryLogic();
  EXPECT_EQ(board.mClosedSignPos, 800);  // the day runs
  EmptyDay(board);
  mGame->mSounds.clear();
  for (int i = 0; i < 100; ++i) board.UpdateStoryLogic();
  EXPECT_EQ(board.mClosedSignPos, 722);
  EXPECT_EQ(mGame->CountSound(SOUND_BAR_CLOSED), 1);
}

TEST_F(StoryDay, TheExpertBannerFollowsTheGoalBannerOnceItIsGone) {
  Player().SetShowTutorials(false);
  Board& board = Day(0);
  board.mSecondTicks = 1;  // no arrivals in between
  board.AddMoney(board.mExpertGoal);
  EXPECT_EQ(board.mGoalBanner.mState, 1);
  EXPECT_EQ(board.mExpertBanner.mState, 0);  // not while the goal's shows
  int ticks = 0;
  for (; ticks < 1000 && board.mGoalBanner.mState != 4; ++ticks) board.UpdateStoryLogic();
  EXPECT_EQ(board.mGoalBanner.mState, 4);
  EXPECT_EQ(board.mGoalBanner.mScale, 1.0f);
  EXPECT_EQ(board.mExpertBanner.mState, 1);  // on the very tick it went
  for (ticks = 0; ticks < 1000 && board.mExpertBanner.mState != 4; ++ticks) board.UpdateStoryLogic();
  EXPECT_EQ(board.mExpertBanner.mState, 4);
  EXPECT_EQ(board.mExpertBanner.mAlpha, 0);
}

TEST_F(StoryDay, TheMachineRingsWhenItsRunIsOverAndItsLampBlinks) {
  Testing::DistinctSoundIds ids{&SOUND_ICM_READY};
  Player().SetShowTutorials(false);
  Board& board = Day(0);
  board.mMachineState = 2;
  board.mMachineTicksLeft = 3;
  mGame->mSounds.clear();
  board.UpdateIceCreamMachine();
  board.UpdateIceCreamMachine();
  EXPECT_EQ(board.mMachineState, 2);
  board.UpdateIceCreamMachine();
  EXPECT_EQ(board.mMachineState, 3);
  EXPECT_EQ(mGame->CountSound(SOUND_ICM_READY), 1);
  std::vector<int> lamp;
  for (int i = 0; i < 70; ++i) {
    board.UpdateIceCreamMachine();
    lamp.push_back(board.mMachineLampAlpha);
  }
  EXPECT_EQ(lamp[0], 8);
  EXPECT_EQ(lamp[31], 255);  // up in steps of 8, held at the top
  EXPECT_EQ(lamp[32], 247);  // then down again
  EXPECT_EQ(lamp[63], 0);
  EXPECT_EQ(lamp[64], 8);
}

TEST_F(StoryDay, TheDayEndsOnlyOnceEverythingHasSettled) {
  Player().SetShowTutorials(false);
  Board& board = Day(4, 1);  // a replay: no trophies to hand over
  EmptyDay(board);
  const struct {
    const char* what;
    std::function<void()> hold, release;
  } holds[] = {
      {"between seconds", [&] { board.mSecondTicks = 50; }, [&] { board.mSecondTicks = 0; }},
      {"goal banner", [&] { board.mGoalBanner.mState = 2; }, [&] { board.mGoalBanner.mState = 4; }},
      {"expert banner", [&] { board.mExpertBanner.mState = 3; }, [&] { board.mExpertBanner.mState = 0; }},
      {"money counting", [&] { board.mMoney = 5; }, [&] { board.mShownMoney = 5; }},
  };
  for (const auto& h : holds) {
    SCOPED_TRACE(h.what);
    h.hold();
    board.CheckDayEnd();
    EXPECT_EQ(mReports->mReports, 0);
    EXPECT_FALSE(board.IsPaused());
    h.release();
  }
  board.CheckDayEnd();
  EXPECT_EQ(mReports->mReports, 1);
  EXPECT_TRUE(board.IsPaused());
  EXPECT_TRUE(board.GetMenuButton()->IsDisabled());
}

// A clean trash can and few napkins on the same day: the trash can's award
// comes first, the napkins' on a later pass, the report after both; each
// trophy's counters move once, however many passes the visits take.
TEST_F(StoryDay, TheTrashAndNapkinTrophiesAreCountedOnceAndHandedOverInTurn) {
  for (bool replay : {false, true}) {
    SCOPED_TRACE(replay);
    mReports->mReports = 0;
    Player().Reset();
    Player().SetShowTutorials(false);
    for (int i = 0; i < 9; ++i) Player().CountShinyTrashcan3();
    for (int i = 0; i < 5; ++i) Player().CountIceColdCream();
    Board& board = replay ? Day(3, 1) : Day(1);
    EmptyDay(board);
    std::vector<int> visits;
    bool visiting = false;
    for (int tick = 0; tick < 12000 && mReports->mReports == 0; ++tick) {
      RunFor(10);
      if (!board.mUncle->IsIdle() && !visiting) visits.push_back(board.mUncle->GetTrophy());
      visiting = !board.mUncle->IsIdle();
      if (board.GetBalloon()) board.HandleBalloonResult(2);
    }
    EXPECT_EQ(mReports->mReports, 1);
    EXPECT_EQ(visits, replay ? std::vector<int>{} : (std::vector<int>{3, 5}));
    EXPECT_EQ(Player().GetTrophyCounter(4), replay ? 9 : 10);
    EXPECT_EQ(Player().GetTrophyCounter(10), replay ? 5 : 6);
    EXPECT_EQ(Player().GetTrophyGrade(3), replay ? 0 : 1);
    EXPECT_EQ(Player().GetTrophyGrade(5), replay ? 0 : 1);
  }
}

}  // namespace
}  // namespace Plix
