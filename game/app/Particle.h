#pragma once
// Short-lived effects: sparkles, puffs, flying coins, fireworks. They live
// in the application-wide ParticleList, which updates them every tick,
// deletes each as soon as its Update returns false and draws the rest.
#include "framework/graphics/Color.h"
#include "game/app/Animation.h"
#include "game/app/Curve.h"
#include "game/app/ObjectList.h"

namespace Plix {

class Graphics;
class Image;

class Particle {
public:
  // (x, y) is the top-left draw position.
  Particle(float x, float y) : mX(x), mY(y) {}
  virtual ~Particle() = default;
  Particle(const Particle&) = delete;
  Particle& operator=(const Particle&) = delete;

  // One tick; true while the particle lives.
  virtual bool Update() { return false; }
  virtual void Draw(Graphics& g) {}

  float GetX() const { return mX; }
  float GetY() const { return mY; }
  // Ticks to wait before the effect starts.
  void SetDelay(int delay) { mDelay = delay; }
  int GetDelay() const { return mDelay; }

protected:
  // Counts the delay down; true while still waiting.
  bool Waiting() { return mDelay > 0 && --mDelay > 0; }

  float mX;
  float mY;
  int mDelay = 0;
};

// Plays a copy of an animation centred on its position. The creator keeps
// the template animation (which owns the frames) alive meanwhile.
class AnimationParticle : public Particle {
public:
  AnimationParticle(float x, float y, const Animation& animation);

  bool Update() override;
  void Draw(Graphics& g) override;
  // Copies the animation without its frames, restarts it and centres the
  // particle on its given position.
  virtual void SetAnimation(const Animation& animation);
  virtual void SetSpeed(float speed) { mAnimation.SetSpeed(speed); }
  virtual void SetColor(int r, int g, int b, int a);
  virtual void SetAdditive(bool additive) { mAdditive = additive; }

  const Animation& GetAnimation() const { return mAnimation; }

protected:
  Animation mAnimation;
  Color mColor = Color(255, 255, 255, 255);
  bool mColorize = false;
  bool mAdditive = false;
};

// Velocity that glides from a start value to an end value over
// 1 / blend step ticks.
struct Glide {
  float startX = 0, startY = 0;
  float endX = 0, endY = 0;
  float blend = 0;
  float step = 0.01f;

  void Move(float& x, float& y);
};

// An image fading out (optionally first fading in), centred on its
// position.
class FadingParticle : public Particle {
public:
  FadingParticle(float x, float y, Image* image);

  bool Update() override;
  void Draw(Graphics& g) override;
  // Only red, green and blue are used; the alpha is the fade's.
  virtual void SetColor(int r, int g, int b, int a);
  virtual void SetFadeStep(int step) { mFadeStep = step; }
  virtual void SetAdditive(bool additive) { mAdditive = additive; }
  // Sets the flag and starts from alpha 0 either way.
  virtual void SetFadeIn(bool fadeIn);

  int GetAlpha() const { return mAlpha; }

protected:
  Image* mImage;
  bool mAdditive = false;
  Color mColor = Color(255, 255, 255, 255);
  int mAlpha = 255;
  int mFadeStep = 1;
  bool mFadeIn = false;
  bool mFadeInDone = false;
};

// The moving variants: the velocity glides from its start to its end value
// (over 100 ticks by default) and then stays.
template <class Base>
class MovingParticle : public Base {
public:
  using Base::Base;

  bool Update() override {
    if (this->Waiting()) return true;
    mGlide.Move(this->mX, this->mY);
    return Base::Update();
  }
  // Both the start and the end velocity.
  virtual void SetVelocity(float vx, float vy) {
    mGlide.startX = mGlide.endX = vx;
    mGlide.startY = mGlide.endY = vy;
  }
  virtual void SetEndVelocity(float vx, float vy) {
    mGlide.endX = vx;
    mGlide.endY = vy;
  }
  virtual void SetBlendStep(float step) { mGlide.step = step; }

private:
  Glide mGlide;
};

using MovingAnimationParticle = MovingParticle<AnimationParticle>;
using MovingFadingParticle = MovingParticle<FadingParticle>;

// A coin flying from where it was earned to the takings display, spinning,
// glowing and fading on the way.
class CoinParticle : public Particle {
public:
  // Where the takings are shown.
  static constexpr float kEndX = 453.0f;
  static constexpr float kEndY = 29.0f;

  // (x, y) is the coin's centre.
  CoinParticle(float x, float y);

  bool Update() override;
  void Draw(Graphics& g) override;
  void SetSpeed(float speed) { mSpeed = speed; }

  const CubicCurve& GetCurve() const { return mCurve; }
  int GetAlpha() const { return mAlpha; }
  int GetGlow() const { return mGlow; }
  int GetCel() const { return mCel; }

private:
  CubicCurve mCurve;
  float mT = 0;
  float mSpeed = 0.01f;
  int mCel = 0;
  int mSpinCounter = 0;
  int mAlpha = 255;
  int mGlow = 0;
};

// A rocket rising from its launch point with a trail, then bursting.
class FireWorkParticle : public Particle {
public:
  FireWorkParticle(float x, float y);

  bool Update() override;
  void Draw(Graphics& g) override;
  void SetColor(int r, int g, int b, int a) { mColor = Color(r, g, b, a); }

  const Curve& GetCurve() const { return mCurve; }
  bool IsBursting() const { return mT >= 1.0f; }
  int GetBurstCel() const { return mBurstCel; }

private:
  Curve mCurve;
  float mT = 0;
  float mSpeed = 0.01f;
  int mBurstCel = 0;
  int mBurstTimer = 10;
  Color mColor = Color(255, 255, 255, 255);
};

// The application-wide particle list. It owns its particles: newest first,
// each deleted when its Update returns false, all deleted by Clear.
class ParticleList {
public:
  ParticleList() = default;
  ~ParticleList() { ClearParticles(); }
  ParticleList(const ParticleList&) = delete;
  ParticleList& operator=(const ParticleList&) = delete;

  void AddParticle(Particle* particle) { mParticles.PushFront(particle); }
  // Updates every particle, then deletes those that ended; none is deleted
  // while the walk runs (particles may add new ones meanwhile).
  void UpdateParticles();
  void DrawParticles(Graphics& g);
  void ClearParticles();
  int GetCount() const { return mParticles.GetCount(); }

private:
  ObjectList mParticles;
};

}  // namespace Plix
