// A day on the board as the application runs it: made by the screen
// switchers, ticked by the main loop 100 times a second, paused and
// resumed, and closed through the fade with each result, leaving the
// player's profile booked.
#include "game/board/Board.h"

#include <gtest/gtest.h>

#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "framework/sound/SoundInstance.h"
#include "game/board/IceCream.h"
#include "framework/platform/CRand.h"
#include "game/app/ProfileManager.h"
#include "game/board/Tutorial.h"
#include "game/characters/Girl.h"
#include "game/characters/Monkey.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

class BoardDay : public BoardFixture,
                 public ::testing::WithParamInterface<int> {};

TEST_P(BoardDay, TicksItsClockPausesAndLeavesThroughTheFade) {
  const int mode = GetParam();
  // The first Happy Hour game's lesson holds the clock: this player has
  // seen it.
  Player().SetFlag(25, true);
  Board& board = Open(mode);
  EXPECT_EQ(board.GetMode(), mode);
  EXPECT_EQ(mGame->GetFadeState(), Fade::kFadingIn);
  EXPECT_EQ(board.GetCustomerManager() != nullptr, mode == 0);
  EXPECT_EQ(board.GetCustomerFlow() != nullptr, mode != 0);
  EXPECT_EQ(board.GetMonkey() != nullptr, mode == 0);
  EXPECT_TRUE(Player().GetFlag(66));

  RunFor(100);  // the loop has caught up with the set-up
  const int ticks = board.mTickCount;
  const int clock = board.mSeconds * 100 + board.mSecondTicks;
  RunFor(3000);
  EXPECT_EQ(board.mTickCount - ticks, 300);
  EXPECT_EQ(board.mSeconds * 100 + board.mSecondTicks - clock, 300);

  board.Pause();
  board.Pause();
  RunFor(1000);
  board.Resume();
  RunFor(1000);
  EXPECT_TRUE(board.IsPaused());
  EXPECT_EQ(board.mTickCount - ticks, 300);
  board.Resume();
  board.Resume();  // never below 0
  EXPECT_FALSE(board.IsPaused());
  RunFor(500);
  EXPECT_EQ(board.mTickCount - ticks, 350);
  EXPECT_EQ(board.mSeconds * 100 + board.mSecondTicks - clock, 350);

  board.ExitLevel(mode == 0 ? 4 : 3);
  board.mMoney = 77;
  const int seconds = board.mSeconds;  // the clock stands while the board fades out
  ASSERT_TRUE(RunUntilBoardLeaves());
  const std::string next = mode == 0 ? "create Map(0,0,0)"
                                     : "create BestSellers(" + std::to_string(mode + 1) + ",77,0," +
                                           std::to_string(seconds) + ")";
  ASSERT_FALSE(mLog.empty());
  EXPECT_EQ(mLog.front(), next);
}

std::string ModeName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"Story", "Easy", "Normal", "Hard"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Modes, BoardDay, ::testing::Values(0, 1, 2, 3), ModeName);

TEST_F(BoardFixture, DayAndReplayFromTheProfile) {
  Player().SetStoryDays(4);
  struct Case {
    int day, played;
    bool replay;
    int fastForwardClicks;
  } cases[] = {{-1, 4, false, 0}, {2, 2, true, 0}, {4, 4, false, 0}};
  for (const Case& c : cases) {
    Board board(*mGame, 0, c.day);
    EXPECT_EQ(board.GetDay(), c.played);
    EXPECT_EQ(board.GetLevelIndex(), c.played);
    EXPECT_EQ(board.mReplay, c.replay);
    EXPECT_EQ(board.mFastForwardClicks, c.fastForwardClicks);
  }
  for (int days : {0, 7, 20}) {
    Player().SetStoryDays(days);
    EXPECT_EQ(Board(*mGame, 0, -1).mFastForwardClicks, 10) << days;
  }
}

