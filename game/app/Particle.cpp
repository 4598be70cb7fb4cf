#include "game/app/Particle.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

int HalfCelWidth(const Image* image) { return image ? image->GetCellWidth() / 2 : 0; }
int HalfCelHeight(const Image* image) { return image ? image->GetCellHeight() / 2 : 0; }

}  // namespace

AnimationParticle::AnimationParticle(float x, float y, const Animation& animation) : Particle(x, y) {
  SetAnimation(animation);
}

void AnimationParticle::SetAnimation(const Animation& animation) {
  mAnimation = animation;
  mAnimation.ShareFrames();
  mAnimation.Reset();
  mX -= static_cast<float>(HalfCelWidth(mAnimation.GetImage()));
  mY -= static_cast<float>(HalfCelHeight(mAnimation.GetImage()));
}

void AnimationParticle::SetColor(int r, int g, int b, int a) {
  mColor = Color(r, g, b, a);
  mColorize = true;
}

bool AnimationParticle::Update() {
  if (Waiting()) return true;
  return mAnimation.Update();
}

void AnimationParticle::Draw(Graphics& g) {
  if (mDelay > 0 || mAnimation.IsFinished() || !mAnimation.GetImage()) return;
  if (mAdditive) g.SetDrawMode(DRAWMODE_ADDITIVE);
  if (mColorize) {
    g.SetImageTinting(true);
    g.SetColor(mColor);
  }
  g.DrawImageCell(mAnimation.GetImage(), static_cast<int>(mX), static_cast<int>(mY), mAnimation.GetCurrentCel());
  if (mColorize) g.SetImageTinting(false);
  if (mAdditive) g.SetDrawMode(DRAWMODE_NORMAL);
}

void Glide::Move(float& x, float& y) {
  x = x + endX * blend + startX * (1.0f - blend);
  y = y + endY * blend + startY * (1.0f - blend);
  blend = blend + step;
  if (blend > 1.0f) blend = 1.0f;
}

FadingParticle::FadingParticle(float x, float y, Image* image) : Particle(x, y), mImage(image) {
  if (image) {
    mX -= static_cast<float>(image->GetWidth() / 2);
    mY -= static_cast<float>(image->GetHeight() / 2);
  }
}

void FadingParticle::SetColor(int r, int g, int b, int a) { mColor = Color(r, g, b, a); }

void FadingParticle::SetFadeIn(bool fadeIn) {
  mFadeIn = fadeIn;
  mAlpha = 0;
}

bool FadingParticle::Update() {
  if (mFadeIn && !mFadeInDone) {
    mAlpha += 2 * mFadeStep;
    if (mAlpha >= 255) {
      mAlpha = 255;
      mFadeInDone = true;
    }
    return true;
  }
  mAlpha -= mFadeStep;
  if (mAlpha < 0) {
    mAlpha = 0;
    return false;
  }
  return true;
}

void FadingParticle::Draw(Graphics& g) {
  if (!mImage) return;
  if (mAdditive) g.SetDrawMode(DRAWMODE_ADDITIVE);
  g.SetImageTinting(true);
  g.SetColor(Color(mColor.mRed, mColor.mGreen, mColor.mBlue, mAlpha));
  g.DrawImage(mImage, static_cast<int>(mX), static_cast<int>(mY));
  g.SetImageTinting(false);
  g.SetDrawMode(DRAWMODE_NORMAL);
}

CoinParticle::CoinParticle(float x, float y) : Particle(x, y) {
  mX -= static_cast<float>(HalfCelWidth(IMAGE_COIN));
  mY -= static_cast<float>(HalfCelHeight(IMAGE_COIN));
  const float x0 = mX, y0 = mY;
  // The arc bows sideways by up to 128 pixels, across the straight line.
  float nx = -x0, ny = y0;
  NormalizeVector(nx, ny);
  float s = static_cast<float>((Rand() % 200 - 100) * 128) * 0.01f;
  float mx = (x0 + kEndX) * 0.5f, my = (y0 + kEndY) * 0.5f;
  mCurve.SetStart(x0, y0);
  mCurve.SetEnd(kEndX, kEndY);
  mCurve.SetStartTangent(mx + s * ny - x0, my + s * nx - y0);
  mCurve.SetEndTangent(0, 0);
}

