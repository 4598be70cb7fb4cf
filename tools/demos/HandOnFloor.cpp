#include "tools/demos/HandOnFloor.h"

#include <algorithm>
#include <cstdlib>

#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"

namespace Plix::Demos {

namespace {

// The button the floor would light up under (x, y), as its mouse move
// finds it, or null.
AlphaButton* ButtonUnder(Board& board, int x, int y) {
  AlphaButton* candidate = nullptr;
  for (int list : {2, 0, 1}) {
    ObjectListIterator it;
    for (it.Begin(board.mButtonLists[list]); !it.AtEnd(); it.Next()) {
      auto* button = static_cast<AlphaButton*>(it.Get());
      if (button->GetState() != 3 && button->Contains(x, y)) candidate = button;
    }
  }
  return candidate;
}

}  // namespace

bool HandOnFloor::ButtonPoint(Board& board, AlphaButton* button, int& x, int& y) {
  if (!button || !button->IsVisible() || button->GetState() == 3) return false;
  if (Tutorial* lesson = board.GetTutorial()) {
    if (!(lesson->GetStepType() == TutorialStep::kButton && lesson->GetStepTarget() == button)) return false;
  } else if (!board.mUncle->IsIdle()) {
    return false;
  }
  // From the middle outwards, wrapping round: the first point where it is
  // the one lit up.
  const int w = std::max(button->GetWidth(), 1), h = std::max(button->GetHeight(), 1);
  for (int dy = 0; dy < h; dy += 3) {
    for (int dx = 0; dx < w; dx += 3) {
      x = button->GetX() + (w / 2 + dx) % w;
      y = button->GetY() + (h / 2 + dy) % h;
      if (ButtonUnder(board, x, y) == button) return true;
    }
  }
  return false;
}

bool HandOnFloor::TablePoint(Board& board, Table* table, int& x, int& y) {
  if (!table || !board.mUncle->IsIdle()) return false;
  const int cx = table->GetX() + table->GetWidth() / 2, cy = table->GetY() + table->GetHeight() / 2;
  // Outwards from the middle: the nearest point that lights the table up.
  for (int r = 0; r < 120; r += 4) {
    for (int dy = -r; dy <= r; dy += 4) {
      for (int dx = -r; dx <= r; dx += 4) {
        if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
        x = cx + dx, y = cy + dy;
        if (ButtonUnder(board, x, y)) continue;
        Table* first = nullptr;
        ObjectListIterator it;
        for (it.Begin(board.GetTables()); !it.AtEnd() && !first; it.Next()) {
          auto* t = static_cast<Table*>(it.Get());
          if (t->HitTest(x, y)) first = t;
        }
        if (first == table) return true;
      }
    }
  }
  return false;
}

}  // namespace Plix::Demos
