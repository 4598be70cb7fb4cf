// Happy Hour played through the widget manager: each difficulty on its
// floor with its unlock timetable, the first game's lesson holding the
// timetable, customers served by clicks and four lost, and the game over
// leading to the best sellers of its difficulty.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "game/app/ProfileManager.h"
#include "game/board/CustomerFlow.h"
#include "game/board/EventSchedule.h"
#include "game/board/StationButtons.h"
#include "game/board/Tutorial.h"
#include "game/characters/Girl.h"
#include "game/characters/ServingMonkey.h"
#include "tests/board/PlaySupport.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

constexpr int kHappyHourLesson = 25;

class HappyHourGame : public Testing::PlayFixture {
protected:
  // The times of each unlock (action) still to come, as the game's
  // timetable holds them.
  static std::map<int, std::vector<int>> Timetable(const Board& board) {
    std::map<int, std::vector<int>> times;
    ObjectListIterator it;
    for (it.Begin(board.mCrowdSchedule->GetEvents()); !it.AtEnd(); it.Next()) {
      const auto* event = static_cast<const ScheduledEvent*>(it.Get());
      times[event->GetAction()].push_back(event->GetTime());
    }
    return times;
  }

  // Waiting customers of the flow who wish for `order`.
  static int Waiting(Board& board, const IceCream& order) {
    int n = 0;
    ObjectListIterator it;
    for (it.Begin(board.GetCustomerFlow()->GetCustomers()); !it.AtEnd(); it.Next())
      if (static_cast<FlowCustomer*>(it.Get())->WantsItem(&order)) ++n;
    return n;
  }

  // Runs the game until `done`, reading on the way the balloons of the
  // lessons that the play brings (the speed button's, once she has put a
  // scoop on the belt).
  bool Play(const std::function<bool()>& done, int seconds) {
    return RunUntil(
        [&] {
          Board* board = Current();
          if (board && board->mTutorial && board->GetBalloon()) {
            EXPECT_TRUE(ReadBalloon());
          }
          return done();
        },
        seconds);
  }

  // A cup of vanilla by the clicks a player makes: the cup machine, the
  // vanilla box, then the cup where it rides.
  void BuildCupOfVanilla(Board& board) {
    ConveyorContainer* before = Newest(board);
    ASSERT_TRUE(Click(board.mCupMachineButton.get()));
    ConveyorContainer* cup = nullptr;
    ASSERT_TRUE(RunUntil([&] { return (cup = Newest(board)) != nullptr && cup != before; }, 10));
    ASSERT_TRUE(Click(board.mIceCreamBoxButtons[0].get()));
    ASSERT_TRUE(Play([&] { return board.GetGirl()->GetCarryCode() == kItemVanilla; }, 20));
    ASSERT_TRUE(ClickOnBelt(cup));
    ASSERT_TRUE(Play([&] { return !board.GetConveyor()->HasItemOnBelt(cup->GetItem()) ||
                                      cup->GetItem()->GetScoopCount() == 1; },
                         20));
  }
};

struct Difficulty {
  const char* name;
  int mode;
  int area;
  // Seconds of the unlocks still to come after the start, by action:
  // 1 flavours, 2 toppings, 3 customer kinds, 4 specials, 5 holders,
  // 6 value steps.
  std::map<int, std::vector<int>> times;
};

class HappyHourStart : public HappyHourGame, public ::testing::WithParamInterface<Difficulty> {};

TEST_P(HappyHourStart, OnItsFloorWithItsTimetable) {
  const Difficulty& c = GetParam();
  Player().SetFlag(kHappyHourLesson, true);
  Board& board = Open(c.mode);
  EXPECT_EQ(board.mArea, c.area);
  EXPECT_FALSE(board.IsFloorMissing());
  // Ten customers fit on the queue's path, with the trash station to throw at.
  EXPECT_GE(board.GetCustomerFlow()->GetPath().GetTotalLength(), 9 * CustomerFlow::kSpacing);
  EXPECT_NE(board.mTrashStationX, 0);

  std::map<int, std::vector<int>> times = Timetable(board);
  for (auto& [action, list] : times) std::erase(list, 0);  // taken at the start
  EXPECT_EQ(times, c.times);
  EXPECT_EQ(board.mCrowdSchedule->GetClock(), 0);
  // The start: vanilla in box 0 only, cherries, the cup holder, every
  // freezer lid shut, two customer kinds, three of each decoration.
  EXPECT_EQ(board.mFlavorsUnlocked, 1);
  EXPECT_EQ(board.mIceCreamBoxes[0].mFlavor, kItemVanilla);
  EXPECT_EQ(board.mIceCreamBoxes[1].mFlavor, 0);
  EXPECT_EQ(board.mToppingsUnlocked, 1);
  EXPECT_EQ(board.mHoldersUnlocked, 1);
  EXPECT_EQ(board.mSpecialsUnlocked, 0);
  EXPECT_EQ(board.mCustomerKinds, 2);
  EXPECT_EQ(board.mUmbrellas + board.mCocktailSticks + board.mStraws + board.mSparklers, 12);
  EXPECT_NE(board.mCherriesButton->GetState(), 3);
  EXPECT_EQ(board.mSprinklesButton->GetState(), 3);
  EXPECT_NE(board.mCupMachineButton->GetState(), 3);
  EXPECT_EQ(board.mConeMachineButton->GetState(), 3);
  for (auto& lid : board.mFreezerButtons) EXPECT_EQ(lid->GetState(), 3);

  // The first unlock comes at its second and not before.
  const int first = c.times.at(1)[0] < c.times.at(6)[0] ? c.times.at(1)[0] : c.times.at(6)[0];
  ASSERT_TRUE(RunUntil([&] { return board.mSeconds == first - 1; }, first + 10));
  EXPECT_EQ(board.mFlavorsUnlocked + board.mValueLevel, 2);
  ASSERT_TRUE(RunUntil([&] { return board.mSeconds == first; }, 2));
  EXPECT_EQ(board.mFlavorsUnlocked + board.mValueLevel, 3);

  board.ExitLevel(4);
  ASSERT_TRUE(RunUntilBoardLeaves());
}

