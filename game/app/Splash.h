#pragma once
// The maker's logos ("logos/splash0", "logos/splash1", ... up to four),
// each fading in and out on black before the loader screen, at once in a
// window and full screen alike (the desktop's mode never changes, so there
// is no display to wait for). A click skips the rest of the logo being
// shown, once it is visible enough.
#include "framework/widget/Widget.h"

namespace Plix {

class GameScreens;
class Image;

class Splash : public Widget {
public:
  enum State { kFadingIn = 0, kHolding = 1, kFadingOut = 2 };
  static constexpr int kMaxLogos = 4;

  explicit Splash(GameScreens& app);
  ~Splash() override;

  void Update() override;
  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int clickCount) override;

  int GetLogoCount() const { return mLogoCount; }
  int GetCurrentLogo() const { return mCurrentLogo; }
  int GetState() const { return mState; }
  int GetAlpha() const { return mAlpha; }

private:
  GameScreens& mApp;
  Image* mLogos[kMaxLogos] = {};
  int mLogoCount = 0;
  int mCurrentLogo = 0;
  int mState = kFadingIn;
  int mTicks = 0;
  int mAlpha = 0;
};

}  // namespace Plix
