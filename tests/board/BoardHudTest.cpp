// The bar over the floor: the figures that count up in growing steps, the
// clock's hour blobs and the shake when time runs short, the goal figure
// moving on to the expert goal, Happy Hour's figures; and what the frame
// shows of the stars, the golden ice creams, the juggling shadow and the
// "Paused" veil.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

class Hud : public Testing::BoardFixture {
protected:
  Board& Make(int mode) {
    mBoard = std::make_unique<Board>(*mGame, mode, 4);
    mBoard->mTickCount = 100;
    mBoard->mIntroCountdown = 0;
    return *mBoard;
  }
  // A schedule whose day is `done` of `length` seconds old.
  void DayAt(int done, int length) {
    mBoard->mArrivalSchedule = std::make_unique<ArrivalSchedule>();
    ArrivalOrder order;
    mBoard->mArrivalSchedule->AddOrder(order);
    mBoard->mArrivalSchedule->SpreadOverDay(length);
    for (int s = 0; s < done; ++s) mBoard->mArrivalSchedule->NextDue();
  }
  std::vector<uint32_t> Frame() {
    DDImage canvas(mGame->mAppDisplay);
    canvas.Create(800, 600);
    canvas.CreateSurface();
    Graphics g(&canvas);
    mBoard->Draw(&g);
    return std::vector<uint32_t>(canvas.GetBits(), canvas.GetBits() + 800 * 600);
  }
  std::vector<uint32_t> Overlay() {
    DDImage canvas(mGame->mAppDisplay);
    canvas.Create(800, 600);
    canvas.CreateSurface();
    Graphics g(&canvas);
    g.SetColor(Color(255, 255, 255, 255));
    g.FillRect(0, 0, 800, 600);
    mBoard->mWidth = 800;
    mBoard->mHeight = 600;
    mBoard->DrawOverlay(&g);
    return std::vector<uint32_t>(canvas.GetBits(), canvas.GetBits() + 800 * 600);
  }
  static int Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x0, int y0, int x1,
                       int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += a[y * 800 + x] != b[y * 800 + x];
    return n;
  }
  std::unique_ptr<Board> mBoard;
};

TEST_F(Hud, FiguresCountInGrowingStepsSharingOneDelay) {
  Board& board = Make(0);
  struct Case {
    int money, shown;
    int firstStep;
  } cases[] = {{2500, 0, 1111}, {250, 0, 111}, {30, 0, 11}, {5, 0, 1}, {1300, 1000, 111}, {0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.money);
    board.mMoney = c.money;
    board.mShownMoney = c.shown;
    board.mGoal = board.mExpertGoal = board.mShownMoneyTarget = 0;
    board.mMoneyCountDelay = 0;
    board.UpdateStoryHud();
    EXPECT_EQ(board.mShownMoney - c.shown, c.firstStep);
    // The next step comes five ticks later; the figure never passes the money.
    for (int i = 0; i < 4; ++i) board.UpdateStoryHud();
    EXPECT_EQ(board.mShownMoney - c.shown, c.firstStep);
    for (int i = 0; i < 20000; ++i) board.UpdateStoryHud();
    EXPECT_EQ(board.mShownMoney, c.money);
  }
}

TEST_F(Hud, TheGoalFigureMovesOnToTheExpertGoalOnceTheGoalIsReached) {
  Board& board = Make(0);
  board.mGoal = 300;
  board.mExpertGoal = 450;
  board.mMoney = 200;
  for (int i = 0; i < 3000; ++i) board.UpdateStoryHud();
  EXPECT_EQ(board.mShownMoneyTarget, 300);
  EXPECT_EQ(board.mShownMoney, 200);
  board.mMoney = 320;
  for (int i = 0; i < 3000; ++i) board.UpdateStoryHud();
  EXPECT_EQ(board.mShownMoneyTarget, 450);
  EXPECT_EQ(board.mShownMoney, 320);
  // Nothing counts while the screen fades or in the day's first half second.
  board.mMoney = 400;
  board.mTickCount = 50;
  for (int i = 0; i < 100; ++i) board.UpdateStoryHud();
  EXPECT_EQ(board.mShownMoney, 320);
}

TEST_F(Hud, HappyHourFiguresChaseTheNextPlaceOrTheMoney) {
  Board& board = Make(1);
  struct Case {
    int next;
    int target;
  } cases[] = {{-1, 77}, {120, 120}};
  for (const Case& c : cases) {
    board.mMoney = 77;
    board.mShownMoney = board.mShownMoneyTarget = 0;
    board.mNextHiscore = c.next;
    for (int i = 0; i < 3000; ++i) board.UpdateHappyHourHud();
    EXPECT_EQ(board.mShownMoney, 77);
    EXPECT_EQ(board.mShownMoneyTarget, c.target);
  }
}

