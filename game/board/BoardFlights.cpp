// Things in the air over the floor, the notices and the sparkler sound.
#include "framework/sound/SoundInstance.h"
#include "game/board/Board.h"

namespace Plix {

void Board::OnSparklerAdded() {
  if (mSparklersInPlay == 0 && mSparklerSound) mSparklerSound->Play(true, false);
  ++mSparklersInPlay;
}

void Board::OnSparklerRemoved() {
  --mSparklersInPlay;
  if (mSparklersInPlay == 0 && mSparklerSound && mSparklerSound->IsPlaying()) mSparklerSound->Stop();
}

void Board::UpdateThrownTreat(float) {}

void Board::UpdateFlyingIceCreams(float) {}

void BoardNotice::Update() {}

}  // namespace Plix
