// The lessons' step machine against the board: which report finishes which
// step, the retry after a failure, jumps, timed waits and the seen flag.
#include <gtest/gtest.h>

#include "game/app/InfoBalloon.h"
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
}

}  // namespace
}  // namespace Plix
