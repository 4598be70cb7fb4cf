// Pemi's queue of errands: how the front errand is started, replaced,
// retired and stepped, what the station operations append or refuse, the
// machine's sequence, her speed and her walk home.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "game/app/InfoBalloon.h"
#include "game/board/IceCream.h"
#include "game/board/Tutorial.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::GirlFixture;

// An errand that writes what is asked of it into a log and answers as told.
class ScriptedAction : public GirlAction {
public:
  // kHandForever hands over a new errand on every start, a thousand times
  // over; kReplace ends handing over an errand of kind 7 that runs.
  enum Mode { kFinishAtStart, kRun, kHandOnce, kHandForever, kReplace };
  ScriptedAction(Girl* girl, Mode mode, std::string name, std::vector<std::string>& log, int kind = 6)
      : GirlAction(girl, false), mMode(mode), mName(std::move(name)), mLog(log) {
    mKind = kind;
  }
  void Run(GirlActionResult& result) override {
    mLog.push_back("run " + mName);
    result.next = this;
    switch (mMode) {
      case kFinishAtStart: result.finished = true; break;
      case kHandOnce:
        mMode = kRun;
        result.next = new ScriptedAction(mGirl, kFinishAtStart, mName + "'", mLog);
        break;
      case kHandForever:
        if (mLog.size() < 1000)
          result.next = new ScriptedAction(mGirl, kHandForever, mName, mLog);
        else
          result.finished = true;
        break;
      case kReplace:
        result.finished = true;
        result.next = new ScriptedAction(mGirl, kRun, mName + "'", mLog, 7);
        break;
      default: break;
    }
  }
  bool Apply() override { return ++mApplies >= 3; }
  void Step(float) override { mLog.push_back("step " + mName); }

private:
  Mode mMode;
  std::string mName;
  std::vector<std::string>& mLog;
  int mApplies = 0;
};

class GirlQueue : public GirlFixture {
protected:
  void Add(ScriptedAction::Mode mode, const std::string& name) {
    mGirl->Append(new ScriptedAction(mGirl, mode, name, mRuns));
  }
  // Lets her work off what is left.
  void Drain() {
    mGirl->CancelPending();
    ASSERT_TRUE(RunUntilIdle());
  }

  std::vector<std::string> mRuns;
};

TEST_F(GirlQueue, StationOperationsAppendTheirErrandsAndRefuseRepeats) {
  ConveyorContainer* firstCone = OrderCone();
  ConveyorContainer* secondCone = OrderCone();
  ASSERT_NE(firstCone, nullptr);
  ASSERT_NE(secondCone, nullptr);
  ASSERT_TRUE(RunUntilIdle());
  ASSERT_TRUE(mBoard->GetConveyor()->HasContainerWithSerial(firstCone->GetSerial()));
  ASSERT_TRUE(mBoard->GetConveyor()->HasContainerWithSerial(secondCone->GetSerial()));
  // Empty queue and empty hands: the trash can has nothing to do.
  EXPECT_FALSE(mGirl->EnqueueTrashcan());
  mGirl->SetCarryCode(13);
  EXPECT_TRUE(mGirl->EnqueueTrashcan());
  EXPECT_FALSE(mGirl->EnqueueTrashcan());  // twice in a row
  EXPECT_TRUE(mGirl->EnqueueCherries());
  mGirl->SetCarryCode(0);
  EXPECT_TRUE(mGirl->EnqueueTrashcan());  // another errand between them

  // The same item on the belt twice in a row is one errand.
  EXPECT_TRUE(mGirl->EnqueueIceCream(firstCone->GetItem()));
  EXPECT_FALSE(mGirl->EnqueueIceCream(firstCone->GetItem()));
  EXPECT_TRUE(mGirl->EnqueueIceCream(secondCone->GetItem()));

  const int before = mGirl->GetActionCount();
  EXPECT_TRUE(mGirl->EnqueueBananas());
  EXPECT_TRUE(mGirl->EnqueueSpecialCup());
  EXPECT_TRUE(mGirl->EnqueueWalkByCounter(211));
  struct Expected {
    int kind;
    bool counts;
  } expected[] = {{24, true}, {28, false}, {29, true}, {29, false}, {7, false}};
  ASSERT_EQ(mGirl->GetActionCount(), before + 5);
  for (int i = 0; i < 5; ++i) {
    GirlAction* action = mGirl->GetAction(before + i);
    EXPECT_EQ(action->GetKind(), expected[i].kind) << i;
    EXPECT_EQ(action->CountsClick(), expected[i].counts) << i;
  }
  EXPECT_NE(dynamic_cast<GirlPickUpSpecialCupAction*>(mGirl->GetAction(before + 2)), nullptr);
  auto* walk = dynamic_cast<GirlWalkByCounterAction*>(mGirl->GetAction(before + 4));
  ASSERT_NE(walk, nullptr);
  EXPECT_EQ(walk->GetTargetX(), 211.0f);
  EXPECT_EQ(walk->GetYOffset(), 0.0f);
}

