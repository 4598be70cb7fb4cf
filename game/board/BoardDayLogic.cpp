// The story and Happy Hour logic of the tick and the end of the day.
#include "game/app/GameApp.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"

namespace Plix {

void Board::UpdateStoryLogic() {}

void Board::UpdateIceCreamMachine() {}

int Board::GetIceCreamBatchSize() {
  switch (mMode) {
    case 1: return 16;
    case 2: return 14;
    case 3: return 12;
    default: break;
  }
  int size = Profile().GetBatchSize();
  if (mDay + 1 < 11 && size > 12) size = 12;
  if (mDay + 1 < 38 && size > 14) size = 14;
  return size;
}

}  // namespace Plix
