// Lessons and the uncle played through the widget manager: day 1's first
// ice cream from the first balloon to the demo customer served, the trash
// and napkin hints once their conditions arise, and a trophy grade earned
// by serving that brings the uncle; the profile file read back after each.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "framework/sound/MusicInterface.h"
#include "game/app/ProfileManager.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/ItemHolder.h"
#include "game/board/StationButtons.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/Monkey.h"
#include "tests/board/PlaySupport.h"

namespace Plix {
namespace {

class RecordingMusic : public MusicInterface {
public:
  void SetSongVolume(int song, double volume) override {
    mCalls.push_back("volume " + std::to_string(song) + " " + std::to_string(volume));
  }
  void FadeIn(int song, int offset, double speed, bool noLoop) override {
    mCalls.push_back("fade in " + std::to_string(song) + " " + std::to_string(offset) + " " + std::to_string(speed));
  }
  std::vector<std::string> mCalls;
};

class StoryPlay : public Testing::PlayFixture {
protected:
  // A story day in the widget manager, laid out as its set-up leaves it,
  // but with only the customers the test brings in: the day's timetable
  // brings nobody, over a day long enough for any test.
  Board& OpenDay(int day) {
    Board& board = Open(0, day);
    SRand(2024);
    board.mArrivalSchedule = std::make_unique<ArrivalSchedule>();
    ArrivalOrder nobody;
    nobody.SetGroupCode(4);
    board.mArrivalSchedule->AddOrder(nobody);
    board.mArrivalSchedule->SpreadOverDay(100000);
    if (!board.mWalkNodes[0]) {
      const LevelRecord& level = *mGame->GetLevel(day);
      board.mLevelModeWord = level.customerMode;
      EXPECT_TRUE(board.LoadEnvironment(level.environmentFile));
      IceCreamBox& vanilla = board.mIceCreamBoxes[0];
      AlphaButton* box = board.mIceCreamBoxButtons[0].get();
      vanilla = {kItemVanilla, static_cast<float>(box->GetX() + box->GetWidth() / 2), board.GetIceCreamBatchSize()};
      board.UpdateIceCreamBoxButton(0);
    }
    const int counter = board.GetMonkey()->GetFrameCounter();
    RunFor(100);
    mStandIn = board.GetMonkey()->GetFrameCounter() == counter;
    return board;
  }

  void Tick() override {
    RunFor(10);
    Board* board = Current();
    if (!mStandIn || !board || board->IsPaused() || mGame->GetFadeState() == Fade::kFadingOut) return;
    board->GetCustomerManager()->Update();
    ObjectListIterator it;
    for (it.Begin(board->GetTables()); !it.AtEnd(); it.Next()) static_cast<Table*>(it.Get())->UpdateDishes();
    if (board->mUncle->IsIdle()) board->GetMonkey()->UpdateIdle();
  }

  // Queues the lesson the board's logic queues on its trigger, unless it
  // has done so.
  void QueueHint(Board& board, int id, Table* table) {
    if (board.mTutorial && board.mTutorial->GetId() == id) return;
    ObjectListIterator it;
    for (it.Begin(board.mQueuedTutorials); !it.AtEnd(); it.Next())
      if (static_cast<Tutorial*>(it.Get())->GetId() == id) return;
    board.mQueuedTutorials.PushBack(MakeTutorial(&board, id, 0, table));
    if (id == 16) board.mTrashTutorialTable = nullptr;
    if (id == 17) board.mNapkinTutorialTable = nullptr;
  }

  int Step(Board& board, int id) {
    return board.mTutorial && board.mTutorial->GetId() == id ? board.mTutorial->GetCurrentStep() : -1;
  }

  // The lesson once it runs: other lessons before it are read through.
  bool Reach(Board& board, int id, int seconds = 30) {
    return RunUntil(
        [&] {
          if (board.mTutorial && board.mTutorial->GetId() != id && board.GetBalloon()) ReadBalloon();
          return board.mTutorial && board.mTutorial->GetId() == id;
        },
        seconds);
  }

  // Reads the balloons of the lessons the day's set-up queued until none
  // is left.
  // Lessons on and every one seen but `unseen`, on the first story day.
  void SeenAllLessonsBut(std::initializer_list<int> unseen) {
    Player().SetShowTutorials(true);
    for (int flag = 0; flag < 32; ++flag)
      Player().SetFlag(flag, std::find(unseen.begin(), unseen.end(), flag) == unseen.end());
    Player().SetStoryDays(1);
  }

  bool ReadLessonsOut(Board& board) {
    return RunUntil(
        [&] {
          if (board.mTutorial && board.GetBalloon()) ReadBalloon();
          return board.mTutorial == nullptr && board.mQueuedTutorials.IsEmpty();
        },
        120);
  }

