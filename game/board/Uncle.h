#pragma once
// The uncle who walks in to hand over a trophy. The board updates him while
// a visit runs (state not 0) and tells him when his balloon types.
#include "game/app/ZObject.h"

namespace Plix {

class Board;

class Uncle : public ZObject {
public:
  explicit Uncle(Board* board) : mBoard(board) {}
  Uncle(const Uncle&) = delete;
  Uncle& operator=(const Uncle&) = delete;

  // 0 while idle.
  int GetState() const { return mState; }
  bool IsIdle() const { return mState == 0; }
  // One tick of a visit.
  void UpdateVisit() {}
  void StartTalking() {}
  void StopTalking() {}
  // A visit to hand over the trophy (0..9) at the grade (1..3).
  void StartAward(int, int) {}
  // His place on the floor, from the environment file.
  void SetPosition(int x, int y) {
    mX = x;
    mY = y;
  }
  int GetX() const { return mX; }
  int GetY() const { return mY; }

private:
  Board* mBoard;
  int mState = 0;
  int mX = 0;
  int mY = 0;
};

}  // namespace Plix