INSTANTIATE_TEST_SUITE_P(
    Difficulties, HappyHourStart,
    ::testing::Values(
        Difficulty{"Easy", 1, 1,
                   {{1, {30, 120, 180, 240, 300}}, {2, {100, 350}}, {4, {30, 100, 180, 240}}, {5, {40, 120}},
                    {6, {30, 180, 360}}, {3, {120, 160, 230, 320, 400}}}},
        Difficulty{"Normal", 2, 4,
                   {{1, {30, 120, 180, 240, 300}}, {2, {100, 350}}, {4, {50, 110, 210, 390}}, {5, {40, 90}},
                    {6, {20, 140, 230}}, {3, {70, 130, 190, 250, 310}}}},
        Difficulty{"Hard", 3, 5,
                   {{1, {20, 86, 120, 200, 250}}, {2, {125, 250}}, {4, {60, 130, 230, 410}}, {5, {30, 80}},
                    {6, {20, 120, 200}}, {3, {60, 120, 180, 240, 280}}}}),
    [](const ::testing::TestParamInfo<Difficulty>& info) { return std::string(info.param.name); });

// A fresh player's first game: the lesson holds the clock and the
// timetable; then two customers are served by clicks, the rest are left
// to wait until four have gone, and the game ends in the best sellers of
// its difficulty.
TEST_F(HappyHourGame, AScriptedGameServesSomeLosesFourAndEndsInTheBestSellers) {
  Board& board = Open(3);
  SRand(4321);
  ASSERT_EQ(board.mQueuedTutorials.GetCount(), 1);
  EXPECT_FALSE(Player().GetFlag(kHappyHourLesson));

  // The lesson's balloon waits for the player; meanwhile nothing unlocks
  // and nobody comes.
  ASSERT_TRUE(RunUntil([&] { return board.GetBalloon() != nullptr; }, 5));
  ASSERT_NE(board.mTutorial, nullptr);
  EXPECT_EQ(board.mTutorial->GetId(), kHappyHourLesson);
  RunFor(25000);
  EXPECT_EQ(board.mSeconds, 0);
  EXPECT_EQ(board.mCrowdSchedule->GetClock(), 0);
  EXPECT_EQ(board.mFlavorsUnlocked, 1);
  EXPECT_EQ(board.mValueLevel, 1);
  EXPECT_EQ(board.GetCustomerFlow()->GetCount(), 0);
  ASSERT_TRUE(ReadBalloon());
  ASSERT_TRUE(ReadBalloon());  // after her walk to the speed button
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial == nullptr; }, 5));
  EXPECT_TRUE(Player().GetFlag(kHappyHourLesson));
  EXPECT_EQ(board.mCrowdSchedule->GetClock(), board.mSeconds);

  // The first customers wish for a cup of vanilla, all there is yet.
  IceCream cup = IceCream::CreateOfKind(kItemCup);
  cup.AddScoop(kItemVanilla);
  for (int served = 0; served < 2; ++served) {
    ASSERT_TRUE(Play([&] { return Waiting(board, cup) > 0; }, 20)) << served;
    const int money = board.mMoney;
    BuildCupOfVanilla(board);
    if (HasFatalFailure()) return;
    // The serving monkey throws it to the customer, who pays.
    ASSERT_TRUE(Play([&] { return board.mMoney > money; }, 30)) << served;
  }
  const int earned = board.mMoney;
  // The bar's figure counts up to what was taken.
  EXPECT_TRUE(Play([&] { return board.mShownMoney == earned; }, 10));
  EXPECT_EQ(board.mLivesLeft, 3);

  // Nobody else is served: four leave angry and the game is lost.
  int lives = board.mLivesLeft;
  ASSERT_TRUE(RunUntil(
      [&] {
        lives = board.mLivesLeft;
        return board.GetCustomerFlow()->IsLost();
      },
      600));
  EXPECT_EQ(lives, -1);
  // The queue empties itself, the game-over banner shows and the board
  // fades out; its clock stands from then on.
  ASSERT_TRUE(RunUntil([&] { return mGame->GetFadeState() == Fade::kFadingOut; }, 60));
  const int seconds = board.mSeconds;
  ASSERT_TRUE(RunUntilBoardLeaves());
  ASSERT_FALSE(mLog.empty());
  EXPECT_EQ(mLog.front(), "create BestSellers(4," + std::to_string(earned) + ",0," +
                              std::to_string(seconds) + ")");

  // The profile file keeps the lesson as seen.
  ProfileManager readBack;
  readBack.LoadProfiles(mGame->GetLevels());
  ASSERT_NE(readBack.GetProfile(0), nullptr);
  EXPECT_TRUE(readBack.GetProfile(0)->GetFlag(kHappyHourLesson));
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