  // Leaves the day as the game menu's quit does and reads the players back
  // from the profile file the map's switch writes.
  std::unique_ptr<ProfileManager> LeaveAndReadBack(Board& board) {
    board.ExitLevel(4);
    EXPECT_TRUE(RunUntilBoardLeaves());
    auto profiles = std::make_unique<ProfileManager>();
    profiles->LoadProfiles(mGame->GetLevels());
    return profiles;
  }

  bool mStandIn = false;
};

// Day 1 with lessons on: the first lesson runs to its end by the player's
// clicks, and its demo customer gets his cup of vanilla.
TEST_F(StoryPlay, DayOnesFirstIceCreamLessonRunsToItsEndByClicks) {
  Player().SetShowTutorials(true);
  Board& board = OpenDay(0);
  // The set-up queues it on day 1.
  if (!board.mTutorial || board.mTutorial->GetId() != 0) QueueHint(board, 0, nullptr);
  ASSERT_TRUE(Reach(board, 0));
  auto* lesson = static_cast<FirstIceCreamTutorial*>(board.mTutorial);

  ASSERT_TRUE(ReadBalloon());  // "Alright, this is our first day at work! ..."
  // The demo customer comes, sits and chooses.
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 4; }, 30));
  Customer* demo = lesson->GetAwaitedCustomer();
  ASSERT_NE(demo, nullptr);
  EXPECT_EQ(lesson->GetTargetTable(), demo->GetTable());
  EXPECT_EQ(demo->GetState(), Customer::kWaiting);

  // Only the station the lesson points at takes the click.
  EXPECT_FALSE(Click(board.mIceCreamBoxButtons[0].get()));
  ASSERT_TRUE(Click(board.mCupMachineButton.get()));
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 6; }, 10));
  ASSERT_TRUE(Click(board.mIceCreamBoxButtons[0].get()));
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 8; }, 20));
  ConveyorContainer* cup = Newest(board);
  ASSERT_NE(cup, nullptr);
  ASSERT_TRUE(ClickOnBelt(cup));
  // Her scoop goes in, the belt brings the cup to the counter.
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 12; }, 60));
  EXPECT_TRUE(board.GetCounter()->ContainsMatch(demo->GetOrder()));
  ASSERT_TRUE(Click(board.mDishButton.get()));
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 15; }, 60));
  ASSERT_TRUE(ClickTable(demo->GetTable()));
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 17; }, 60));
  EXPECT_EQ(demo->GetState(), Customer::kEating);
  EXPECT_GT(demo->GetPrice(), 0);
  ASSERT_TRUE(ReadBalloon());  // "Excellent! ..."
  ASSERT_TRUE(RunUntil([&] { return Step(board, 0) == 19; }, 30));
  EXPECT_TRUE(lesson->IsPointerShown());  // at the day's clock
  ASSERT_TRUE(ReadBalloon());  // the cake shaped clock
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial == nullptr; }, 5));
  EXPECT_TRUE(Player().GetFlag(0));

  auto profiles = LeaveAndReadBack(board);
  ASSERT_NE(profiles->GetProfile(0), nullptr);
  EXPECT_TRUE(profiles->GetProfile(0)->GetFlag(0));
}