TEST_F(BoardFixture, MenuButtonSlidesInByTickFifty) {
  Board& board = Open(1);
  AlphaButton* menu = board.GetMenuButton();
  for (int tick = 1; tick <= 60; ++tick) {
    board.Update();
    if (tick < 50) {
      EXPECT_EQ(menu->GetX(), static_cast<int>(-100.0f + 2.0f * tick - 4.0f)) << tick;
    } else {
      EXPECT_EQ(menu->GetX(), -4) << tick;
      EXPECT_EQ(menu->GetY(), -7) << tick;
    }
  }
  EXPECT_EQ(board.mIntroCountdown, 0.0f);
  EXPECT_EQ(board.mMenuSlideY, 0.0f);
}

TEST_F(BoardFixture, HappyHourClockStandsWhileATutorialRuns) {
  Board& board = Open(2);
  board.mTutorial = new Tutorial(&board, 40);
  for (int i = 0; i < 150; ++i) board.Update();
  EXPECT_EQ(board.mSeconds, 0);
  EXPECT_NEAR(board.mTutorialClock, 15.0f, 0.01f);
}

TEST_F(BoardFixture, QueuedTutorialsAlreadySeenAreDropped) {
  Player().SetShowTutorials(false);  // the day queues none of its own
  Board& board = Open(0);
  Player().SetFlag(20, true);
  board.mQueuedTutorials.PushBack(new Tutorial(&board, 20));  // seen
  board.mQueuedTutorials.PushBack(new Tutorial(&board, 3));   // machine lesson without a box in hand
  board.mQueuedTutorials.PushBack(new Tutorial(&board, 21));
  board.Update();
  EXPECT_EQ(board.mTutorial, nullptr);
  board.Update();
  EXPECT_EQ(board.mTutorial, nullptr);
  board.Update();
  ASSERT_NE(board.mTutorial, nullptr);
  EXPECT_EQ(board.mTutorial->GetId(), 21);
  EXPECT_TRUE(board.mQueuedTutorials.IsEmpty());
}

// The books of a closed story day: each case plays a day with some money
// and looks at the profile and the next screen.
struct Closing {
  const char* name;
  int daysDone, day, result, money, goldenIceCreams, lives, fastForwardClicks;
  // Expected.
  const char* next;
  int storyDays, levelScore, totalScore, cash, golden, lives2;
  bool done, flag2;
};

class BoardClosing : public BoardFixture, public ::testing::WithParamInterface<Closing> {};

TEST_P(BoardClosing, BooksTheDayIntoTheProfile) {
  const Closing& c = GetParam();
  PlayerProfile& p = Player();
  p.SetStoryDays(c.daysDone);
  p.SetLives(c.lives);
  p.SetTotalScore(1000);
  const int cash = p.GetCash();
  p.SetFlag(2, true);
  p.SetGoldenIceCreams(1);
  const int song = p.GetSongIndex();
  Board& board = Open(0, c.day);
  board.mMoney = c.money;
  board.mGoldenIceCreams = c.goldenIceCreams;
  board.mFastForwardClicks = c.fastForwardClicks;
  board.mGoal = 100;
  board.mExpertGoal = 200;
  board.ExitLevel(c.result);
  ASSERT_TRUE(RunUntilBoardLeaves());
  EXPECT_EQ(p.GetStoryDays(), c.storyDays);
  EXPECT_EQ(p.GetLevelScore(c.day), c.levelScore);
  EXPECT_EQ(p.GetLevelTries(c.day), 1);
  EXPECT_EQ(p.GetTotalScore(), c.totalScore);
  EXPECT_EQ(p.GetCash() - cash, c.cash);
  EXPECT_EQ(p.GetGoldenIceCreams(), c.golden);
  EXPECT_EQ(p.GetLives(), c.lives2);
  EXPECT_EQ(p.IsLevelDone(c.day), c.done);
  EXPECT_EQ(p.GetFlag(2), c.flag2);
  EXPECT_NE(p.GetSongIndex(), song);
  EXPECT_GE(mGame->GetTopScore(c.day), c.money);
  ASSERT_GE(mLog.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(mLog.begin(), mLog.begin() + 3),
            (std::vector<std::string>{"circus offers", "store marks", c.next}));
}

