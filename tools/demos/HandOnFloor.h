#pragma once
// The recorder's hand on the shop floor: presses pushed as SDL input at
// points found by the same hit tests the floor uses, so that looking never
// moves the game's mouse.
#include "tools/demos/FloorPlayer.h"
#include "tools/demos/Hand.h"

namespace Plix::Demos {

class HandOnFloor : public FloorHand {
public:
  explicit HandOnFloor(Hand& hand) : mHand(hand) {}
  bool ButtonPoint(Board& board, AlphaButton* button, int& x, int& y) override;
  bool TablePoint(Board& board, Table* table, int& x, int& y) override;
  void Move(int x, int y) override { mHand.Move(x, y); }
  void Press(int x, int y, bool right) override { mHand.Click(x, y, right); }
  void Click(int x, int y) override { mHand.Click(x, y); }
  void PressHere(Board&) override { mHand.ClickHere(); }

private:
  Hand& mHand;
};

}  // namespace Plix::Demos
