#include "tests/board/ScriptedPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/board/Table.h"

namespace Plix::Testing {

bool WidgetHand::ButtonPoint(Board& board, AlphaButton* button, int& x, int& y) {
  if (!button || !button->IsVisible()) return false;
  for (const Spot& spot : mSpots) {
    if (spot.what != button) continue;
    mWidgets.MouseMove(spot.x, spot.y);
    if (board.mHoverButton == button) {
      x = spot.x, y = spot.y;
      return true;
    }
  }
  // From the middle outwards, wrapping round: the first point it lights up at.
  const int w = std::max(button->GetWidth(), 1), h = std::max(button->GetHeight(), 1);
  for (int dy = 0; dy < h; dy += 3) {
    for (int dx = 0; dx < w; dx += 3) {
      x = button->GetX() + (w / 2 + dx) % w;
      y = button->GetY() + (h / 2 + dy) % h;
      mWidgets.MouseMove(x, y);
      if (board.mHoverButton != button) continue;
      std::erase_if(mSpots, [&](const Spot& s) { return s.what == button; });
      mSpots.push_back({button, x, y});
      return true;
    }
  }
  return false;
}

bool WidgetHand::TablePoint(Board& board, Table* table, int& x, int& y) {
  if (!table) return false;
  for (const Spot& spot : mSpots) {
    if (spot.what != table) continue;
    mWidgets.MouseMove(spot.x, spot.y);
    if (board.mHoverTarget == table) {
      x = spot.x, y = spot.y;
      return true;
    }
  }
  const int cx = table->GetX() + table->GetWidth() / 2, cy = table->GetY() + table->GetHeight() / 2;
  // Outwards from the middle: the nearest point that lights the table up.
  for (int r = 0; r < 120; r += 4) {
    for (int dy = -r; dy <= r; dy += 4) {
      for (int dx = -r; dx <= r; dx += 4) {
        if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
        x = cx + dx, y = cy + dy;
        mWidgets.MouseMove(x, y);
        if (board.mHoverTarget != table) continue;
        std::erase_if(mSpots, [&](const Spot& s) { return s.what == table; });
        mSpots.push_back({table, x, y});
        return true;
      }
    }
  }
  return false;
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
