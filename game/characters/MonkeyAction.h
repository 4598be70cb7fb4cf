#pragma once
// The monkey's tasks. Every click he takes becomes one of these objects in
// his queue. When a task reaches the front its Run says what happens next:
// it ends, it is replaced, it puts another task (a walk, a trip to the
// trash station, the juggling itself) in front of itself, or it starts
// running, after which Apply is asked once a tick until it is complete.
// Most station tasks have two halves told apart by `done`: the first sends
// him walking (or clears his hands first), the second works at the station.
#include <memory>

#include "game/board/WalkPath.h"

namespace Plix {

class BarMovementNode;
class Board;
class Monkey;
class MonkeyAction;
class Table;

// Kind codes, reported to the tutorials and keyed by the station badges.
enum MonkeyActionKind {
  kMonkeyWalk = 1,
  kMonkeyToTable = 2,
  kMonkeyToCounterDish = 3,
  kMonkeyToTrashStation = 4,
  kMonkeyToNapkins = 5,
  kMonkeyToLemonade = 6,
  kMonkeyToCookies = 7,
  kMonkeyToJugglingBalls = 8,
  kMonkeyJuggle = 9,
  kMonkeyToBarrelOrgan = 10,
};

// What Run answers: finished, and the task to run instead or first (itself
// or none when there is no other).
struct MonkeyActionResult {
  bool finished = false;
  MonkeyAction* next = nullptr;
};

class MonkeyAction {
public:
  MonkeyAction(Monkey* monkey, bool countsClick);
  virtual ~MonkeyAction();
  MonkeyAction(const MonkeyAction&) = delete;
  MonkeyAction& operator=(const MonkeyAction&) = delete;

  virtual MonkeyActionResult Run() = 0;
  // Once a tick while running; true when the work is complete.
  virtual bool Apply() { return true; }
  // Once a frame while running.
  virtual void Step(float) {}
  virtual int GetKind() const { return mKind; }

  void Finish() { mDone = true; }
  bool IsDone() const { return mDone; }
  bool CountsClick() const { return mCountsClick; }
  bool ClickGivenBack() const { return mClickGivenBack; }

  // Tasks alive in the process.
  static int GetLiveCount() { return sLiveCount; }

protected:
  // The answers.
  MonkeyActionResult Finished() { return {true, this}; }
  MonkeyActionResult Running() { return {false, this}; }
  MonkeyActionResult First(MonkeyAction* task) { return {false, task}; }
  MonkeyActionResult ReplacedBy(MonkeyAction* task) { return {true, task}; }
  // Lowers the station's (or table's) badge, once, when the click counts.
  void GiveBackClick(Table* table = nullptr);
  // A walk to the node in front; the next Run does the second half.
  MonkeyActionResult WalkFirst(BarMovementNode* node);
  // A trip to the trash station in front that counts no click.
  MonkeyActionResult TrashFirst();
  // The station tasks' first half: walk with empty hands; give up while
  // holding a tray some customer wants; otherwise empty the hands first.
  MonkeyActionResult StartTowards(BarMovementNode* node);
  // He holds the tray and some customer wants something on it.
  bool HoldsWantedTray() const;
  // A walk to the node can start (or he already stands there).
  bool CanWalkTo(BarMovementNode* node) const;
  void Play(int sound) const;

  bool mDone = false;
  Monkey* mMonkey;
  Board* mBoard;
  int mKind = 0;
  bool mCountsClick;
  bool mClickGivenBack = false;

private:
  static int sLiveCount;
};

// ---- Getting somewhere ----

class MonkeyWalkAction : public MonkeyAction {
public:
  MonkeyWalkAction(Monkey* monkey, BarMovementNode* target);
  ~MonkeyWalkAction() override;
  MonkeyActionResult Run() override;
  void Step(float dt) override;
  bool Apply() override { return mArrived; }
  BarMovementNode* GetTarget() const { return mTarget; }
  WalkPath* GetPath() const { return mPath.get(); }

private:
  BarMovementNode* mTarget;
  std::unique_ptr<WalkPath> mPath;
  bool mArrived = false;
};

// ---- Tables, counter and trash ----

// Serves the tray, hands over what he holds, or collects the dishes.
class MonkeyToTableAction : public MonkeyAction {
public:
  MonkeyToTableAction(Monkey* monkey, Table* table, bool countsClick);
  MonkeyActionResult Run() override;
  Table* GetTable() const { return mTable; }

private:
  Table* mTable;
};

// Takes the whole tray off the counter once the serving monkey has put
// down what he brings.
class MonkeyToCounterDishAction : public MonkeyAction {
public:
  explicit MonkeyToCounterDishAction(Monkey* monkey);
  MonkeyActionResult Run() override;
  bool Apply() override;
};

class MonkeyToTrashStationAction : public MonkeyAction {
public:
  MonkeyToTrashStationAction(Monkey* monkey, bool countsClick);
  MonkeyActionResult Run() override;
};

// ---- Napkins, lemonade and cookies ----

// Fetches one thing from a stock station and keeps it until a table task
// hands it over.
class MonkeyToStockAction : public MonkeyAction {
public:
  MonkeyActionResult Run() override;

protected:
  MonkeyToStockAction(Monkey* monkey, int kind, int nodeKind);
  // What is left at the station; the napkins never run out.
  virtual int StockLeft() const = 0;
  // Takes one; the carry code.
  virtual int Take() = 0;
  virtual void AfterPickUp() = 0;

private:
  int mNodeKind;
};

class MonkeyToNapkinsAction : public MonkeyToStockAction {
public:
  explicit MonkeyToNapkinsAction(Monkey* monkey);

protected:
  int StockLeft() const override { return 1; }
  int Take() override;
  void AfterPickUp() override;
};

class MonkeyToLemonadeAction : public MonkeyToStockAction {
public:
  explicit MonkeyToLemonadeAction(Monkey* monkey);

protected:
  int StockLeft() const override;
  int Take() override;
  void AfterPickUp() override;
};

class MonkeyToCookiesAction : public MonkeyToStockAction {
public:
  explicit MonkeyToCookiesAction(Monkey* monkey);

protected:
  int StockLeft() const override;
  int Take() override;
  void AfterPickUp() override;
};

// ---- Entertainment ----

// Balls → stage → juggle while the customers watch → balls back.
class MonkeyToJugglingBallsAction : public MonkeyAction {
public:
  explicit MonkeyToJugglingBallsAction(Monkey* monkey);
  MonkeyActionResult Run() override;
  bool HasJuggled() const { return mJuggled; }

private:
  // Puts the balls back where they are and shows the button again.
  MonkeyActionResult GiveUp();

  bool mJuggled = false;
};

class MonkeyJuggleAction : public MonkeyAction {
public:
  explicit MonkeyJuggleAction(Monkey* monkey);
  MonkeyActionResult Run() override;
  bool Apply() override;
};

class MonkeyToBarrelOrganAction : public MonkeyAction {
public:
  explicit MonkeyToBarrelOrganAction(Monkey* monkey);
  MonkeyActionResult Run() override;
  bool Apply() override;
};

}  // namespace Plix
