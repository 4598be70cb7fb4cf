#pragma once
// Vurez, the monkey who takes the player's tasks in story mode: carrying
// dishes, clearing tables, napkins, cookies, lemonade and the
// entertainment. The board creates him and steps his running task every
// frame.
#include "game/app/ZObject.h"
#include "game/board/BarMovementNode.h"
#include "game/board/ItemHolder.h"

namespace Plix {

class Board;
class Table;

class Monkey : public ZObject {
public:
  explicit Monkey(Board* board) : mBoard(board) {}
  Monkey(const Monkey&) = delete;
  Monkey& operator=(const Monkey&) = delete;

  // Once a frame: the running task moves by the fraction of a tick.
  void StepCurrentTask(float) {}
  // The monkey stands at the node (its current node); none leaves him where
  // he is.
  void StandAtNode(BarMovementNode* node) {
    if (!node) return;
    mNode = node;
    mX = node->GetX();
    mY = node->GetY();
  }
  BarMovementNode* GetNode() const { return mNode; }
  // 1 while he carries dishes on his tray.
  int GetCarryKind() const { return mCarryKind; }
  ItemHolder* GetCarriedItems() { return &mCarriedItems; }
  float GetX() const { return mX; }
  float GetY() const { return mY; }

  // The tasks the player's clicks queue; true when one was appended.
  bool EnqueueToTable(Table*) { return false; }
  bool EnqueueToCounterDish() { return false; }
  bool EnqueueToTrashStation() { return false; }
  bool EnqueueToNapkins() { return false; }
  bool EnqueueToCookies() { return false; }
  bool EnqueueToLemonade() { return false; }
  bool EnqueueToJugglingBalls() { return false; }
  bool EnqueueToBarrelOrgan() { return false; }
  // A thrown treat (31..34) has reached him.
  void SpeedUp(int) {}

private:
  Board* mBoard;
  BarMovementNode* mNode = nullptr;
  float mX = 0;
  float mY = 0;
  int mCarryKind = 0;
  ItemHolder mCarriedItems;
};

}  // namespace Plix
