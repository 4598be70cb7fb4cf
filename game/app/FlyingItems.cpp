#include "game/app/FlyingItems.h"

#include <cmath>

#include "framework/graphics/Graphics.h"
#include "framework/util/Utilities.h"
#include "game/app/GameResources.h"

namespace Plix {

void TranslateFlight(Graphics& g, int dx, int dy) { g.Translate(dx, dy); }

void Flight::Start(float x, float y, float endX, float endY, float apexX, float apexY, float speed) {
  mCurve.SetStart(x, y);
  mCurve.SetControl((apexX + x) / 2, (apexY + y) / 2 - 300);
  mCurve.SetEnd(endX, endY);
  mHasCurve = true;
  mSpeed = speed;
  mT = 0;
  mX = x;
  mY = y;
}

bool Flight::Advance(float step) {
  if (mT >= 1.0f || !mHasCurve) return true;
  mT = mT + mSpeed * step;
  if (mT > 1.0f) mT = 1.0f;
  mCurve.Evaluate(mT, mX, mY);
  return false;
}

FlyingFruit::FlyingFruit(int kind, FlightTarget* monkey, float x, float y, float speed) : mKind(kind), mMonkey(monkey) {
  if (monkey) {
    float mx = monkey->GetX(), my = monkey->GetY();
    mFlight.Start(x, y, mx, my - 40, mx, my, speed);
  }
}

bool FlyingFruit::Update(float step) {
  if (mFlight.HasArrived()) return true;
  mRotation = mRotation + step * 0.1f;
  // The monkey may have moved: the end follows it, the arc's top stays.
  if (mMonkey) mFlight.Aim(mMonkey->GetX() - 32, mMonkey->GetY() - 98);
  return mFlight.Advance(step);
}

void FlyingFruit::Draw(Graphics& g) {
  Image* image = nullptr;
  switch (mKind) {
    case 31:
    case 34: image = IMAGE_BANANA; break;
    case 32: image = IMAGE_APPLE; break;
    case 33: image = IMAGE_PEAR; break;
    default: return;
  }
  if (!image) return;
  g.DrawImageRotated(image, static_cast<int>(mFlight.GetX()), static_cast<int>(mFlight.GetY()), mRotation);
}

void MoneyPopup::Start(int amount, int x, float y) {
  mText = StringToWString(StrFormat("$%d", amount));
  mX = x;
  mY = y;
  mAlpha = 255;
  mDelay = 0;
  mHold = 100;
  mPhase = 0;
  mAmplitude = 0;
  mDone = false;
}

void MoneyPopup::Update() {
  if (mDelay > 0) {
    --mDelay;
    return;
  }
  if (mDone) return;
  if (--mHold < 0) {
    mAlpha -= 4;
    if (mAlpha <= 0) {
      mAlpha = 0;
      mDone = true;
      return;
    }
  }
  mPhase += 0.075f;
  mAmplitude += 0.05f;
  mY -= 0.6f;
}

int MoneyPopup::GetDrawX() const { return mX + static_cast<int>(mAmplitude * std::sin(double(mPhase))); }

void MoneyPopup::Draw(Graphics& g) {
  if (mDelay > 0 || mDone) return;
  g.SetFont(FONT_GREEN_NUMBERS);
  g.SetColor(Color(255, 255, 255, mAlpha));
  g.WriteString(mText, GetDrawX(), static_cast<int>(mY));
}

}  // namespace Plix