const Closing kClosings[] = {
    // Between the goal and the expert goal: score and cash, not done.
    {"Passed", 3, 3, 1, 150, 2, 3, 0, "create Map(0,0,3)", 4, 150, 1150, 50, 2, 3, false, false},
    {"Expert", 3, 3, 1, 250, 2, 3, 5, "create Map(0,0,3)", 4, 250, 1250, 150, 2, 3, true, true},
    // Before a flavour contest day the golden ice creams start again.
    {"ContestDay", 5, 5, 1, 150, 3, 3, 10, "create Map(0,0,5)", 6, 150, 1150, 50, 0, 3, false, true},
    // A replay leaves the story where it is.
    {"Replay", 8, 3, 1, 150, 2, 3, 10, "create Map(0,0,3)", 8, 150, 1150, 50, 1, 3, false, true},
    {"FiveGolden", 3, 3, 1, 150, 5, 3, 10, "create FlavorContest()", 4, 150, 1150, 50, 0, 3, false, true},
    {"LastDay", 49, 49, 1, 150, 0, 3, 10, "create Hotel(0)", 50, 150, 1150, 50, 0, 3, false, true},
    {"Failed", 3, 3, 2, 60, 2, 3, 10, "create Map(0,0,3)", 3, 60, 1060, 0, 1, 2, false, true},
    {"FailedLastRetry", 3, 3, 2, 60, 2, 0, 10, "create BestSellers(1,1060,0,0)", 3, 60, 0, 0, 1, 3, false, true},
};

std::string ClosingName(const ::testing::TestParamInfo<Closing>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Results, BoardClosing, ::testing::ValuesIn(kClosings), ClosingName);

TEST_F(BoardFixture, FiveGoldenIceCreamsWithEveryFlavourUnlockedGoOnToTheMap) {
  PlayerProfile& p = Player();
  p.SetStoryDays(3);
  p.SetFlavorCount(6);
  Board& board = Open(0, 3);
  board.mMoney = 150;
  board.mGoal = 100;
  board.mExpertGoal = 200;
  board.mGoldenIceCreams = 5;
  board.ExitLevel(1);
  ASSERT_TRUE(RunUntilBoardLeaves());
  ASSERT_GE(mLog.size(), 3u);
  EXPECT_EQ(mLog[2], "create Map(0,0,3)");
  EXPECT_EQ(p.GetGoldenIceCreams(), 5);
  EXPECT_EQ(p.GetFlavorCount(), 6);
}

TEST_F(BoardFixture, QuitFromHappyHourGoesToTheMainMenu) {
  Board& board = Open(3);
  board.ExitLevel(4);
  ASSERT_TRUE(RunUntilBoardLeaves());
  ASSERT_FALSE(mLog.empty());
  EXPECT_EQ(mLog.front(), "create MainMenu()");
}

TEST_F(BoardFixture, FlightsUnderWayAreCreditedWhenTheBoardGoes) {
  Player().SetReputationStars(1);
  Player().SetGoldenIceCreams(2);
  {
    Board board(*mGame, 0, -1);
    board.mFlyingStar.mPath = std::make_unique<Curve3D>();
    board.mFlyingGoldenIceCream.mPath = std::make_unique<Curve3D>();
  }
  EXPECT_EQ(Player().GetReputationStars(), 2);
  EXPECT_EQ(Player().GetGoldenIceCreams(), 3);
}

