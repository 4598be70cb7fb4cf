#include "tests/board/ScriptedPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/board/Table.h"

namespace Plix::Testing {

bool WidgetHand::Hover(const void* what, int& x, int& y, const Lit& lit, const std::function<bool()>& scan) {
  for (const Spot& spot : mSpots) {
    if (spot.what == what && lit(spot.x, spot.y)) {
      x = spot.x, y = spot.y;
      return true;
    }
  }
  if (!scan()) return false;
  std::erase_if(mSpots, [&](const Spot& s) { return s.what == what; });
  mSpots.push_back({what, x, y});
  return true;
}

bool WidgetHand::ButtonPoint(Board& board, AlphaButton* button, int& x, int& y) {
  if (!button || !button->IsVisible()) return false;
  const Lit lit = [&](int px, int py) {
    mWidgets.MouseMove(px, py);
    return board.mHoverButton == button;
  };
  return Hover(button, x, y, lit, [&] { return ScanButton(*button, x, y, lit); });
}

bool WidgetHand::TablePoint(Board& board, Table* table, int& x, int& y) {
  if (!table) return false;
  const Lit lit = [&](int px, int py) {
    mWidgets.MouseMove(px, py);
    return board.mHoverTarget == table;
  };
  return Hover(table, x, y, lit, [&] { return ScanTable(*table, x, y, lit); });
}

void WidgetHand::Move(int x, int y) { mWidgets.MouseMove(x, y); }

void WidgetHand::Press(int x, int y, bool right) {
  const int clicks = right ? -1 : 1;
  mWidgets.MouseDown(x, y, clicks);
  mWidgets.MouseUp(x, y, clicks);
}

void WidgetHand::Click(int x, int y) {
  mWidgets.MouseMove(x, y);
  Press(x, y, false);
}

void WidgetHand::PressHere(Board& board) { Press(board.mMouseX, board.mMouseY, false); }

}  // namespace Plix::Testing