// The Happy Hour part of the board's tick on a game of each difficulty,
// called directly: arrivals, unlocks, lost customers and payments.
class HappyHourLogic : public Testing::BoardFixture {
protected:
  void SetUp() override {
    BoardFixture::SetUp();
    Player().SetFlag(kHappyHourLesson, true);
    mSoundIds = std::make_unique<Testing::DistinctSoundIds>(
        std::initializer_list<int*>{&SOUND_CUSTOMER_PAY_1, &SOUND_CUSTOMER_PAY_2, &SOUND_SERVE_4_CUSTOMERS});
  }
  void TearDown() override {
    mSoundIds.reset();
    BoardFixture::TearDown();
  }
  std::unique_ptr<Testing::DistinctSoundIds> mSoundIds;
};

TEST_F(HappyHourLogic, ArrivalsComeFasterAsTheGameGoesOn) {
  const struct {
    int mode, second, spacing;
  } cases[] = {{1, 0, 8},    {1, 600, 5}, {1, 1199, 3}, {1, 1200, 3}, {1, 5000, 3},
               {2, 0, 6},    {2, 400, 5}, {2, 800, 3},  {3, 0, 6},    {3, 600, 3}};
  for (const auto& c : cases) {
    Board board(*mGame, c.mode, 0);
    board.SetUpHappyHour();
    board.mSeconds = c.second;
    board.mTicksToNextArrival = 1;
    const int before = board.GetCustomerFlow()->GetCount();
    board.UpdateHappyHourLogic();
    EXPECT_EQ(board.mArrivalSpacing, c.spacing) << c.mode << " " << c.second;
    EXPECT_GE(board.mTicksToNextArrival, c.spacing * 100);
    EXPECT_LT(board.mTicksToNextArrival, c.spacing * 100 + 200);
    EXPECT_EQ(board.GetCustomerFlow()->GetCount(), before + 1);
    // While a lesson runs nobody comes.
    board.mTutorial = new Tutorial(&board, 40);
    board.mTicksToNextArrival = 1;
    board.UpdateHappyHourLogic();
    EXPECT_EQ(board.mTicksToNextArrival, 1);
  }
}

TEST_F(HappyHourLogic, EachUnlockOpensItsStationUntilTheLastOne) {
  Board board(*mGame, 1, 0);
  board.SetUpHappyHour();
  board.mCrowdSchedule = std::make_unique<EventSchedule>();
  for (int round = 0; round < 6; ++round)
    for (int action = 1; action <= 6; ++action) board.mCrowdSchedule->Add(action, 1);
  board.mCrowdSchedule->Rewind();
  const int particles = mGame->GetParticleCount();
  mGame->mSounds.clear();
  for (int i = 0; i < 36; ++i) board.UpdateHappyHourUnlocks();
  EXPECT_EQ(board.mFlavorsUnlocked, 6);
  EXPECT_EQ(board.mToppingsUnlocked, 3);
  EXPECT_EQ(board.mCustomerKinds, 7);
  EXPECT_EQ(board.mSpecialsUnlocked, 4);
  EXPECT_EQ(board.mHoldersUnlocked, 3);
  EXPECT_EQ(board.mValueLevel, 4);
  for (int box = 0; box < 6; ++box) {
    EXPECT_EQ(board.mIceCreamBoxes[box].mFlavor, kItemVanilla + box);
    EXPECT_EQ(board.mIceCreamBoxes[box].mPortions, 16);
    EXPECT_NE(board.mIceCreamBoxButtons[box]->GetState(), 3);
  }
  for (auto& flavour : board.mFlavorButtons) EXPECT_TRUE(flavour->IsVisible());
  for (AlphaButton* b : {board.mSprinklesButton.get(), board.mChocolateSauceButton.get(),
                         board.mConeMachineButton.get(), board.mPlateMachineButton.get()})
    EXPECT_NE(b->GetState(), 3);
  for (auto& lid : board.mFreezerButtons) EXPECT_NE(lid->GetState(), 3);
  // Five flavours, two toppings, four lids and two holders sparkled.
  EXPECT_EQ(mGame->GetParticleCount() - particles, 13 * 10);
  EXPECT_EQ(mGame->CountSound(SOUND_SERVE_4_CUSTOMERS), 13);
}

