// The station indicators the monkey's tasks change: the entertainment
// buttons he takes away while he performs and the badges his finished
// tasks lower.
#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"

namespace Plix {

namespace {

void Hide(AlphaButton* button) {
  if (!button) return;
  button->SetVisible(false);
  button->SetDisabled(true);
}

void Show(AlphaButton* button) {
  if (!button) return;
  button->SetVisible(true);
  button->SetDisabled(false);
}

void Lower(AlphaButton* button) {
  if (button) button->DecrementPending();
}

}  // namespace

void Board::HideJugglingButton() { Hide(mJugglingButton.get()); }
void Board::ShowJugglingButton() { Show(mJugglingButton.get()); }
void Board::HideBarrelOrganButton() { Hide(mOrganButton.get()); }
void Board::ShowBarrelOrganButton() { Show(mOrganButton.get()); }

void Board::DecrementMonkeyPendingClicks(int kind, Table* table) {
  switch (kind) {
    case 2:
      if (table) table->DecrementPending();
      break;
    case 3: Lower(mDishButton.get()); break;
    case 4: Lower(mTrashStationButton.get()); break;
    case 5: Lower(mNapkinsButton.get()); break;
    case 6:
      for (auto& lemonade : mLemonadeButtons) Lower(lemonade.get());
      break;
    case 7: Lower(mCookiesButton.get()); break;
    case 8: Lower(mJugglingButton.get()); break;
    case 10: Lower(mOrganButton.get()); break;
    default: break;
  }
}

}  // namespace Plix
