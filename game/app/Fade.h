#pragma once
// The cover that every screen fades in from and out to. A fade-out runs
// towards a result code, which UpdateFade hands back exactly once: on the
// first update after a frame was drawn fully covered, so the next screen
// never appears before the old one is hidden.
#include "framework/graphics/Color.h"

namespace Plix {

class Graphics;

class Fade {
public:
  enum State { kNone = 0, kFadingIn = 1, kFadingOut = 2, kFadedOut = 3 };

  // The alpha falls by 6 an update from wherever the last fade-out left it.
  void StartFadeIn();
  // Waits `delay` updates first (only when the display draws with 3D
  // acceleration), then raises the alpha by `step` an update to 255. The
  // colour's own alpha is kept but not used.
  void StartFadeOut(int result, int r, int g, int b, int a, int delay, int step, bool hardwareDrawing);
  // Once per update tick: 0, or the fade-out's result once.
  int UpdateFade();
  // At the end of a screen's drawing: the colour at the fade's alpha over
  // the whole window; nothing while no fade runs.
  void DrawFade(Graphics& g, int width, int height);

  // The next UpdateFade asks whether a covered frame was drawn: a fact of
  // the drawing, which keeps its own pace, that the updates depend on.
  bool WaitsForCoveredFrame() const { return mState == kFadingOut && mDelay <= 0 && mAlpha >= 255; }
  bool IsCoveredFrameDrawn() const { return mFrameDrawn; }
  void SetCoveredFrameDrawn(bool drawn) { mFrameDrawn = drawn; }

  int GetFadeState() const { return mState; }
  int GetAlpha() const { return mAlpha; }

private:
  Color mColor = Color(0, 0, 0, 255);
  int mAlpha = 255;
  int mResult = 0;
  int mState = kNone;
  bool mFrameDrawn = false;
  int mDelay = 0;
  int mStep = 0;
};

}  // namespace Plix
