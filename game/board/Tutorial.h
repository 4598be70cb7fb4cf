#pragma once
// A short scripted lesson on the shop floor: numbered steps walked through
// while the player does what the heroine asks. Each lesson is a subclass
// whose constructor builds its steps; its id is the profile flag that
// marks it seen. The board queues lessons, starts one when the heroine is
// idle, drives its steps from its tick, its input and the characters'
// reports, and deletes it when it is over.
#include <string>

#include "game/app/ObjectList.h"

namespace Plix {

class AlphaButton;
class Board;
class Customer;
class Graphics;
class InfoBalloon;
class Table;


class TutorialStep {
public:
  // What finishes a step of the type.
  enum Type {
    kBalloon = 1,        // the balloon's yes button
    kButton = 2,         // a click on the target button
    kConveyor = 3,       // a click on an item on the belt
    kTable = 4,          // a click on the lesson's target table
    kGirlEvent = 5,      // the heroine finishes an errand of the event kind
    kMonkeyEvent = 6,    // the monkey finishes a task of the event kind
    kReadyOrder = 7,     // an ice cream comes to rest on the counter
    kTimedWait = 8,      // argument ticks pass
    kCustomerEvent = 9,  // the awaited customer chooses its order
    kMachineReady = 10,  // the ice-cream machine is done
  };

  explicit TutorialStep(int type) : mType(type) {}
  ~TutorialStep();
  TutorialStep(const TutorialStep&) = delete;
  TutorialStep& operator=(const TutorialStep&) = delete;

  int GetType() const { return mType; }
  // The step takes the balloon over.
  void SetBalloon(InfoBalloon* balloon);
  InfoBalloon* GetBalloon() const { return mBalloon; }
  void SetTarget(AlphaButton* button) { mTarget = button; }
  AlphaButton* GetTarget() const { return mTarget; }
  void SetRetryStep(int step) { mRetryStep = step; }
  int GetRetryStep() const { return mRetryStep; }
  void SetEvent(int event) { mEvent = event; }
  int GetEvent() const { return mEvent; }
  // A timed wait's ticks; the x a walk step sends the heroine to.
  void SetArgument(int argument) { mArgument = argument; }
  int GetArgument() const { return mArgument; }
  void SetRetryText(std::wstring text) { mRetryText = std::move(text); }
  std::wstring GetRetryText() const { return mRetryText; }
  void SetBalloonHigh(bool high) { mBalloonHigh = high; }
  bool IsBalloonHigh() const { return mBalloonHigh; }

private:
  int mType;
  AlphaButton* mTarget = nullptr;
  InfoBalloon* mBalloon = nullptr;  // owned
  int mRetryStep = 0;
  int mEvent = 0;
  int mArgument = 0;
  std::wstring mRetryText;
  bool mBalloonHigh = false;
};

class Tutorial {
public:
  // A lesson without steps until its script adds them.
  explicit Tutorial(Board* board, int id = 0) : mBoard(board), mId(id) {}
  // Lessons are deleted through this base.
  virtual ~Tutorial();
  Tutorial(const Tutorial&) = delete;
  Tutorial& operator=(const Tutorial&) = delete;

  // Called as a step starts; a lesson may jump to another step from here.
  virtual void OnEvent(int) {}
  // Once a board tick while the lesson runs.
  virtual void Update() {}

  // Starts the current step: its balloon, its walk or its wait.
  void StartStep();
  // Moves on and starts the next step; false once the lesson is over (its
  // seen flag is then set).
  bool NextStep();
  // The player failed the current step: the retry text, then back to the
  // step's retry step once the player has read it.
  void RetryStep();
  // A failure reported by a character shows the step again through its
  // retry.
  void ShowStep() { RetryStep(); }

  // The current step; while a retry text is read the lesson reads as a
  // balloon step, and without steps as type 0.
  int GetStepType() const;
  AlphaButton* GetStepTarget() const;
  int GetStepEvent() const;
  int GetStepArgument() const;
  Customer* GetAwaitedCustomer() const { return mAwaitedCustomer; }
  Table* GetTargetTable() const { return mTargetTable; }

