// The lessons' step machine against the board: which report finishes which
// step, the retry after a failure, jumps, timed waits and the seen flag.
#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerKinds.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

constexpr int kLessonId = 40;  // a flag no real lesson uses

// A lesson whose steps the test writes.
class ScriptedLesson : public Tutorial {
public:
  explicit ScriptedLesson(Board* board) : Tutorial(board, kLessonId) {}
  using Tutorial::AddStep;
  using Tutorial::AddTalk;
  using Tutorial::AddWalk;
  void Await(Customer* customer) { mAwaitedCustomer = customer; }
};

// Runs the lesson on the board from its first step.
void StartLesson(Board& board, Tutorial* lesson) {
  board.mTutorial = lesson;
  lesson->StartStep();
}

TEST_F(BoardFixture, EachReportFinishesOnlyItsStepAndAFailureGoesBackToTheRetryStep) {
  Player().SetShowTutorials(true);
  Board board(*mGame, 0, -1);
  auto* lesson = new ScriptedLesson(&board);
  lesson->AddTalk(TutorialStep::kBalloon, {L"First"}, L"OK");
  TutorialStep* box = lesson->AddStep(TutorialStep::kGirlEvent);
  box->SetEvent(kGirlToIceCreamBox);
  box->SetRetryText(L"Oops! Let's try again!");
  lesson->AddStep(TutorialStep::kMonkeyEvent)->SetEvent(3);
  lesson->AddStep(TutorialStep::kCustomerEvent);
  Customer* awaited = CreateCustomerOfKind(0, board.GetCustomerManager());
  Customer* other = CreateCustomerOfKind(1, board.GetCustomerManager());
  lesson->Await(awaited);

  StartLesson(board, lesson);
  InfoBalloon* first = lesson->GetStep(0)->GetBalloon();
  EXPECT_EQ(board.GetBalloon(), first);
  EXPECT_FALSE(board.mBalloonOwned);
  EXPECT_EQ(board.mBalloonSpeaker, 0);
  EXPECT_TRUE(board.HandleBalloonResult(InfoBalloon::kYesChosen));
  EXPECT_EQ(lesson->GetCurrentStep(), 1);
  EXPECT_EQ(board.GetBalloon(), nullptr);

  // Reports of another kind or of the monkey leave the heroine's step.
  board.OnTutorialMonkeyEvent(kGirlToIceCreamBox, false);
  board.OnTutorialGirlEvent(kGirlToIceCream, false);
  board.OnTutorialCustomerEvent(awaited);
  EXPECT_EQ(lesson->GetCurrentStep(), 1);

  // A failed errand: the retry text in a balloon of the board's, read as a
  // balloon step; dismissing it restarts step 0, not the step after.
  board.OnTutorialGirlEvent(kGirlToIceCreamBox, true);
  EXPECT_TRUE(lesson->IsRewound());
  EXPECT_EQ(lesson->GetStepType(), TutorialStep::kBalloon);
  ASSERT_NE(board.GetBalloon(), nullptr);
  EXPECT_TRUE(board.mBalloonOwned);
  EXPECT_NE(board.GetBalloon(), first);
  board.HandleBalloonResult(InfoBalloon::kYesChosen);
  EXPECT_FALSE(lesson->IsRewound());
  EXPECT_EQ(lesson->GetCurrentStep(), 0);
  EXPECT_EQ(board.GetBalloon(), first);

  board.HandleBalloonResult(InfoBalloon::kYesChosen);
  board.OnTutorialGirlEvent(kGirlToIceCreamBox, false);
  board.OnTutorialMonkeyEvent(3, false);
  EXPECT_EQ(lesson->GetCurrentStep(), 3);
  // Only the awaited customer's order finishes the customer step.
  board.OnTutorialCustomerEvent(other);
  board.OnTutorialCustomerEvent(nullptr);
  EXPECT_EQ(board.mTutorial, lesson);
  EXPECT_FALSE(Player().GetFlag(kLessonId));
  board.OnTutorialCustomerEvent(awaited);
  EXPECT_EQ(board.mTutorial, nullptr);
  EXPECT_TRUE(Player().GetFlag(kLessonId));
  delete awaited;
  delete other;
}