TEST_F(GirlQueue, BoxClicksAreRefusedOnlyWhenTheyRepeatWhatTheBoxCannotServe) {
  IceCreamBox& box = mBoard->mIceCreamBoxes[0];  // vanilla, 5 portions
  AlphaButton* button = mBoard->mIceCreamBoxButtons[0].get();
  mGirl->SetCarryCode(13);
  EXPECT_FALSE(mGirl->EnqueueIceCreamBox(&box, button, false));  // a vanilla scoop in hand
  mGirl->SetCarryCode(0);

  EXPECT_TRUE(mGirl->EnqueueIceCreamBox(&box, button, false));
  button->IncrementPending();
  EXPECT_FALSE(mGirl->EnqueueIceCreamBox(&box, button, false));  // 1 pending of 5 portions
  EXPECT_TRUE(mGirl->EnqueueIceCreamBox(&box, button, true));    // the whole box
  EXPECT_TRUE(mGirl->EnqueueIceCreamBox(&box, button, false));   // a take-box errand is queued

  IceCreamBox& empty = mBoard->mIceCreamBoxes[1];
  empty.mPortions = 0;
  AlphaButton* emptyButton = mBoard->mIceCreamBoxButtons[1].get();
  EXPECT_TRUE(mGirl->EnqueueIceCreamBox(&empty, emptyButton, false));
  emptyButton->IncrementPending();
  EXPECT_TRUE(mGirl->EnqueueIceCreamBox(&empty, emptyButton, false));  // 1 pending of 0 portions
  EXPECT_TRUE(mGirl->HasIceCreamBoxActionFor(&box));
  EXPECT_FALSE(mGirl->HasIceCreamBoxActionFor(&empty));
}