TEST_F(HappyHourLogic, TheFourthLostCustomerLosesTheGame) {
  Board board(*mGame, 2, 0);
  board.SetUpHappyHour();
  for (int lost = 1; lost <= 4; ++lost) {
    for (BoardNotice& notice : board.mNotices) notice.mState = 0;
    board.LoseHappyHourCustomer();
    EXPECT_EQ(board.mLivesLeft, 3 - lost);
    bool shown = false;
    for (const BoardNotice& notice : board.mNotices) shown = shown || notice.mState != 0;
    EXPECT_EQ(shown, lost < 4) << lost;
    EXPECT_EQ(board.GetCustomerFlow()->IsLost(), lost == 4) << lost;
  }
}

// Once the game is lost its score is decided: Escape and the menu button
// open no game menu over the banner, and the game goes on to the best
// sellers with that score.
TEST_F(HappyHourLogic, NoMenuOpensOverTheGameOverBanner) {
  Testing::MenuCountingScreens screens(*mGame, mLog);
  mGame->SetScreenFactory(&screens);
  Board& board = Open(2);
  RunFor(2000);
  board.mMoney = 123;
  for (int lost = 0; lost < 4; ++lost) board.LoseHappyHourCustomer();
  for (int i = 0; i < 6000 && board.mGameOverBanner.mState == 0; ++i) RunFor(10);
  ASSERT_NE(board.mGameOverBanner.mState, 0);
  mGame->mAppWidgets->KeyChar(27);
  AlphaButton* menu = board.GetMenuButton();
  mGame->mAppWidgets->MouseMove(menu->GetX() + menu->GetWidth() / 2, menu->GetY() + menu->GetHeight() / 2);
  mGame->mAppWidgets->MouseDown(menu->GetX() + menu->GetWidth() / 2, menu->GetY() + menu->GetHeight() / 2, 1);
  mGame->mAppWidgets->MouseUp(menu->GetX() + menu->GetWidth() / 2, menu->GetY() + menu->GetHeight() / 2, 1);
  EXPECT_EQ(screens.mMenus, 0);
  ASSERT_TRUE(RunUntilBoardLeaves());
  EXPECT_NE(std::find_if(mLog.begin(), mLog.end(),
                         [](const std::string& s) { return s.rfind("create BestSellers(3,123,0,", 0) == 0; }),
            mLog.end());
  mGame->SetScreenFactory(mScreens.get());
}

TEST_F(HappyHourLogic, APaymentBringsItsPriceWithACoinAndAStarEach) {
  Board board(*mGame, 3, 0);
  board.SetUpHappyHour();
  ASSERT_TRUE(board.GetCustomerFlow()->AddCustomer(0));
  auto* customer = static_cast<FlowCustomer*>(board.GetCustomerFlow()->GetCustomers().GetAt(0));
  IceCream special = IceCream::CreateOfKind(kItemSpecialCup);
  IceCream cup = IceCream::CreateOfKind(kItemCup);
  cup.AddScoop(kItemVanilla);
  cup.SetDecoration(kItemStraw);
  const struct {
    const IceCream* item;
    int price;
    int sound;
  } cases[] = {{&special, 8, SOUND_CUSTOMER_PAY_2}, {&cup, 7, SOUND_CUSTOMER_PAY_1}};
  for (const auto& c : cases) {
    IceCream item = *c.item;
    ASSERT_EQ(item.GetPrice(), c.price);
    const int money = board.mMoney, particles = mGame->GetParticleCount(), popup = board.mNextMoneyPopup;
    mGame->mSounds.clear();
    board.CollectHappyHourPayment(&item, customer);
    EXPECT_EQ(board.mMoney, money + c.price);
    EXPECT_EQ(mGame->mSounds, std::vector<int>{c.sound}) << c.price;
    EXPECT_EQ(mGame->GetParticleCount() - particles, 2 * c.price);
    EXPECT_FALSE(board.mMoneyPopups[popup].IsDone()) << c.price;
    EXPECT_EQ(board.mNextMoneyPopup, (popup + 1) % Board::kMoneyPopupCount);
  }
}

}  // namespace
}  // namespace Plix