// The board deletes lessons through their base: a lesson's own parts go
// with it.
TEST_F(BoardFixture, ALessonDeletedThroughItsBaseGoesWhole) {
  static int destroyed = 0;
  struct Owning : Tutorial {
    explicit Owning(Board* board) : Tutorial(board, kLessonId), mNote(L"its own part") {}
    ~Owning() override { ++destroyed; }
    std::wstring mNote;
  };
  Board board(*mGame, 0, -1);
  board.DeleteTutorial(new Owning(&board));
  EXPECT_EQ(destroyed, 1);
}

TEST_F(BoardFixture, ALessonWithoutStepsIsNeverAdvanced) {
  Board board(*mGame, 0, -1);
  auto* lesson = new Tutorial(&board, kLessonId);
  StartLesson(board, lesson);
  EXPECT_EQ(lesson->GetStepType(), 0);
  board.OnTutorialGirlEvent(0, false);
  board.OnTutorialMonkeyEvent(0, false);
  board.OnTutorialCustomerEvent(nullptr);
  board.HandleBalloonResult(InfoBalloon::kYesChosen);
  EXPECT_EQ(board.mTutorial, lesson);
}

TEST_F(BoardFixture, WalkStepsSendTheHeroineAndTimedWaitsCountTicks) {
  Player().SetShowTutorials(false);
  Board& board = Open(0);
  Girl* girl = board.GetGirl();
  ASSERT_TRUE(girl->IsIdle());
  auto* lesson = new ScriptedLesson(&board);
  lesson->AddWalk(kGirlWalkByCounter, 0);  // waits for her next walk, sends none
  lesson->AddWalk(kGirlWalkByBench, 300);
  lesson->AddStep(TutorialStep::kTimedWait)->SetArgument(5);
  StartLesson(board, lesson);
  EXPECT_TRUE(girl->IsIdle());
  board.OnTutorialGirlEvent(kGirlWalkByCounter, false);
  ASSERT_EQ(girl->GetActionCount(), 1);
  EXPECT_EQ(girl->FrontActionKind(), kGirlWalkByBench);
  board.OnTutorialGirlEvent(kGirlWalkByBench, false);
  EXPECT_EQ(lesson->GetStepType(), TutorialStep::kTimedWait);
  for (int tick = 1; tick < 5; ++tick) board.Update();
  EXPECT_EQ(board.mTutorial, lesson);
  board.Update();
  EXPECT_EQ(board.mTutorial, nullptr);
  EXPECT_TRUE(Player().GetFlag(kLessonId));
}

// The first lesson with a test's handle on its position.
class FirstLessonProbe : public FirstIceCreamTutorial {
public:
  using FirstIceCreamTutorial::FirstIceCreamTutorial;
  void SetCurrent(int step) { mCurrent = step; }
};

TEST_F(BoardFixture, ALessonJumpsPastTheScoopStepWhenTheHeroineHoldsVanilla) {
  Board board(*mGame, 0, -1);
  auto* lesson = new FirstLessonProbe(&board);
  board.mTutorial = lesson;
  lesson->SetCurrent(5);
  board.GetGirl()->SetCarryCode(kItemVanilla);
  EXPECT_TRUE(lesson->NextStep());
  EXPECT_EQ(lesson->GetCurrentStep(), 8);
  EXPECT_EQ(lesson->GetStepType(), TutorialStep::kConveyor);
  EXPECT_EQ(board.GetBalloon(), lesson->GetStep(8)->GetBalloon());
}

