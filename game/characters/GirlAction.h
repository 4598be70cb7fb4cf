#pragma once
// The heroine's errands. Every click she takes becomes one or two of these
// objects in her queue; she asks the front one to run, steps it every frame
// and applies it every tick until it reports completion. Most errands have
// two halves told apart by `done`: the first sends her walking (or clears
// her hands), the second works at the station.
#include "game/board/WalkPath.h"

namespace Plix {

class AlphaButton;
class Board;
class Girl;
class GirlAction;
class IceCream;
class WalkPath;
struct IceCreamBox;

// Kind codes, reported to the board and keyed by the station badges.
enum GirlActionKind {
  kGirlToIceCream = 5,
  kGirlWalkByBench = 6,
  kGirlWalkByCounter = 7,
  kGirlToTrashcan = 8,
  kGirlToIceCreamBox = 9,
  kGirlToCherries = 10,
  kGirlToSprinkles = 11,
  kGirlToChocolateSauce = 12,
  kGirlToUmbrellas = 13,
  kGirlToCocktailSticks = 14,
  kGirlToStraws = 15,
  kGirlToSparklers = 16,
  kInitToIceCreamMachine = 17,
  kGirlToIceCreamMachine = 18,
  kGirlToStrawBerry = 19,
  kGirlToPear = 20,
  kGirlToChocolate = 21,
  kGirlToBlueBerry = 22,
  kGirlToPineApple = 23,
  kGirlToBananas = 24,
  kGirlToApples = 25,
  kGirlToPears = 26,
  kGirlToSuperBanana = 27,
  kGirlToServingMonkey = 28,
  kGirlSpecialCup = 29,
  kGirlBananaSplit = 30,
  kGirlSpecialPlate = 31,
  kGirlCake = 32,
  kGirlToFFButton = 33,
};

// What Run answers: finished, and the errand to run first (itself or none
// when there is no other).
struct GirlActionResult {
  bool finished = false;
  GirlAction* next = nullptr;
};

class GirlAction {
public:
  GirlAction(Girl* girl, bool countsClick);
  virtual ~GirlAction();
  GirlAction(const GirlAction&) = delete;
  GirlAction& operator=(const GirlAction&) = delete;

  // Starts the errand (see the header comment); fills the result.
  virtual void Run(GirlActionResult& result) = 0;
  // Once a tick while running; true when the work is complete.
  virtual bool Apply() { return false; }
  // Once a frame while running.
  virtual void Step(float) {}
  virtual int GetKind() const { return mKind; }

  void Finish() { mDone = true; }
  bool IsDone() const { return mDone; }
  bool CountsClick() const { return mCountsClick; }
  // The click has been given back to its station.
  bool ClickGivenBack() const { return mClickGivenBack; }
  // The errand that clears her hands before this one; none when what she
  // holds has no put-away (or its own place is taken).
  GirlAction* MakePutAwayAction();

  // Errands alive in the process.
  static int GetLiveCount() { return sLiveCount; }

protected:
  // Lowers the station's pending clicks, once, when the click counts.
  void GiveBackClick(void* target = nullptr);
  // Answers: nothing (more) to do; the click is given back.
  void AnswerFinished(GirlActionResult& result, void* target = nullptr);
  // Answers with the put-away errand, or finishes when there is none.
  void AnswerPutAway(GirlActionResult& result, void* target = nullptr);
  // Answers with a walk to the station; the next Run does the second half.
  void AnswerWalk(GirlActionResult& result, GirlAction* walk);
  // Her body animation has played out.
  bool AnimationOver() const;

  bool mDone = false;
  Girl* mGirl;
  Board* mBoard;
  int mKind = 0;
  bool mCountsClick;
  bool mClickGivenBack = false;

private:
  static int sLiveCount;
};

// ---- Walks ----

class GirlWalkAction : public GirlAction {
public:
  GirlWalkAction(Girl* girl, float targetX, float yOffset, bool bench);
  void Run(GirlActionResult& result) override;
  void Step(float dt) override;
  bool Apply() override { return mPhase == 2; }
  float GetTargetX() const { return mTargetX; }
  float GetYOffset() const { return mYOffset; }
  int GetPhase() const { return mPhase; }

private:
  WalkPath* Path() const;
  void PointAt(float x, float& outX, float& outY) const;
  void Arrive();