// Left through the game menu while a star and a golden ice cream fly: the
// players' file written at that screen change holds both, as the game does.
TEST_F(BoardFixture, FlightsUnderWayReachTheFileAtTheScreenChange) {
  Player().SetReputationStars(1);
  Player().SetGoldenIceCreams(2);
  Board& board = Open(0);
  RunFor(1000);
  board.LaunchReputationStar();
  board.StartGoldenIceCreamFlight(300.0f, 400.0f);
  board.ExitLevel(4);
  ASSERT_TRUE(RunUntilBoardLeaves());
  EXPECT_EQ(Player().GetReputationStars(), 2);
  EXPECT_EQ(Player().GetGoldenIceCreams(), 3);
  ProfileManager file;
  file.LoadProfiles(mGame->GetLevels());
  ASSERT_NE(file.GetProfile(0), nullptr);
  EXPECT_EQ(file.GetProfile(0)->GetReputationStars(), 2);
  EXPECT_EQ(file.GetProfile(0)->GetGoldenIceCreams(), 3);
}

// A seed fixes a day, whatever ran before it in the process: each day
// fills the sparks anew, so the same seed gives the same draws although
// the sparks of an earlier day were left half-way.
TEST_F(BoardFixture, ASeedFixesTheDayWhateverRanBeforeIt) {
  auto day = [&] {
    SRand(11);
    Board board(*mGame, 0, -1);
    for (int i = 0; i < 7; ++i) UpdateSparks();
    return Rand();
  };
  const int first = day();
  EXPECT_EQ(day(), first);
}

// A station emptied or hidden while the mouse is on it stays disabled when
// the mouse moves off; a highlight goes.
TEST_F(BoardFixture, LeavingAButtonTakesOnlyItsHighlight) {
  Board& board = Open(0);
  AlphaButton* trashcan = nullptr;
  ObjectListIterator it;
  for (it.Begin(board.GetButtonList(0)); !it.AtEnd(); it.Next())
    if (static_cast<AlphaButton*>(it.Get())->GetId() == 13) trashcan = static_cast<AlphaButton*>(it.Get());
  ASSERT_NE(trashcan, nullptr);
  struct Case {
    int stateWhileHovered, after;
  } cases[] = {{1, 0}, {3, 3}};
  for (const Case& c : cases) {
    trashcan->SetState(c.stateWhileHovered);
    board.mHoverButton = trashcan;
    board.MouseMove(790, 20);
    EXPECT_EQ(trashcan->GetState(), c.after) << c.stateWhileHovered;
    EXPECT_EQ(board.mHoverButton, nullptr);
  }
}

// A sparkler still on the counter when the day ends is cleared away while
// its sound can still be stopped, never after the sound was let go.
TEST_F(BoardFixture, CounterIsClearedBeforeTheSparklerSoundGoes) {
  std::vector<std::string> sounds;
  Testing::RecordingSound sparkler(sounds);
  {
    Board board(*mGame, 0, -1);
    if (board.mSparklerSound) board.mSparklerSound->Release();
    board.mSparklerSound = &sparkler;
    IceCream cup = IceCream::CreateOfKind(kItemCup);
    ASSERT_TRUE(cup.AddScoop(kItemVanilla));
    cup.SetDecoration(kItemSparkler);
    ASSERT_TRUE(board.GetCounter()->Add(cup));
    EXPECT_EQ(board.GetSparklersInPlay(), 1);
    board.Pause();
    board.Resume();
  }
  EXPECT_EQ(sounds, (std::vector<std::string>{"loop", "stop", "loop", "stop", "release"}));
}

// Left with the machine humming and a sparkler on the counter: a focus
// change while the screen fades to black starts neither loop again.
TEST_F(BoardFixture, AClosedDayStaysSilentThroughAFocusChange) {
  std::vector<std::string> hum, sparks;
  Testing::RecordingSound machine(hum), sparkler(sparks);
  Board& board = Open(0);
  RunFor(1000);
  for (auto [slot, sound] : {std::pair{&board.mMachineSound, &machine}, std::pair{&board.mSparklerSound, &sparkler}}) {
    if (*slot) (*slot)->Release();
    *slot = sound;
  }
  IceCream cup = IceCream::CreateOfKind(kItemCup);
  ASSERT_TRUE(cup.AddScoop(kItemVanilla));
  cup.SetDecoration(kItemSparkler);
  ASSERT_TRUE(board.GetCounter()->Add(cup));
  board.mMachineState = 2;  // running
  machine.Play(true, false);
  board.ExitLevel(4);
  mGame->LostFocus();
  mGame->GotFocus();
  RunFor(100);
  EXPECT_EQ(hum, (std::vector<std::string>{"loop", "stop"}));
  EXPECT_EQ(sparks, (std::vector<std::string>{"loop", "stop"}));
  ASSERT_TRUE(RunUntilBoardLeaves());
}

