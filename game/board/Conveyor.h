#pragma once
// The belt that brings finished and bonus items along the counter. The
// board updates it every tick, moves it every frame and asks it for the
// item under the mouse.
namespace Plix {

class Board;
class IceCream;

// A place on the belt that carries one item along.
class ConveyorContainer {
public:
  int GetSerial() const { return mSerial; }
  float GetX() const { return mX; }
  // Set on the containers while the belt runs backwards.
  bool IsReverseMarked() const { return mReverseMarked; }

private:
  int mSerial = 0;
  float mX = 0;
  bool mReverseMarked = false;
};

class Conveyor {
public:
  explicit Conveyor(Board* board) : mBoard(board) {}
  Conveyor(const Conveyor&) = delete;
  Conveyor& operator=(const Conveyor&) = delete;

  void Update() {}
  // Once a frame, by the fraction of a tick.
  void Move(float) {}
  // The item whose hit box holds the point, none when there is none.
  IceCream* ItemAt(int, int) { return nullptr; }
  void SetHighlightedItem(IceCream* item) { mHighlighted = item; }
  IceCream* GetHighlightedItem() const { return mHighlighted; }
  // No container and no pending item.
  bool IsEmpty() const { return true; }

  // What the heroine's errands ask of the belt.
  bool HasItemOnBelt(const IceCream*) const { return false; }
  ConveyorContainer* FindContainerOfItem(const IceCream*) { return nullptr; }
  bool HasContainerWithSerial(int) const { return false; }
  ConveyorContainer* FindContainerBySerial(int) { return nullptr; }
  void RemoveItemFromBelt(IceCream*) {}
  bool IsReversing() const { return false; }
  void FastForward() {}
  // The bonus items' effects: the belt runs backwards, or stands a while.
  void StartReverse() {}
  void Pause() {}
  // Whether the item may enter the belt now.
  bool CanAddContainer(const IceCream&) const { return false; }
  // A new item of the kind joins the items waiting to go on, at the back
  // or at the front.
  void AddItem(int, bool) {}

private:
  Board* mBoard;
  IceCream* mHighlighted = nullptr;
};

}  // namespace Plix