  int mPhase = 0;
  float mTargetX;
  float mYOffset;
  bool mBench;
  PathSegment mSegment;
  PathCursor mCursor;
};

class GirlWalkByBenchAction : public GirlWalkAction {
public:
  GirlWalkByBenchAction(Girl* girl, float x) : GirlWalkAction(girl, x, 0.0f, true) {}
};

class GirlWalkByCounterAction : public GirlWalkAction {
public:
  GirlWalkByCounterAction(Girl* girl, float x, float yOffset) : GirlWalkAction(girl, x, yOffset, false) {}
};

// ---- The belt ----

class GirlToIceCreamAction : public GirlAction {
public:
  GirlToIceCreamAction(Girl* girl, IceCream* item);
  void Run(GirlActionResult& result) override;
  void Step(float dt) override;
  bool Apply() override;
  // The item while its container rides the belt; none once it has left.
  IceCream* GetItem() const;
  // 0 stepping onto the counter path, 1 following, 2 adding, 3 over.
  int GetPhase() const { return mPhase; }
  int GetContainerId() const { return mContainerId; }

private:
  void GiveUp();
  void Arrive();

  int mPhase = 0;
  PathSegment mSegment;
  PathCursor mCursor;
  bool mStartSpeedTutorial = false;
  // The container is known by its serial, never by address: the belt
  // deletes it when it leaves, and a new one may take its place in memory.
  int mContainerId = 0;
};

// ---- Trash can, fast-forward and treats ----

class GirlToTrashcanAction : public GirlAction {
public:
  GirlToTrashcanAction(Girl* girl, bool countsClick);
  void Run(GirlActionResult& result) override;
  bool Apply() override;
};

class GirlToFFButtonAction : public GirlAction {
public:
  explicit GirlToFFButtonAction(Girl* girl);
  void Run(GirlActionResult& result) override;
  bool Apply() override { return AnimationOver(); }
};

class GirlToServingMonkeyAction : public GirlAction {
public:
  explicit GirlToServingMonkeyAction(Girl* girl);
  void Run(GirlActionResult& result) override;
  bool Apply() override;

private:
  void StartThrow();

  int mPhase = 0;  // 0 waiting for the last treat to land, 1 throwing
  bool mThrown = false;
};

// ---- Stations on the bench: toppings, decorations and treats ----

// One table row per station: what she takes there and how the board's
// stock and button follow.
struct StationInfo {
  int kind;
  int carryCode;
  float benchX;    // negative: asked from the board (the toppings)
  bool topping;    // no stock; the station button shows it is out
  bool giveBack;   // what she holds can go back to the stock
};

class GirlToStationAction : public GirlAction {
public:
  GirlToStationAction(Girl* girl, bool countsClick, const StationInfo& info);
  void Run(GirlActionResult& result) override;
  bool Apply() override;

protected:
  float StationX() const;
  bool IsTopping() const;
  int Stock() const;
  // The board's stock and station follow the item changing hands.
  void Take();
  void Return();
  void HandOver();