bool CoinParticle::Update() {
  if (Waiting()) return true;
  mCurve.Evaluate(mT, mX, mY);
  mT = mT + mSpeed;
  mAlpha = mT >= 0.75f ? 0 : 255 - static_cast<int>(mT * 255 / 0.75);
  mGlow = mT < 0.5f ? static_cast<int>(255 * mT) : static_cast<int>(255 * (1 - mT));
  if (++mSpinCounter % 4 == 0) mCel = (mCel + 1) % 4;
  return mT <= 1.0f;
}

void CoinParticle::Draw(Graphics& g) {
  if (mDelay > 0) return;
  g.SetImageTinting(true);
  g.SetColor(Color(255, 255, 255, mAlpha));
  if (IMAGE_COIN) g.DrawImageCell(IMAGE_COIN, static_cast<int>(mX), static_cast<int>(mY), mCel);
  g.SetDrawMode(DRAWMODE_ADDITIVE);
  g.SetColor(Color(mGlow, mGlow, mGlow, 255));
  if (IMAGE_COIN_GLOW) g.DrawImage(IMAGE_COIN_GLOW, static_cast<int>(mX) - 15, static_cast<int>(mY) - 15);
  g.SetDrawMode(DRAWMODE_NORMAL);
  g.SetImageTinting(false);
}

FireWorkParticle::FireWorkParticle(float x, float y) : Particle(x, y) {
  float ex = Rand() % 2 == 0 ? x - 50 - static_cast<float>(Rand() % 100) : x + 50 + static_cast<float>(Rand() % 100);
  float ey = y - 200 - static_cast<float>(Rand() % 100);
  mCurve.SetStart(x, y);
  mCurve.SetControl((x + ex) * 0.5f, ey - 100);
  mCurve.SetEnd(ex, ey);
  if (Rand() % 2 == 0) GetGameHost()->PlaySound(Rand() % 2 == 0 ? SOUND_FIREWORKS_LIFT_1 : SOUND_FIREWORKS_LIFT_2);
}

bool FireWorkParticle::Update() {
  if (mT < 1.0f) {
    mT = mT + mSpeed;
    if (mT < 1.0f) {
      auto* trail = new FadingParticle(mX, mY, IMAGE_MAP_FIREWORK_THING);
      trail->SetFadeStep(8);
      trail->SetAdditive(true);
      trail->SetColor(mColor.mRed, mColor.mGreen, mColor.mBlue, mColor.mAlpha);
      GetGameHost()->AddParticle(trail);
    } else {
      mT = 1.0f;
      mBurstCel = 0;
      mBurstTimer = 10;
      if (Rand() % 2 == 0) GetGameHost()->PlaySound(SOUND_FIREWORKS_EXPLOSION);
    }
    mCurve.Evaluate(mT, mX, mY);
    return true;
  }
  if (--mBurstTimer > 0) return true;
  if (++mBurstCel == 11) return false;
  mBurstTimer = 10;
  return true;
}

void FireWorkParticle::Draw(Graphics& g) {
  if (mT < 1.0f || !IMAGE_MAP_FIREWORKS) return;
  g.SetDrawMode(DRAWMODE_ADDITIVE);
  g.SetImageTinting(true);
  g.SetColor(mColor);
  int x = static_cast<int>(mX - static_cast<float>(HalfCelWidth(IMAGE_MAP_FIREWORKS)));
  int y = static_cast<int>(mY - static_cast<float>(HalfCelHeight(IMAGE_MAP_FIREWORKS)));
  g.DrawImageCell(IMAGE_MAP_FIREWORKS, x, y, mBurstCel);
  g.SetImageTinting(false);
  g.SetDrawMode(DRAWMODE_NORMAL);
}

void ParticleList::UpdateParticles() {
  ObjectList ended;
  if (!mParticles.IsEmpty()) {
    ObjectListIterator it;
    it.Begin(mParticles);
    do {
      auto* p = static_cast<Particle*>(it.Get());
      if (!p->Update()) ended.PushFront(p);
    } while (it.Next());
  }
  void* item = nullptr;
  while (ended.PopFront(item)) {
    mParticles.Remove(item);
    delete static_cast<Particle*>(item);
  }
}

void ParticleList::DrawParticles(Graphics& g) {
  if (mParticles.IsEmpty()) return;
  ObjectListIterator it;
  it.Begin(mParticles);
  do static_cast<Particle*>(it.Get())->Draw(g);
  while (it.Next());
}

void ParticleList::ClearParticles() {
  void* item = nullptr;
  while (mParticles.PopFront(item)) delete static_cast<Particle*>(item);
}

}  // namespace Plix
