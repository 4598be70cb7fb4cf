// Balloons, tutorial hooks and the small event services of the board.
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Tutorial.h"
#include "game/characters/Girl.h"

namespace Plix {

void Board::CloseBalloon() {
  if (!mBalloon) return;
  if (mBalloonSpeaker == 0) mGirl->StopSpecialAnimation();
  if (mBalloonOwned) delete mBalloon;
  mBalloon = nullptr;
}

void Board::MarkProfileFlag(int flag) { Profile().SetFlag(flag, true); }

void Board::DeleteTutorial(Tutorial* tutorial) { delete tutorial; }

}  // namespace Plix
