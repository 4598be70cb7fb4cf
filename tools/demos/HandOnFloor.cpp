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
  // The first point where it is the one lit up.
  return ScanButton(*button, x, y, [&](int px, int py) { return ButtonUnder(board, px, py) == button; });
}

bool HandOnFloor::TablePoint(Board& board, Table* table, int& x, int& y) {
  if (!table || !board.mUncle->IsIdle()) return false;
  // The nearest point that lights the table up: no button over it, and
  // the first table hit there.
  return ScanTable(*table, x, y, [&](int px, int py) {
    if (ButtonUnder(board, px, py)) return false;
    ObjectListIterator it;
    for (it.Begin(board.GetTables()); !it.AtEnd(); it.Next()) {
      auto* t = static_cast<Table*>(it.Get());
      if (t->HitTest(px, py)) return t == table;
    }
    return false;
  });
}

}  // namespace Plix::Demos
