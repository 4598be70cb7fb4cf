#pragma once
// The floor's animated decorations (the fountain, the zoo's panda, rabbit
// and giraffe, the fair's rising balloon, the sea and the pool): small
// floor objects with no part in play. The environment reader asks for the
// one an area's slot stands for; the board updates them every tick and
// draws them through its draw list.
#include <memory>

#include "game/app/Animation.h"
#include "game/app/Particle.h"
#include "game/app/ZObject.h"

namespace Plix {

class Board;
class Image;

// A glint fading in and out; when it has faded out it starts again
// elsewhere.
struct DecorationGlint {
  float x = 0, y = 0, dx = 0, dy = 0;
  int alpha = 0;
  int alphaStep = 0;

  // One tick of the fade; true when the glint has faded out and must be
  // placed again.
  bool Fade();
  // Alpha 0, a new fade-in speed.
  void Restart();
};

class ZFountain : public ZObject {
public:
  static constexpr int kDrops = 6;
  static constexpr int kSprays = 4;
  ZFountain(int x, int y);
  int GetBaseY() override;
  void Draw(Graphics& g) override;
  void Update() override;

  DecorationGlint mDrops[kDrops];
  DecorationGlint mSprays[kSprays];

private:
  void ResetDrop(DecorationGlint& drop);
  void ResetSpray(DecorationGlint& spray);
  int mX, mY;
};

// A body picture with a short blink now and then.
class ZBlinker : public ZObject {
public:
  void Update() override;
  bool IsBlinking() const { return !mBlink.IsFinished(); }
  int GetTicks() const { return mTicks; }

protected:
  ZBlinker(int x, int y, Image* blinkImage);
  void DrawBlink(Graphics& g, int dx, int dy);

  int mX, mY;
  Animation mBlink;
  int mTicks = 0;
};

class ZPanda : public ZBlinker {
public:
  ZPanda(int x, int y);
  int GetBaseY() override;
  void Draw(Graphics& g) override;
};

class ZRabbit : public ZBlinker {
public:
  ZRabbit(int x, int y);
  int GetBaseY() override;
  void Draw(Graphics& g) override;
};

class ZGiraffe : public ZBlinker {
public:
  ZGiraffe(int x, int y);
  int GetBaseY() override;
  void Draw(Graphics& g) override;
  void Update() override;
  bool IsShowingTongue() const { return !mTongue.IsFinished(); }

private:
  Animation mTongue;
};

// A bunch of balloons from which one leaves once a day and rises away.
class ZBalloons : public ZObject {
public:
  // Without a day length (Happy Hour has no arrival schedule) the balloon
  // keeps time by this one.
  static constexpr int kDefaultDayLength = 180;
  static constexpr float kNotFlying = -200.0f;

  ZBalloons(int x, int y, int dayLength);
  int GetBaseY() override;
  void Draw(Graphics& g) override;
  void Update() override;

  int GetCountdown() const { return mCountdown; }
  float GetBalloonX() const { return mBalloonX; }
  float GetBalloonY() const { return mBalloonY; }

private:
  int mX, mY;
  int mCountdown;
  float mBalloonX;
  float mBalloonY = kNotFlying;
  float mPhase = 0;
};

class ZSea : public ZObject {
public:
  static constexpr int kGlints = 16;
  ZSea(int x, int y);
  int GetBaseY() override { return -100; }
  void Draw(Graphics& g) override;
  void Update() override;

  DecorationGlint mGlints[kGlints];

private:
  void ResetGlint(DecorationGlint& glint);
  int mX, mY;
};

class ZPool : public ZObject {
public:
  ZPool(int x, int y);
  int GetBaseY() override { return -100; }
  void Draw(Graphics& g) override;
  void Update() override;

  const MovingFadingParticle& GetRipple(int i) const { return *mRipples[i]; }

private:
  void ResetRipple(int i);
  int mX, mY;
  // The particle classes cannot be assigned: a ripple is made anew each
  // time it starts again.
  std::unique_ptr<MovingFadingParticle> mRipples[2];
};

// The decoration of area `area`, slot `slot` at (x, y), owned by the caller;
// null when that slot has none. dayLength: the story day's length in
// seconds (0 in Happy Hour), which the rising balloon keeps time by.
ZObject* CreateAnimatedDecoration(Board* board, int area, int slot, int x, int y, int dayLength);

}  // namespace Plix