// The trash hint: a customer leaves his dish behind; the hint's lesson
// has Vurez clear the table. The napkin hint: a customer asks for a
// napkin; the lesson has Vurez fetch one and bring it to the table.
TEST_F(StoryPlay, TrashAndNapkinHintsComeWhenTheirConditionsArise) {
  SeenAllLessonsBut({16, 17});  // the two hints
  Board& board = OpenDay(1);
  board.mLevelModeWord = 2;  // a hot day: napkins asked for often
  ASSERT_TRUE(ReadLessonsOut(board));
  CustomerManager& customers = *board.GetCustomerManager();

  // A plate eaten up: its dish stays when the customer goes.
  IceCream plate = IceCream::CreateOfKind(kItemPlate);
  plate.AddScoop(kItemVanilla);
  board.mLevelModeWord = -1;
  Customer* guest = customers.SpawnCustomerOfKind(3, plate);
  ASSERT_NE(guest, nullptr);
  Table* table = guest->GetTable();
  ASSERT_TRUE(RunUntil([&] { return guest->GetState() == Customer::kWaiting; }, 30));
  guest->ReceiveItem(&plate);
  EXPECT_EQ(board.mTrashTutorialTable, nullptr);
  ASSERT_TRUE(RunUntil([&] { return board.mTrashTutorialTable != nullptr; }, 60));
  EXPECT_EQ(board.mTrashTutorialTable, table);
  EXPECT_EQ(table->CountItems(), 1);

  QueueHint(board, 16, table);
  ASSERT_TRUE(Reach(board, 16));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kTable; }, 30));
  ASSERT_TRUE(ClickTable(table));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kBalloon; }, 60));
  EXPECT_EQ(table->CountItems(), 0);
  ASSERT_TRUE(ReadBalloon());
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial == nullptr; }, 5));
  EXPECT_TRUE(Player().GetFlag(16));

  // Customers eat on a hot day until one asks for a napkin.
  board.mLevelModeWord = 2;
  IceCream cup = IceCream::CreateOfKind(kItemCup);
  cup.AddScoop(kItemVanilla);
  Customer* wanting = nullptr;
  for (int visit = 0; visit < 20 && !wanting; ++visit) {
    Customer* c = customers.SpawnCustomerOfKind(0, cup);
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(RunUntil([&] { return c->GetState() == Customer::kWaiting; }, 30));
    const int needs = board.mNapkinNeeds;
    c->ReceiveItem(&cup);
    ASSERT_TRUE(RunUntil([&] { return c->GetState() != Customer::kEating || c->WantsNapkin(); }, 60));
    if (c->WantsNapkin()) {
      wanting = c;
      EXPECT_EQ(board.mNapkinNeeds, needs + 1);
    } else {
      ASSERT_TRUE(RunUntil([&] { return customers.Count() == 0; }, 60));
    }
  }
  ASSERT_NE(wanting, nullptr) << "no napkin asked for";
  EXPECT_EQ(board.mNapkinTutorialTable, wanting->GetTable());

  QueueHint(board, 17, wanting->GetTable());
  ASSERT_TRUE(Reach(board, 17));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kButton; }, 30));
  ASSERT_TRUE(Click(board.mNapkinsButton.get()));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kTable; }, 60));
  ASSERT_TRUE(ClickTable(wanting->GetTable()));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial == nullptr; }, 60));
  ASSERT_TRUE(RunUntil([&] { return !wanting->WantsNapkin(); }, 60));
  EXPECT_EQ(wanting->GetNapkins(), 1);
  EXPECT_TRUE(Player().GetFlag(17));

  auto profiles = LeaveAndReadBack(board);
  ASSERT_NE(profiles->GetProfile(0), nullptr);
  EXPECT_TRUE(profiles->GetProfile(0)->GetFlag(16));
  EXPECT_TRUE(profiles->GetProfile(0)->GetFlag(17));
}

// A customer served fast gives a player with 49 fast deliveries the bronze
// Fast Delivery Trophy: the uncle comes with his balloon, sparkles round
// the trophy, lifts it and leaves; the music dips and comes back.
TEST_F(StoryPlay, ATrophyGradeEarnedByServingBringsTheUncle) {
  Player().SetShowTutorials(false);
  for (int i = 0; i < 49; ++i) Player().CountFastDeliveries();
  Player().SetStoryDays(4);  // day 5 is the newest: its trophies count
  Board& board = OpenDay(4);
  delete mGame->mMusicOutput;
  auto* music = new RecordingMusic();
  mGame->mMusicOutput = music;
  ASSERT_TRUE(ReadLessonsOut(board));

  IceCream cup = IceCream::CreateOfKind(kItemCup);
  cup.AddScoop(kItemVanilla);
  Customer* guest = board.GetCustomerManager()->SpawnCustomerOfKind(0, cup);
  ASSERT_NE(guest, nullptr);
  ASSERT_TRUE(RunUntil([&] { return guest->GetState() == Customer::kWaiting; }, 30));
  ASSERT_TRUE(Click(board.mCupMachineButton.get()));
  ConveyorContainer* container = nullptr;
  ASSERT_TRUE(RunUntil([&] { return (container = Newest(board)) != nullptr; }, 10));
  ASSERT_TRUE(Click(board.mIceCreamBoxButtons[0].get()));
  ASSERT_TRUE(RunUntil([&] { return board.GetGirl()->GetCarryCode() == kItemVanilla; }, 20));
  ASSERT_TRUE(ClickOnBelt(container));
  ASSERT_TRUE(RunUntil([&] { return board.GetCounter()->ContainsMatch(cup); }, 60));
  ASSERT_TRUE(Click(board.mDishButton.get()));
  ASSERT_TRUE(ClickTable(guest->GetTable()));

  Uncle& uncle = *board.mUncle;
  ASSERT_TRUE(RunUntil([&] { return !uncle.IsIdle(); }, 60));
  EXPECT_EQ(guest->GetState(), Customer::kEating);
  EXPECT_EQ(uncle.GetTrophy(), 9);
  EXPECT_EQ(uncle.GetGrade(), 0);
  EXPECT_EQ(music->mCalls, std::vector<std::string>{"volume 1 0.000000"});
  ASSERT_TRUE(RunUntil([&] { return board.GetBalloon() != nullptr; }, 5));
  EXPECT_EQ(board.mBalloonSpeaker, 1);
  const int particles = mGame->GetParticleCount();
  RunFor(3000);
  EXPECT_EQ(uncle.GetState(), Uncle::kTalking);  // until the player has read him
  // Sparkles come off the trophy now and then while he talks.
  EXPECT_TRUE(RunUntil([&] { return mGame->GetParticleCount() > particles; }, 30));
  ASSERT_TRUE(ReadBalloon());
  bool burst = false;
  ASSERT_TRUE(RunUntil(
      [&] {
        burst = burst || uncle.GetState() == Uncle::kBurst;
        return uncle.IsIdle();
      },
      10));
  EXPECT_TRUE(burst);
  EXPECT_EQ(music->mCalls, (std::vector<std::string>{"volume 1 0.000000", "fade in 1 -1 0.002000"}));

  auto profiles = LeaveAndReadBack(board);
  ASSERT_NE(profiles->GetProfile(0), nullptr);
  EXPECT_EQ(profiles->GetProfile(0)->GetTrophyGrade(9), 1);
}