// The day's group goes with the board: none of its handles is left
// pointing at a freed image.
TEST_F(BoardFixture, NoHandleOfTheDaysGroupOutlivesTheBoard) {
  Open(0);
  RunFor(100);
  ASSERT_NE(IMAGE_CONE, nullptr);
  mGame->mBoard->ExitLevel(4);
  ASSERT_TRUE(RunUntilBoardLeaves());
  for (const ResourceBinding& b : GetGroupBindings("Game")) {
    if (b.mImage) {
      EXPECT_EQ(*b.mImage, nullptr) << b.mId;
    }
    if (b.mFont) {
      EXPECT_EQ(*b.mFont, nullptr) << b.mId;
    }
  }
}

// A passed day is booked with what the helpers still hold out of a stock
// given back to it: the heroine's decoration or treat (never a banana),
// Vurez's lemonade or cookie.
TEST_F(BoardFixture, WhatTheHelpersHoldGoesBackToTheStockWhenTheDayIsBooked) {
  PlayerProfile& p = Player();
  p.SetStoryDays(49);
  Board& board = Open(0);
  board.mUmbrellas = 2;
  board.mApples = 1;
  board.mLemonades[0] = board.mLemonades[1] = board.mLemonades[2] = 0;
  board.mCookies[0] = board.mCookies[1] = board.mCookies[2] = 1;
  board.mBananas = 4;
  board.GetGirl()->SetCarryCode(kItemUmbrella);
  ASSERT_TRUE(board.GetMonkey()->PickUp(Monkey::kCarryLemonade + 2));
  board.mMoney = board.mGoal = 100;
  board.ExitLevel(1);
  ASSERT_TRUE(RunUntilBoardLeaves());
  EXPECT_EQ(p.GetUmbrellaStock(), 3);
  EXPECT_EQ(p.GetMonkeyTreat(1), 1);
  EXPECT_EQ(p.GetLemonade(2), 1);
  EXPECT_EQ(p.GetLemonade(1), 0);
  EXPECT_EQ(p.GetCookieBox(0), 1);

  // An apple in her hands and a cookie in his; a banana stays eaten.
  struct Held {
    int heroine, monkey;
  } held[] = {{kItemApple, Monkey::kCarryCookie}, {kItemBanana, Monkey::kCarryNothing}};
  for (const Held& h : held) {
    SCOPED_TRACE(h.heroine);
    // The map the last day went to goes, as it does when it opens a day.
    if (GameScreen* map = mGame->mMap) {
      mGame->mAppWidgets->RemoveWidget(map);
      delete map;
      mGame->mMap = nullptr;
    }
    p.SetStoryDays(49);
    Board& day = Open(0, 49);
    day.mApples = 0;
    day.mBananas = 0;
    day.mCookies[0] = day.mCookies[1] = day.mCookies[2] = 0;
    day.GetGirl()->SetCarryCode(h.heroine);
    if (h.monkey != Monkey::kCarryNothing) {
      ASSERT_TRUE(day.GetMonkey()->PickUp(h.monkey));
    }
    day.mMoney = day.mGoal = 100;
    day.ExitLevel(1);
    ASSERT_TRUE(RunUntilBoardLeaves());
    EXPECT_EQ(p.GetMonkeyTreat(1), h.heroine == kItemApple ? 1 : 0);
    EXPECT_EQ(p.GetMonkeyTreat(0), 0);
    EXPECT_EQ(p.GetCookieBox(0), h.monkey == Monkey::kCarryCookie ? 1 : 0);
  }
}

}  // namespace
}  // namespace Plix
