// One frame of the shop floor.
#include "game/app/GameApp.h"
#include "game/board/Board.h"

namespace Plix {

void Board::Draw(Graphics* g) {
  if (mApp.GetFadeState() > 0) mApp.DrawFade(g);
  if (!mApp.mAppActive) QueueOverlay();
}

void Board::DrawOverlay(Graphics*) {}

}  // namespace Plix