TEST_F(GirlQueue, RetiresStartsAndStepsTheFrontErrand) {
  Add(ScriptedAction::kFinishAtStart, "A");
  Add(ScriptedAction::kHandOnce, "B");
  Add(ScriptedAction::kRun, "C");
  mGirl->StepCurrentAction(1.0f);  // nothing runs yet
  EXPECT_TRUE(mRuns.empty());

  mGirl->Update();
  // A ends at its start, B hands over B' which ends at its start, then B
  // runs: all in one update.
  EXPECT_EQ(mRuns, (std::vector<std::string>{"run A", "run B", "run B'", "run B"}));
  EXPECT_TRUE(mGirl->IsRunning());
  EXPECT_EQ(mGirl->GetActionCount(), 2);
  mGirl->StepCurrentAction(1.0f);
  EXPECT_EQ(mRuns.back(), "step B");

  for (int i = 0; i < 3; ++i) mGirl->Update();  // B applies three times, then C starts
  EXPECT_EQ(mRuns.back(), "run C");
  EXPECT_EQ(mGirl->GetActionCount(), 1);
  for (int i = 0; i < 3; ++i) mGirl->Update();
  EXPECT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

TEST_F(GirlQueue, CancelPendingKeepsOnlyTheFrontErrand) {
  for (int count : {0, 1, 4}) {
    for (int i = 0; i < count; ++i) mGirl->EnqueueWalkByBench(100 + i);
    mGirl->CancelPending();
    EXPECT_EQ(mGirl->GetActionCount(), count == 0 ? 0 : 1) << count;
    if (count) {
      auto* front = dynamic_cast<GirlWalkByBenchAction*>(mGirl->FrontAction());
      ASSERT_NE(front, nullptr);
      EXPECT_EQ(front->GetTargetX(), 100.0f);
    }
    Drain();
  }
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

TEST_F(GirlQueue, ErrandsThatKeepHandingOverDoNotHoldTheTick) {
  Add(ScriptedAction::kHandForever, "loop");
  mGirl->Update();  // returns
  EXPECT_LE(mRuns.size(), static_cast<size_t>(Girl::kMaxStartsPerUpdate));
  EXPECT_FALSE(mGirl->IsRunning());
  mGirl->Update();  // and goes on with the next update
  EXPECT_GT(mRuns.size(), static_cast<size_t>(Girl::kMaxStartsPerUpdate));
  for (int i = 0; i < 100 && !mGirl->IsIdle(); ++i) mGirl->Update();
  EXPECT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

// A lesson waiting for errands of one kind.
class WaitingLesson : public Tutorial {
public:
  WaitingLesson(Board* board, int kind, int steps) : Tutorial(board, 40) {
    for (int i = 0; i < steps; ++i) AddStep(TutorialStep::kGirlEvent)->SetEvent(kind);
  }
};

// A lesson hears of an errand that did its work; one that found nothing to
// do shows the lesson's step again; one replaced by another is not heard
// of at all.
TEST_F(GirlQueue, OnlyCompletedErrandsMoveALessonOn) {
  auto* lesson = new WaitingLesson(mBoard, 6, 2);
  mBoard->mTutorial = lesson;
  lesson->StartStep();

  Add(ScriptedAction::kReplace, "A");
  for (int i = 0; i < 4; ++i) mGirl->Update();
  ASSERT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(mRuns, (std::vector<std::string>{"run A", "run A'"}));
  EXPECT_EQ(lesson->GetCurrentStep(), 0);
  EXPECT_FALSE(lesson->IsRewound());

  Add(ScriptedAction::kFinishAtStart, "B");
  mGirl->Update();
  EXPECT_TRUE(lesson->IsRewound());
  EXPECT_EQ(lesson->GetCurrentStep(), 0);
  mBoard->HandleBalloonResult(InfoBalloon::kYesChosen);
  ASSERT_FALSE(lesson->IsRewound());

  Add(ScriptedAction::kRun, "C");
  for (int i = 0; i < 4; ++i) mGirl->Update();
  ASSERT_TRUE(mGirl->IsIdle());
  EXPECT_EQ(lesson->GetCurrentStep(), 1);
  EXPECT_FALSE(lesson->IsRewound());
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

TEST_F(GirlQueue, TheMachineClickBecomesTheMachinesSequence) {
  struct Case {
    const char* name;
    int flavor;
    int portions;
    std::vector<int> kinds;  // after the first update, the front walk included
  } cases[] = {
      {"empty vanilla box", 13, 0, {7, 18, 18, 7}},
      {"strawberry box with 3 left", 14, 3, {7, 8, 18, 19, 18, 18, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mGirl->SetCarryCode(35);
    mGirl->SetCarriedBoxContents(c.flavor, c.portions);
    mGirl->EnqueueInitToIceCreamMachine();
    mGirl->Update();
    std::vector<int> kinds;
    for (int i = 0; i < mGirl->GetActionCount(); ++i) kinds.push_back(mGirl->GetAction(i)->GetKind());
    EXPECT_EQ(kinds, c.kinds);
    // Only the errand that loads the box stands for the click.
    int counted = 0;
    for (int i = 0; i < mGirl->GetActionCount(); ++i) counted += mGirl->GetAction(i)->CountsClick();
    EXPECT_EQ(counted, 1);
    auto* back = dynamic_cast<GirlWalkByCounterAction*>(mGirl->GetAction(mGirl->GetActionCount() - 1));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetTargetX(), 632.0f);
    Drain();
  }

  // A full box needs no run: the click is given back, nothing queued.
  AlphaButton* machine = mBoard->mMachineButton.get();
  machine->IncrementPending();
  mGirl->SetCarriedBoxContents(13, mBoard->GetIceCreamBatchSize());
  mGirl->EnqueueInitToIceCreamMachine();
  mGirl->Update();
  EXPECT_EQ(machine->GetPending(), 0);
  EXPECT_EQ(mGirl->GetActionCount(), 0);
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);
}

TEST_F(GirlQueue, ASpeedBoostEasesUpAndBackWithoutOvershooting) {
  mGirl->BoostSpeed(6.0f);
  float last = mGirl->GetSpeed();
  int updates = 0;
  while (mGirl->GetSpeed() < 6.0f && updates < 200) {
    mGirl->UpdateSpeed();
    EXPECT_LE(mGirl->GetSpeed(), 6.0f);
    EXPECT_GE(mGirl->GetSpeed(), last);
    last = mGirl->GetSpeed();
    ++updates;
  }
  EXPECT_EQ(mGirl->GetSpeed(), 6.0f);
  EXPECT_NEAR(updates, 130, 2);
  for (int i = updates; i < 1000; ++i) mGirl->UpdateSpeed();
  EXPECT_EQ(mGirl->GetTargetSpeed(), Girl::kNormalSpeed);
  for (int i = 0; i < 200; ++i) mGirl->UpdateSpeed();
  EXPECT_EQ(mGirl->GetSpeed(), Girl::kNormalSpeed);
}

TEST_F(GirlQueue, IdleLeftOfTheCounterSheWalksBack) {
  mGirl->EnqueueWalkByCounter(120);
  ASSERT_TRUE(RunUntilIdle());
  EXPECT_EQ(mGirl->GetX(), Girl::kHomeX);
  EXPECT_EQ(GirlAction::GetLiveCount(), mLiveAtStart);

  // Not while a lesson waits to start or runs: it may want her there.
  mGirl->SetPosition(120.0f, mGirl->GetY());
  auto* waiting = new WaitingLesson(mBoard, 6, 1);
  mBoard->mQueuedTutorials.PushBack(waiting);
  mGirl->Update();
  EXPECT_EQ(mGirl->GetActionCount(), 0);
  mBoard->mQueuedTutorials.Remove(waiting);
  mBoard->mTutorial = waiting;
  mGirl->Update();
  EXPECT_EQ(mGirl->GetActionCount(), 0);
  mBoard->mTutorial = nullptr;
  delete waiting;
  mGirl->Update();
  EXPECT_EQ(mGirl->GetActionCount(), 1);
  ASSERT_TRUE(RunUntilIdle());
  // Standing at x 211 itself, she stays.
  mGirl->Update();
  EXPECT_TRUE(mGirl->IsIdle());
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

// Idles start only with empty hands, standing, on every 300th update.
TEST_F(GirlQueue, IdlesStartOnlyEmptyHandedOnTheirBeat) {
  SRand(7);
  int started = 0;
  for (int i = 1; i <= 3000; ++i) {
    Animation* before = mGirl->GetBodyAnimation();
    mGirl->Update();
    Animation* now = mGirl->GetBodyAnimation();
    if (now && now != before) {
      ++started;
      EXPECT_TRUE(now == &mGirl->mIdle1 || now == &mGirl->mIdle2 || now == &mGirl->mIdle3 ||
                  now == &mGirl->mIdle4 || now == &mGirl->mIdle5);
    }
  }
  EXPECT_GT(started, 0);
  EXPECT_LE(started, 10);
  mGirl->StopAnimations();
  mGirl->SetCarryCode(13);
  for (int i = 0; i < 3000; ++i) mGirl->Update();
  EXPECT_EQ(mGirl->GetBodyAnimation(), nullptr);
}

}  // namespace
}  // namespace Plix