TEST_F(BoardFixture, TheDemoCustomerIsAskedForAgainUntilATableIsFree) {
  Board board(*mGame, 0, -1);
  auto* lesson = new FirstLessonProbe(&board);
  board.mTutorial = lesson;
  lesson->SetCurrent(1);
  EXPECT_TRUE(lesson->NextStep());  // the customer step, with no table on the floor
  EXPECT_EQ(lesson->GetCurrentStep(), 2);
  EXPECT_FALSE(lesson->IsDemoSent());
  EXPECT_EQ(lesson->GetTargetTable(), nullptr);
  lesson->Update();
  EXPECT_EQ(lesson->GetAwaitedCustomer(), nullptr);

  auto* table = new Table(&board, 2);
  board.mTables.PushBack(table);
  lesson->Update();
  ASSERT_TRUE(lesson->IsDemoSent());
  Customer* demo = lesson->GetAwaitedCustomer();
  ASSERT_NE(demo, nullptr);
  EXPECT_EQ(lesson->GetTargetTable(), table);
  EXPECT_EQ(demo->GetOrder().GetKind(), kItemCup);
  EXPECT_EQ(board.GetCustomerManager()->GetCustomers().GetCount(), 1);
  lesson->Update();  // sent once
  EXPECT_EQ(board.GetCustomerManager()->GetCustomers().GetCount(), 1);
  board.OnTutorialCustomerEvent(demo);
  EXPECT_EQ(lesson->GetCurrentStep(), 3);

  // A failure later on goes back to the cup's balloon (step 4); the demo
  // customer is not sent again.
  lesson->SetCurrent(9);
  lesson->RetryStep();
  EXPECT_TRUE(board.HandleBalloonResult(InfoBalloon::kYesChosen));
  EXPECT_EQ(lesson->GetCurrentStep(), 4);
  EXPECT_EQ(board.GetBalloon(), lesson->GetStep(4)->GetBalloon());
  for (int tick = 0; tick < 10; ++tick) lesson->Update();
  EXPECT_EQ(board.GetCustomerManager()->GetCustomers().GetCount(), 1);
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

// A presentation lesson played through by the reports and clicks its steps
// wait for: every balloon step shows a balloon, and the end marks the
// lesson seen.
TEST_F(BoardFixture, PresentationLessonsRunToTheirEndAndAreMarkedSeen) {
  Player().SetShowTutorials(true);
  Board board(*mGame, 0, -1);
  using Make = Tutorial* (*)(Board*);
  const Make lessons[] = {
      [](Board* b) -> Tutorial* { return new FastButtonTutorial(b); },
      [](Board* b) -> Tutorial* { return new IGSpeedButtonTutorial(b); },
      [](Board* b) -> Tutorial* { return new FruitPresTutorial(b, kItemApple); },
      [](Board* b) -> Tutorial* { return new DecorationPresTutorial(b, kItemSparkler); },
      [](Board* b) -> Tutorial* { return new ChocolateSaucePresTutorial(b); },
      [](Board* b) -> Tutorial* { return new SprinklesPresTutorial(b); },
      [](Board* b) -> Tutorial* { return new CookiesPresTutorial(b); },
      [](Board* b) -> Tutorial* { return new LemonadePresTutorial(b); },
      [](Board* b) -> Tutorial* { return new JugglingPresTutorial(b); },
      [](Board* b) -> Tutorial* { return new BarrelOrganPresTutorial(b); },
      [](Board* b) -> Tutorial* { return new SunshadePresTutorial(b); },
      [](Board* b) -> Tutorial* { return new ConePresTutorial(b); },
      [](Board* b) -> Tutorial* { return new PlatePresTutorial(b); },
      [](Board* b) -> Tutorial* { return new GoldenIceCreamTutorial(b); },
      [](Board* b) -> Tutorial* { return new BonusTutorial(b, 200, 400); },
      [](Board* b) -> Tutorial* { return new SpecialCupTutorial(b); },
      [](Board* b) -> Tutorial* { return new BananaSplitTutorial(b); },
      [](Board* b) -> Tutorial* { return new SpecialPlateTutorial(b); },
      [](Board* b) -> Tutorial* { return new CakeTutorial(b); },
      [](Board* b) -> Tutorial* { return new ReputationStarTutorial(b); },
      [](Board* b) -> Tutorial* { return new HappyHourTutorial(b); },
      [](Board* b) -> Tutorial* { return new ServeFastTutorial(b); },
  };
  for (Make make : lessons) {
    Tutorial* lesson = make(&board);
    const int id = lesson->GetId();
    Player().SetFlag(id, false);
    StartLesson(board, lesson);
    for (int step = 0; step < 10 && board.mTutorial; ++step) {
      switch (lesson->GetStepType()) {
        case TutorialStep::kBalloon:
          EXPECT_NE(board.GetBalloon(), nullptr) << id;
          board.HandleBalloonResult(InfoBalloon::kYesChosen);
          break;
        case TutorialStep::kGirlEvent:
          board.OnTutorialGirlEvent(lesson->GetStepEvent(), false);
          break;
        case TutorialStep::kTimedWait:
          ASSERT_TRUE(lesson->NextStep()) << id;  // the wait is over
          break;
        default:
          ADD_FAILURE() << "lesson " << id << " waits for step type " << lesson->GetStepType();
          board.mTutorial = nullptr;
          delete lesson;
          break;
      }
    }
    EXPECT_EQ(board.mTutorial, nullptr) << id;
    EXPECT_TRUE(Player().GetFlag(id)) << id;
  }
  // Made by id, every lesson is the one of that flag.
  Table table(&board, 1);
  for (int id = 0; id <= 32; ++id) {
    std::unique_ptr<Tutorial> lesson(MakeTutorial(&board, id, kItemBanana, &table));
    const bool made = id != 3 && id != 4 && id != 19;
    EXPECT_EQ(lesson != nullptr, made) << id;
    if (lesson) {
      EXPECT_EQ(lesson->GetId(), id);
    }
  }
  EXPECT_EQ(MakeTutorial(&board, 16), nullptr);  // no table
}

// A new flavour's lesson names the flavour that the count has just put in
// the next box and points into that box.
TEST_F(BoardFixture, FlavourLessonsPresentTheBoxTheNewFlavourFills) {
  Board board(*mGame, 0, -1);
  // Flavour order: strawberry, chocolate, pear, blueberry, pineapple; the
  // seen flags are the lessons' own.
  const int flags[] = {26, 27, 28, 29, 30};
  const std::type_info* classes[] = {&typeid(StrawberryPresTutorial), &typeid(ChocolatePresTutorial),
                                     &typeid(PearPresTutorial), &typeid(BlueberryPresTutorial),
                                     &typeid(PineapplePresTutorial)};
  for (int count = 2; count <= 6; ++count) {
    std::unique_ptr<Tutorial> lesson(NewFlavourTutorial(&board, count));
    ASSERT_NE(lesson, nullptr) << count;
    EXPECT_EQ(typeid(*lesson), *classes[count - 2]) << count;
    EXPECT_EQ(lesson->GetId(), flags[count - 2]);
    const AlphaButton* box = board.mIceCreamBoxButtons[count - 1].get();
    EXPECT_GE(lesson->GetPointerX(), box->GetX()) << count;
    EXPECT_LT(lesson->GetPointerX(), box->GetX() + box->GetWidth()) << count;
    EXPECT_GE(lesson->GetPointerY(), box->GetY()) << count;
    EXPECT_LT(lesson->GetPointerY(), box->GetY() + box->GetHeight()) << count;
  }
  EXPECT_EQ(NewFlavourTutorial(&board, 1), nullptr);
  EXPECT_EQ(NewFlavourTutorial(&board, 7), nullptr);
}

// The trash and napkin lessons send the heroine beside the table on the
// floor's middle side unless she stands there already.
TEST_F(BoardFixture, TrashAndNapkinLessonsWalkToTheTablesInnerSide) {
  Board board(*mGame, 0, -1);
  Table table(&board, 2);
  const int width = IMAGE_BALLOON_SMALL->GetWidth();
  const struct {
    int tableX;
    float heroineX;
    bool walks;
    bool toRight;
  } cases[] = {{100, 150.0f, true, true}, {100, 700.0f, false, false}, {600, 700.0f, true, false},
               {600, 100.0f, false, false}};
  for (const auto& c : cases) {
    table.SetPosition(c.tableX, 200);
    board.GetGirl()->SetPosition(c.heroineX, 495.0f);
    const int centre = c.tableX + table.GetWidth() / 2;
    TrashTutorial trash(&board, &table);
    NapkinTutorial napkin(&board, &table);
    for (Tutorial* lesson : {static_cast<Tutorial*>(&trash), static_cast<Tutorial*>(&napkin)}) {
      EXPECT_EQ(lesson->GetTargetTable(), &table);
      EXPECT_EQ(lesson->GetStepCount(), c.walks ? 4 : 3) << c.tableX << " " << c.heroineX;
      if (!c.walks) continue;
      EXPECT_EQ(lesson->GetStep(0)->GetEvent(), kGirlWalkByCounter);
      EXPECT_EQ(lesson->GetStep(0)->GetArgument(), c.toRight ? centre + width : centre - width);
    }
  }
}

}  // namespace
}  // namespace Plix