  int GetId() const { return mId; }
  int GetCurrentStep() const { return mCurrent; }
  int GetStepCount() const { return mSteps.GetCount(); }
  TutorialStep* GetStep(int index) const;
  bool IsRewound() const { return mRewound; }
  // While it runs the belt and the serving monkey stand still.
  bool HoldsFloor() const { return mHoldsFloor; }
  // While it runs the customers' waiting time stands still.
  bool HoldsCustomers() const { return mHoldsCustomers; }
  // The free arrow.
  void SetPointer(int x, int y);
  bool IsPointerShown() const { return mPointerShown; }
  int GetPointerX() const { return mPointerX; }
  int GetPointerY() const { return mPointerY; }
  bool IsPointerSideways() const { return mPointerSideways; }

  // The bobbing arrows over what the current step waits for, and the free
  // arrow, by the board's tutorial clock.
  void DrawArrows(Graphics& g);

protected:
  // Appends a step of the type; the lesson owns it.
  TutorialStep* AddStep(int type);
  // A walk of the heroine (event WalkByBench or WalkByCounter) to x.
  TutorialStep* AddWalk(int event, int x);
  // A balloon step (or another type) with a balloon of these pages.
  TutorialStep* AddTalk(int type, std::initializer_list<const wchar_t*> pages, const wchar_t* yes = nullptr,
                        int style = 0);
  // Points the free arrow at the button's top centre, dy lower.
  void PointAt(const AlphaButton* button, int dx = 0, int dy = 0);