// The napkin lesson comes due while Vurez holds a tray that a guest waits
// for. It keeps the floor once it runs, so it waits until he has served
// the tray; then its napkin errand is run and the lesson ends.
TEST_F(StoryPlay, TheNapkinLessonWaitsWhileVurezHoldsAWantedTray) {
  SeenAllLessonsBut({17});
  Board& board = OpenDay(1);
  ASSERT_TRUE(ReadLessonsOut(board));
  CustomerManager& customers = *board.GetCustomerManager();
  board.mLevelModeWord = -1;  // nobody asks for napkins on their own

  IceCream cup = IceCream::CreateOfKind(kItemCup);
  cup.AddScoop(kItemVanilla);
  Customer* guest = customers.SpawnCustomerOfKind(0, cup);
  ASSERT_NE(guest, nullptr);
  ASSERT_TRUE(RunUntil([&] { return guest->GetState() == Customer::kWaiting; }, 30));
  ASSERT_TRUE(board.GetCounter()->Add(cup));
  Monkey& vurez = *board.GetMonkey();
  ASSERT_TRUE(Click(board.mDishButton.get()));
  ASSERT_TRUE(RunUntil([&] { return vurez.GetCarryKind() == Monkey::kCarryTray && vurez.GetTaskCount() == 0; }, 30));

  QueueHint(board, 17, guest->GetTable());
  RunFor(3000);
  EXPECT_EQ(board.mTutorial, nullptr);  // she is idle, but he holds the tray
  ASSERT_TRUE(ClickTable(guest->GetTable()));
  ASSERT_TRUE(RunUntil([&] { return guest->GetState() != Customer::kWaiting; }, 60));

  ASSERT_TRUE(Reach(board, 17, 60));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kButton; }, 30));
  ASSERT_TRUE(Click(board.mNapkinsButton.get()));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kTable; }, 60));
  EXPECT_EQ(vurez.GetCarryKind(), Monkey::kCarryNapkin);
  ASSERT_TRUE(ClickTable(guest->GetTable()));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial == nullptr; }, 60));
  EXPECT_TRUE(Player().GetFlag(17));
}

// The trash lesson comes due while Vurez is on an errand. It keeps the
// floor once it runs (Rudav stands still meanwhile), so it waits until the
// errand is done; then its table trip is run and the lesson ends.
TEST_F(StoryPlay, TheTrashLessonWaitsUntilVurezHasRunHisErrands) {
  SeenAllLessonsBut({16});
  Board& board = OpenDay(1);
  ASSERT_TRUE(ReadLessonsOut(board));
  Monkey& vurez = *board.GetMonkey();
  auto* table = static_cast<Table*>(board.GetTables().GetAt(0));
  ASSERT_TRUE(Click(board.mNapkinsButton.get()));
  ASSERT_GT(vurez.GetTaskCount(), 0);

  QueueHint(board, 16, table);
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial != nullptr || vurez.GetTaskCount() == 0; }, 60));
  EXPECT_EQ(board.mTutorial, nullptr);  // not while he was on his way
  ASSERT_TRUE(Reach(board, 16));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kTable; }, 30));
  ASSERT_TRUE(ClickTable(table));
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial->GetStepType() == TutorialStep::kBalloon; }, 60));
  ASSERT_TRUE(ReadBalloon());
  ASSERT_TRUE(RunUntil([&] { return board.mTutorial == nullptr; }, 5));
  EXPECT_TRUE(Player().GetFlag(16));
}

}  // namespace
}  // namespace Plix
