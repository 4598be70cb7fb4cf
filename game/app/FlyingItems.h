#pragma once
// Things the play field throws across the shop floor in an arc, and the
// money pop-up that rises where money was earned. The play field owns,
// updates and draws them (they are not in the particle list).
#include <string>

#include "game/app/Curve.h"

namespace Plix {

class Graphics;

// Graphics::Translate, kept out of this header.
void TranslateFlight(Graphics& g, int dx, int dy);

// Something moving that a flying item aims at: the monkey catching fruit,
// the customer an ice cream is for. Monkey and FlowCustomer implement it.
class FlightTarget {
public:
  virtual ~FlightTarget() = default;
  virtual float GetX() const = 0;
  virtual float GetY() const = 0;
};

// The arc shared by the flying items: a quadratic curve from the start to
// the target whose control point lies 300 pixels above the middle of the
// start and a given point (the target, or near it).
class Flight {
public:
  void Start(float x, float y, float endX, float endY, float apexX, float apexY, float speed);
  // Moves the end point; the control point stays where it was put.
  void Aim(float endX, float endY) { mCurve.SetEnd(endX, endY); }
  // One tick: advances t by speed x step (at most 1) and moves along the
  // curve. True, with nothing changed, once t had already reached 1 (or
  // when there is no curve to follow).
  bool Advance(float step);
  bool HasCurve() const { return mHasCurve; }
  bool HasArrived() const { return mT >= 1.0f; }
  float GetT() const { return mT; }
  float GetX() const { return mX; }
  float GetY() const { return mY; }

private:
  Curve mCurve;
  bool mHasCurve = false;
  float mT = 0;
  float mSpeed = 0;
  float mX = 0;
  float mY = 0;
};

// Fruit thrown from the fruit station to the monkey: 31 and 34 banana, 32
// apple, 33 pear.
class FlyingFruit {
public:
  FlyingFruit(int kind, FlightTarget* monkey, float x, float y, float speed);

  // True once the fruit has arrived.
  bool Update(float step);
  void Draw(Graphics& g);

  int GetKind() const { return mKind; }
  float GetX() const { return mFlight.GetX(); }
  float GetY() const { return mFlight.GetY(); }
  float GetRotation() const { return mRotation; }

private:
  int mKind;
  FlightTarget* mMonkey;
  Flight mFlight;
  float mRotation = 0;
};

// A finished ice cream flying to the customer who ordered it, or to a fixed
// point. It is the ice cream itself (the play field hands it over on
// arrival), so it takes the play field's ice cream type, which draws itself
// at the drawing origin: using FlyingIceCream = FlyingIceCreamOf<IceCream>.
template <class IceCreamType>
class FlyingIceCreamOf : public IceCreamType {
public:
  FlyingIceCreamOf(const IceCreamType& iceCream, float x, float y, float speed, FlightTarget* target)
      : IceCreamType(iceCream), mTarget(target) {
    if (target) {
      float tx = target->GetX(), ty = target->GetY();
      mFlight.Start(x, y, tx, ty, tx, ty, speed);
    }
  }
  // Towards a fixed end point.
  FlyingIceCreamOf(const IceCreamType& iceCream, float x, float y, float speed, float endX, float endY)
      : IceCreamType(iceCream) {
    mFlight.Start(x, y, endX, endY, endX, endY, speed);
  }

  FlightTarget* GetTarget() const { return mTarget; }

  // True once it has arrived.
  bool Update(float step) {
    if (mFlight.HasArrived()) return true;
    if (mTarget) mFlight.Aim(mTarget->GetX(), mTarget->GetY());
    return mFlight.Advance(step);
  }

  // The ice cream drawn with the origin moved to the item's position.
  void Draw(Graphics& g) {
    int dx = static_cast<int>(mFlight.GetX()), dy = static_cast<int>(mFlight.GetY());
    TranslateFlight(g, dx, dy);
    IceCreamType::Draw(g);
    TranslateFlight(g, -dx, -dy);
  }

  float GetX() const { return mFlight.GetX(); }
  float GetY() const { return mFlight.GetY(); }

private:
  FlightTarget* mTarget = nullptr;
  Flight mFlight;
};

// "$25" rising and swaying where money was earned: 100 ticks at full
// strength, then fading over 64; a value the play field restarts.
class MoneyPopup {
public:
  MoneyPopup() = default;

  void Start(int amount, int x, float y);
  void Update();
  void Draw(Graphics& g);

  bool IsDone() const { return mDone; }
  const std::wstring& GetText() const { return mText; }
  int GetAlpha() const { return mAlpha; }
  float GetY() const { return mY; }
  // Where the text is written now.
  int GetDrawX() const;
  void SetDelay(int delay) { mDelay = delay; }

private:
  std::wstring mText;
  int mX = 0;
  float mY = 0;
  float mPhase = 0;
  int mAlpha = 255;
  int mDelay = 0;
  int mHold = 50;
  float mAmplitude = 0;
  bool mDone = true;
};

}  // namespace Plix