  Board* mBoard;
  int mId = 0;
  ObjectList mSteps;  // of owned TutorialStep
  int mCurrent = 0;
  bool mRewound = false;
  Customer* mAwaitedCustomer = nullptr;
  Table* mTargetTable = nullptr;
  bool mPointerShown = false;
  int mPointerX = 0;
  int mPointerY = 0;
  bool mHoldsFloor = false;
  bool mHoldsCustomers = false;
  bool mPointerSideways = false;

private:
  const TutorialStep* Current() const;
};

// ---- The lessons (their steps and texts in TutorialScripts.cpp) ----

// Day 1: a demo customer served from the cup to the table.
class FirstIceCreamTutorial : public Tutorial {
public:
  explicit FirstIceCreamTutorial(Board* board);
  void OnEvent(int step) override;
  // Asks again for the demo customer while no table was free.
  void Update() override;
  bool IsDemoSent() const { return mDemoSent; }

private:
  bool mDemoSent = false;
};

// The first topping: a demo customer who wants a cherry on top.
class ToppingTutorial : public Tutorial {
public:
  explicit ToppingTutorial(Board* board);
  void OnEvent(int step) override;
  void Update() override;
  bool IsDemoSent() const { return mDemoSent; }

private:
  bool mDemoSent = false;
};

// The fast-forward button, and its twin shown from the heroine's ice-cream
// errand.
class FastButtonTutorial : public Tutorial {
public:
  explicit FastButtonTutorial(Board* board);
  void OnEvent(int step) override;
};
class IGSpeedButtonTutorial : public Tutorial {
public:
  explicit IGSpeedButtonTutorial(Board* board);
  void OnEvent(int step) override;
};

// An empty ice-cream box: refilling it at the machine and putting it back
// with the box's button.
class IceCreamMachineTutorial : public Tutorial {
public:
  IceCreamMachineTutorial(Board* board, AlphaButton* boxButton);
  AlphaButton* GetBoxButton() const { return mBoxButton; }

private:
  AlphaButton* mBoxButton;
};

// Monkey treats: code 31 banana, 32 apple, 33 pear, 34 super banana.
class FruitPresTutorial : public Tutorial {
public:
  FruitPresTutorial(Board* board, int code);
};
// Decorations: code 22 umbrella, 23 cocktail stick, 24 straw, 25 sparkler.
class DecorationPresTutorial : public Tutorial {
public:
  DecorationPresTutorial(Board* board, int code);
};

class ChocolateSaucePresTutorial : public Tutorial {
public:
  explicit ChocolateSaucePresTutorial(Board* board);
};
class SprinklesPresTutorial : public Tutorial {
public:
  explicit SprinklesPresTutorial(Board* board);
};
class CookiesPresTutorial : public Tutorial {
public:
  explicit CookiesPresTutorial(Board* board);
};
class LemonadePresTutorial : public Tutorial {
public:
  explicit LemonadePresTutorial(Board* board);
};
class JugglingPresTutorial : public Tutorial {
public:
  explicit JugglingPresTutorial(Board* board);
};
class BarrelOrganPresTutorial : public Tutorial {
public:
  explicit BarrelOrganPresTutorial(Board* board);
};
class SunshadePresTutorial : public Tutorial {
public:
  explicit SunshadePresTutorial(Board* board);
};
class ConePresTutorial : public Tutorial {
public:
  explicit ConePresTutorial(Board* board);
};
class PlatePresTutorial : public Tutorial {
public:
  explicit PlatePresTutorial(Board* board);
};

// Leftovers on a table that no customer will sit at.
class TrashTutorial : public Tutorial {
public:
  TrashTutorial(Board* board, Table* table);
};
// A customer at the table wants a napkin.
class NapkinTutorial : public Tutorial {
public:
  NapkinTutorial(Board* board, Table* table);
};

class GoldenIceCreamTutorial : public Tutorial {
public:
  explicit GoldenIceCreamTutorial(Board* board);
};
// A bonus item on the belt at (x, y).
class BonusTutorial : public Tutorial {
public:
  BonusTutorial(Board* board, int x, int y);
};

class SpecialCupTutorial : public Tutorial {
public:
  explicit SpecialCupTutorial(Board* board);
};
class BananaSplitTutorial : public Tutorial {
public:
  explicit BananaSplitTutorial(Board* board);
};
class SpecialPlateTutorial : public Tutorial {
public:
  explicit SpecialPlateTutorial(Board* board);
};
class CakeTutorial : public Tutorial {
public:
  explicit CakeTutorial(Board* board);
};

class ReputationStarTutorial : public Tutorial {
public:
  explicit ReputationStarTutorial(Board* board);
};

// The first Happy Hour game.
class HappyHourTutorial : public Tutorial {
public:
  explicit HappyHourTutorial(Board* board);
  void OnEvent(int step) override;
};

// A new flavour, presented at the box it has just filled.
class StrawberryPresTutorial : public Tutorial {
public:
  explicit StrawberryPresTutorial(Board* board);
};
class ChocolatePresTutorial : public Tutorial {
public:
  explicit ChocolatePresTutorial(Board* board);
};
class PearPresTutorial : public Tutorial {
public:
  explicit PearPresTutorial(Board* board);
};
class BlueberryPresTutorial : public Tutorial {
public:
  explicit BlueberryPresTutorial(Board* board);
};
class PineapplePresTutorial : public Tutorial {
public:
  explicit PineapplePresTutorial(Board* board);
};
// The lesson of the flavour that a flavour count of 2..6 has just added
// (strawberry, chocolate, pear, blueberry, pineapple: the boxes 1..5 they
// fill); none for other counts.
Tutorial* NewFlavourTutorial(Board* board, int flavourCount);

class ServeFastTutorial : public Tutorial {
public:
  explicit ServeFastTutorial(Board* board);
};

// A new lesson by its id: the fruit and decoration presentations take their
// item code, the trash and napkin lessons their table. None for the unused
// id 4, for the machine and bonus lessons (their board events make them
// with what they need) and for a trash or napkin lesson without a table.
Tutorial* MakeTutorial(Board* board, int id, int code = 0, Table* table = nullptr);

}  // namespace Plix
