#include "game/app/Splash.h"

#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/app/GameScreens.h"

namespace Plix {

Splash::Splash(GameScreens& app) : mApp(app) {
  ScreenHost& host = app.GetScreenHost();
  for (int n = 0; n < kMaxLogos; ++n) {
    mLogos[n] = host.LoadImage("logos/splash" + std::to_string(n));
    if (!mLogos[n]) break;
    mLogoCount = n + 1;
  }
}

Splash::~Splash() {
  for (Image* logo : mLogos) delete logo;
}

void Splash::Update() {
  Widget::Update();
  if (mLogoCount == 0) {
    mApp.SplashToLoader();
    return;
  }
  switch (mState) {
    case kFadingIn:
      if (mAlpha < 255) mAlpha += 2;
      if (mAlpha >= 255) {
        mAlpha = 255;
        mState = kHolding;
        mTicks = 0;
      }
      break;
    case kHolding:
      if (++mTicks == 100) {
        mState = kFadingOut;
        mTicks = 0;
      }
      break;
    case kFadingOut:
      if (mAlpha > 0) mAlpha -= 2;
      if (mAlpha <= 0) {
        ++mCurrentLogo;
        mState = kFadingIn;
        if (mCurrentLogo == mLogoCount) {
          mApp.SplashToLoader();
          return;
        }
      }
      break;
    default:
      break;
  }
  MarkDirty();
}

void Splash::MouseDown(int x, int y, int clickCount) {
  Widget::MouseDown(x, y, clickCount);
  if (mState == kHolding || (mState == kFadingIn && mAlpha > 64)) {
    mState = kFadingOut;
    mTicks = 0;
  }
}

void Splash::Draw(Graphics* g) {
  g->SetColor(Color(0, 0, 0, 255));
  g->FillRect(0, 0, 800, 600);
  if (mAlpha <= 0 || mCurrentLogo >= mLogoCount) return;
  Image* logo = mLogos[mCurrentLogo];
  const int x = (800 - logo->GetWidth()) / 2;
  const int y = (600 - logo->GetHeight()) / 2;
  if (mState == kHolding) {
    g->DrawImage(logo, x, y);
    return;
  }
  g->SetImageTinting(true);
  g->SetColor(Color(255, 255, 255, mAlpha));
  g->DrawImage(logo, x, y);
  g->SetColor(Color(255, 255, 255, 255));
  g->SetImageTinting(false);
}

}  // namespace Plix
