#pragma once
// The belt that brings finished and bonus items along the counter. The
// board updates it every tick, moves it every frame and asks it for the
// item under the mouse.
namespace Plix {

class Board;
class IceCream;

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

private:
  Board* mBoard;
  IceCream* mHighlighted = nullptr;
};

}  // namespace Plix
