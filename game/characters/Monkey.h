#pragma once
// Vurez, the monkey who takes the player's tasks in story mode: carrying
// dishes, clearing tables, napkins, cookies, lemonade and the
// entertainment. The board creates him and steps his running task every
// frame.
#include "game/app/ZObject.h"

namespace Plix {

class Board;

class Monkey : public ZObject {
public:
  explicit Monkey(Board* board) : mBoard(board) {}
  Monkey(const Monkey&) = delete;
  Monkey& operator=(const Monkey&) = delete;

  // Once a frame: the running task moves by the fraction of a tick.
  void StepCurrentTask(float) {}

private:
  Board* mBoard;
};

}  // namespace Plix