  const StationInfo& mInfo;
  bool mTaken = false;
};

class GirlToCherriesAction : public GirlToStationAction {
public:
  GirlToCherriesAction(Girl* girl, bool countsClick);
};
class GirlToSprinklesAction : public GirlToStationAction {
public:
  GirlToSprinklesAction(Girl* girl, bool countsClick);
};
class GirlToChocolateSauceAction : public GirlToStationAction {
public:
  GirlToChocolateSauceAction(Girl* girl, bool countsClick);
};
class GirlToUmbrellasAction : public GirlToStationAction {
public:
  GirlToUmbrellasAction(Girl* girl, bool countsClick);
};
class GirlToCocktailSticksAction : public GirlToStationAction {
public:
  GirlToCocktailSticksAction(Girl* girl, bool countsClick);
};
class GirlToStrawsAction : public GirlToStationAction {
public:
  GirlToStrawsAction(Girl* girl, bool countsClick);
};
class GirlToSparklersAction : public GirlToStationAction {
public:
  GirlToSparklersAction(Girl* girl, bool countsClick);
};
class GirlToBananasAction : public GirlToStationAction {
public:
  GirlToBananasAction(Girl* girl, bool countsClick);
  void Run(GirlActionResult& result) override;
};
class GirlToApplesAction : public GirlToStationAction {
public:
  GirlToApplesAction(Girl* girl, bool countsClick);
};
class GirlToPearsAction : public GirlToStationAction {
public:
  GirlToPearsAction(Girl* girl, bool countsClick);
};
class GirlToSuperBananaAction : public GirlToStationAction {
public:
  explicit GirlToSuperBananaAction(Girl* girl);
};

// ---- Ice-cream boxes, ingredients and the machine ----

class GirlToIceCreamBoxAction : public GirlAction {
public:
  GirlToIceCreamBoxAction(Girl* girl, bool countsClick, IceCreamBox* box, AlphaButton* button, bool takeBox);
  void Run(GirlActionResult& result) override;
  bool Apply() override;
  IceCreamBox* GetBox() const { return mBox; }
  AlphaButton* GetButton() const { return mButton; }
  bool TakesWholeBox() const { return mTakeBox; }

private:
  IceCreamBox* mBox;
  bool mScooped = false;
  bool mBoxPlaced = false;
  AlphaButton* mButton;
  bool mTakeBox;
};

// The click on the machine; the heroine replaces it by the machine's
// sequence when it reaches the front.
class InitToIceCreamMachineAction : public GirlAction {
public:
  explicit InitToIceCreamMachineAction(Girl* girl);
  void Run(GirlActionResult& result) override;
};

class GirlToIceCreamMachineAction : public GirlAction {
public:
  GirlToIceCreamMachineAction(Girl* girl, bool countsClick);
  void Run(GirlActionResult& result) override;
  bool Apply() override;
  // 0 press start, 1 load the empty box, 2 put the ingredient in, 3 wait,
  // 4 take the full box out.
  int GetPhase() const { return mPhase; }

private:
  int mPhase = 0;
};

class GirlToIngredientAction : public GirlAction {
public:
  GirlToIngredientAction(Girl* girl, int kind, int code, float benchX);
  void Run(GirlActionResult& result) override;
  bool Apply() override;
  int GetIngredient() const { return mCode; }

private:
  int mCode;
  float mBenchX;
  bool mTaken = false;
};

class GirlToStrawBerryAction : public GirlToIngredientAction {
public:
  explicit GirlToStrawBerryAction(Girl* girl) : GirlToIngredientAction(girl, kGirlToStrawBerry, 26, 590.0f) {}
};
class GirlToChocolateAction : public GirlToIngredientAction {
public:
  explicit GirlToChocolateAction(Girl* girl) : GirlToIngredientAction(girl, kGirlToChocolate, 27, 564.0f) {}
};
class GirlToPearAction : public GirlToIngredientAction {
public:
  explicit GirlToPearAction(Girl* girl) : GirlToIngredientAction(girl, kGirlToPear, 28, 634.0f) {}
};
class GirlToBlueBerryAction : public GirlToIngredientAction {
public:
  explicit GirlToBlueBerryAction(Girl* girl) : GirlToIngredientAction(girl, kGirlToBlueBerry, 29, 658.0f) {}
};
class GirlToPineAppleAction : public GirlToIngredientAction {
public:
  explicit GirlToPineAppleAction(Girl* girl) : GirlToIngredientAction(girl, kGirlToPineApple, 30, 712.0f) {}
};

// ---- Special dishes from the freezer ----

class GirlPickUpDishAction : public GirlAction {
public:
  // dish: 0 special cup, 1 banana split, 2 special plate, 3 cake.
  GirlPickUpDishAction(Girl* girl, int dish);
  void Run(GirlActionResult& result) override;
  bool Apply() override;

private:
  int mDish;
  bool mFreezerOpened = false;
  bool mFreezerClosed = false;
};

class GirlAddDishAction : public GirlAction {
public:
  GirlAddDishAction(Girl* girl, int dish);
  void Run(GirlActionResult& result) override;
  bool Apply() override;

private:
  int mDish;
};

class GirlPickUpSpecialCupAction : public GirlPickUpDishAction {
public:
  explicit GirlPickUpSpecialCupAction(Girl* girl) : GirlPickUpDishAction(girl, 0) {}
};
class GirlPickUpBananaSplitAction : public GirlPickUpDishAction {
public:
  explicit GirlPickUpBananaSplitAction(Girl* girl) : GirlPickUpDishAction(girl, 1) {}
};
class GirlPickUpSpecialPlateAction : public GirlPickUpDishAction {
public:
  explicit GirlPickUpSpecialPlateAction(Girl* girl) : GirlPickUpDishAction(girl, 2) {}
};
class GirlPickUpCakeAction : public GirlPickUpDishAction {
public:
  explicit GirlPickUpCakeAction(Girl* girl) : GirlPickUpDishAction(girl, 3) {}
};
class GirlAddSpecialCupAction : public GirlAddDishAction {
public:
  explicit GirlAddSpecialCupAction(Girl* girl) : GirlAddDishAction(girl, 0) {}
};
class GirlAddBananaSplitAction : public GirlAddDishAction {
public:
  explicit GirlAddBananaSplitAction(Girl* girl) : GirlAddDishAction(girl, 1) {}
};
class GirlAddSpecialPlateAction : public GirlAddDishAction {
public:
  explicit GirlAddSpecialPlateAction(Girl* girl) : GirlAddDishAction(girl, 2) {}
};
class GirlAddCakeAction : public GirlAddDishAction {
public:
  explicit GirlAddCakeAction(Girl* girl) : GirlAddDishAction(girl, 3) {}
};

}  // namespace Plix
