// Things in the air over the floor, the notices and the sparkler sound.
#include "framework/graphics/Image.h"
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

void Board::ShowNotice(Image* image, int centerX, int centerY, bool rising) {
  BoardNotice& notice = mNotices[mNextNotice];
  mNextNotice = (mNextNotice + 1) % kNoticeCount;
  notice.mImage = image;
  notice.mCenterX = centerX;
  notice.mTopY = static_cast<float>(centerY - (image ? image->GetHeight() : 0) / 2);
  notice.mRiseSpeed = 1.0f;
  notice.mCounter = 0;
  notice.mAlpha = 0;
  notice.mState = 1;
  notice.mRising = rising;
}

void BoardNotice::Update() {}

}  // namespace Plix
