#include "game/app/Fade.h"

#include "framework/graphics/Graphics.h"

namespace Plix {

void Fade::StartFadeIn() {
  mState = kFadingIn;
  mResult = 0;
}

void Fade::StartFadeOut(int result, int r, int g, int b, int a, int delay, int step, bool hardwareDrawing) {
  mResult = result;
  mColor = Color(r, g, b, a);
  mState = kFadingOut;
  mFrameDrawn = false;
  mDelay = hardwareDrawing ? delay : 0;
  mStep = step;
}

int Fade::UpdateFade() {
  if (mState == kFadingIn) {
    mAlpha -= 6;
    if (mAlpha <= 0) {
      mAlpha = 0;
      mState = kNone;
    }
    return 0;
  }
  if (mState != kFadingOut) return 0;
  if (mDelay > 0) {
    --mDelay;
    return 0;
  }
  if (mAlpha >= 255) {
    mAlpha = 255;
    if (!mFrameDrawn) return 0;
    mState = kFadedOut;
    return mResult;
  }
  mAlpha += mStep;
  if (mAlpha > 255) mAlpha = 255;
  return 0;
}

void Fade::DrawFade(Graphics& g, int width, int height) {
  if (mState == kNone) return;
  Color color(mColor.mRed, mColor.mGreen, mColor.mBlue, mAlpha);
  if (mAlpha >= 255) {
    color.mAlpha = 255;
    mFrameDrawn = true;
  }
  g.SetColor(color);
  g.FillRect(0, 0, width, height);
}

}  // namespace Plix
