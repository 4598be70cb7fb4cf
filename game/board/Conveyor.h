#pragma once
// The belt that brings every ordered container and bonus item along the
// counter, from its left end to the serving monkey at its right end. The
// board updates it every tick, moves it every frame and asks it for the
// item under the mouse. It can run fast, backwards or stand a while.
#include "game/app/ObjectList.h"
#include "game/board/WalkPath.h"

namespace Plix {

class Board;
class Graphics;
class IceCream;

// A place on the belt that carries one item along.
class ConveyorContainer {
public:
  // Takes the item; its serial number is the next of the program's count.
  explicit ConveyorContainer(IceCream* item);
  ~ConveyorContainer();
  ConveyorContainer(const ConveyorContainer&) = delete;
  ConveyorContainer& operator=(const ConveyorContainer&) = delete;

  int GetSerial() const { return mSerial; }
  float GetX() const { return mCursor.GetX(); }
  float GetY() const { return mCursor.GetY(); }
  IceCream* GetItem() const { return mItem; }
  PathCursor& GetCursor() { return mCursor; }
  // Set once a container has backed up to the belt's start: while the belt
  // runs backwards the heroine follows only such a container.
  bool IsReverseMarked() const { return mStoppedAtStart; }
  bool IsStoppedAtEnd() const { return mStoppedAtEnd; }
  int GetYOffset() const { return mYOffset; }
  // Whether the point lies in the container's click area.
  bool HitTest(int x, int y) const;

  // The serial number the next container will get.
  static int PeekNextSerial();

private:
  friend class Conveyor;

  IceCream* mItem;  // owned
  PathCursor mCursor;
  bool mStoppedAtEnd = false;
  bool mStoppedAtStart = false;
  int mYOffset = 0;
  int mSerial = 0;
};

// A spot of dirt riding round on the belt.
struct ConveyorDirt {
  int mCel = 0;
  PathCursor mCursor;
};

class Conveyor {
public:
  static constexpr int kDirtCount = 9;
  static constexpr float kGap = 24.0f;
  // The left end of the belt, where the dirt fades, and the right end.
  static constexpr float kStartX = 41.0f;
  static constexpr float kEndX = 466.0f;

  explicit Conveyor(Board* board);
  ~Conveyor();
  Conveyor(const Conveyor&) = delete;
  Conveyor& operator=(const Conveyor&) = delete;

  // A new day: the belt empties and runs at the day's speed.
  void Reset();
  // Once a tick: an item enters when there is room, pause, ramp and
  // fast-forward run their course.
  void Update();
  // Once a frame, by the fraction of a tick.
  void Move(float dt);
  void Draw(Graphics& g);

  // The item whose hit box holds the point, none when there is none.
  IceCream* ItemAt(int x, int y);
  void SetHighlightedItem(IceCream* item) { mHighlighted = item; }
  IceCream* GetHighlightedItem() const { return mHighlighted; }
  // How many items of the kind wait to go on.
  int CountWaiting(int kind) const;
  // No container and no pending item.
  bool IsEmpty() const { return mContainers.IsEmpty() && mPending.IsEmpty(); }

  // What the heroine's errands ask of the belt.
  bool HasItemOnBelt(const IceCream* item) const;
  ConveyorContainer* FindContainerOfItem(const IceCream* item) const;
  bool HasContainerWithSerial(int serial) const { return FindContainerBySerial(serial) != nullptr; }
  ConveyorContainer* FindContainerBySerial(int serial) const;
  // The first golden ice cream riding the belt, none when there is none.
  IceCream* FindItemOfKind12() const;
  // Takes the item's container off the belt and deletes the item.
  void RemoveItemFromBelt(IceCream* item);
  bool IsReversing() const { return mReversing; }
  bool IsFastForward() const { return mFastForward; }
  bool IsJammed() const { return mJammed; }
  void FastForward();
  // The bonus items' effects: the belt runs backwards, or stands a while.
  void StartReverse();
  void Pause();
  // Whether the item may enter the belt now.
  bool CanAddContainer(const IceCream& item) const;
  // A new item of the kind joins the items waiting to go on, at the back
  // or at the front.
  void AddItem(int kind, bool atFront);
  // Every item on the belt loses its errand marker.
  void ForEachItem();
  void ClearStoppedAtEnd();

  // Speed changes: towards the speed over that many ticks (0: at once).
  void SetSpeed(float speed, int frames);
  void SetSpeedNow(float speed);
  float GetSpeed() const { return mSpeed; }
  float GetTargetSpeed() const { return mTargetSpeed; }
  float GetBaseSpeed() const { return mBaseSpeed; }
  int GetPauseCountdown() const { return mPauseCountdown; }

  // In entering order: the first has gone furthest.
  const ObjectList& GetContainers() const { return mContainers; }
  int GetPendingCount() const { return mPending.GetCount(); }
  ConveyorContainer* GetLastAdded() const { return mLastAdded; }
  const WalkPath& GetBelt() const { return mBelt; }
  const ConveyorDirt& GetDirt(int i) const { return mDirt[i]; }

private:
  void MoveForward(float distance);
  void MoveBackward(float distance);
  void EnterFirstPending();
  // The bonus item lessons as an item passes the heroine.
  void CheckBonusLesson(ConveyorContainer& container);
  void DeleteAll();

  Board* mBoard;
  ObjectList mContainers;  // of owned ConveyorContainer
  ConveyorContainer* mLastAdded = nullptr;
  WalkPath mBelt;
  ConveyorDirt mDirt[kDirtCount];
  float mBaseSpeed;
  float mSpeed;
  float mTargetSpeed;
  float mStep = 0;
  float mGap = kGap;
  bool mJammed = false;
  bool mReversing = false;
  bool mFastForward = false;
  int mPauseCountdown = 0;
  float mPauseRamp = 0;
  float mSavedSpeed = 0;
  ObjectList mPending;  // of owned IceCream
  IceCream* mHighlighted = nullptr;
};

}  // namespace Plix