TEST_F(Hud, PassedHoursFadeAndTheTenthShakesTheClockOnce) {
  Testing::DistinctSoundIds ids{&SOUND_TIME_UP};
  Board& board = Make(0);
  for (int& blob : board.mStoryDayFlags) blob = 255;
  DayAt(99, 100);  // 11.88 of 12 hours
  board.UpdateStoryHud();
  EXPECT_EQ(board.mStoryDayFlags[11], 253);
  EXPECT_EQ(board.mStoryDayFlags[10], 255);  // an hour not reached is not touched
  EXPECT_EQ(board.mShakeCount, 0);

  DayAt(84, 100);  // the tenth hour
  board.UpdateStoryHud();
  EXPECT_EQ(board.mShakeCount, 20);
  EXPECT_EQ(board.mShakeTimer, 5.0f);
  board.mShakeCount = 0;
  for (int i = 0; i < 300; ++i) board.UpdateStoryHud();
  EXPECT_EQ(board.mShakeCount, 0);  // once only
  EXPECT_EQ(board.mStoryDayFlags[10], 0);

  DayAt(100, 100);  // the twelfth hour fades blob 0
  board.UpdateStoryHud();
  EXPECT_EQ(board.mStoryDayFlags[0], 253);
  EXPECT_EQ(mGame->CountSound(SOUND_TIME_UP), 1);
}

TEST_F(Hud, TheExpertLabelShowsOnceTheGoalIsReached) {
  Board& board = Make(0);
  board.mGoal = 300;
  board.mShownMoney = 250;
  board.mShownMoneyTarget = 450;
  struct Case {
    int money;
    bool label;
  } cases[] = {{299, false}, {300, true}, {800, true}};
  board.mMoney = 0;
  const std::vector<uint32_t> without = Frame();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.money);
    board.mMoney = c.money;
    EXPECT_EQ(Frame() != without, c.label);
    Testing::Unbound noLabel(IMAGE_GAME_INTERFACE_EXPERT);
    EXPECT_EQ(Frame(), without);  // nothing else changes
  }
}

TEST_F(Hud, HappyHourShowsNoNegativeLives) {
  Board& board = Make(2);
  board.mLivesLeft = 0;
  const std::vector<uint32_t> none = Frame();
  board.mLivesLeft = -2;
  EXPECT_EQ(Frame(), none);
  board.mLivesLeft = 1;
  EXPECT_GT(Differing(Frame(), none, 260, 0, 320, 34), 10);
}

TEST_F(Hud, TheFrameShowsTheStarsGoldenIceCreamsAndTheJugglingShadowByTheirCounts) {
  Board& board = Make(0);
  const auto none = Frame();
  struct Case {
    int stars, golden;
    int x0, y0, x1, y1;  // where they appear
  } cases[] = {{5, 0, 355, 450, 485, 490}, {0, 5, 355, 425, 485, 465}, {2, 0, 355, 450, 410, 490}};
  for (const Case& c : cases) {
    Player().SetReputationStars(c.stars);
    board.mGoldenIceCreams = c.golden;
    const auto shown = Frame();
    EXPECT_GT(Differing(none, shown, c.x0, c.y0, c.x1, c.y1), 50);
    EXPECT_EQ(Differing(none, shown, 0, 0, 800, 600), Differing(none, shown, c.x0, c.y0, c.x1, c.y1));
  }
  Player().SetReputationStars(0);
  board.mGoldenIceCreams = 0;
  // The balls' shadow by the juggling level: none for 0 or 4.
  board.mJugglingButton.reset(new AlphaButton(40));
  board.mJugglingButton->SetPosition(300, 200);
  for (int level : {0, 1, 2, 3, 4}) {
    Player().SetJugglingLevel(level);
    const int changed = Differing(none, Frame(), 280, 190, 360, 240);
    EXPECT_EQ(changed > 0, level >= 1 && level <= 3) << level;
  }
}

TEST_F(Hud, TheVeilDarkensTheInactiveBoardAndSaysPausedOnlyAtTheFirstPause) {
  Board& board = Make(0);
  mGame->mAppActive = true;
  const auto clear = Overlay();
  EXPECT_EQ(clear[300 * 800 + 10] & 0xFFFFFF, 0xFFFFFFu);
  mGame->mAppActive = false;
  board.mPauseDepth = 2;
  const auto dark = Overlay();
  board.mPauseDepth = 1;
  const auto paused = Overlay();
  mGame->mAppActive = true;
  EXPECT_NE(dark[300 * 800 + 10], clear[300 * 800 + 10]);
  EXPECT_EQ(Differing(dark, clear, 0, 0, 800, 600), 800 * 600);
  EXPECT_EQ(Differing(dark, paused, 0, 0, 800, 200), 0);
  EXPECT_GT(Differing(dark, paused, 250, 230, 550, 330), 1000);
}

}  // namespace
}  // namespace Plix
