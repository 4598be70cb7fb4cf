#include "game/board/AnimatedDecorations.h"

#include <cmath>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"

namespace Plix {

namespace {

int Width(const Image* image) { return image ? image->GetWidth() : 0; }
int Height(const Image* image) { return image ? image->GetHeight() : 0; }

// Plays a non-looping animation to its end, so that it shows nothing until
// it is rewound.
void RunOut(Animation& animation) {
  for (int i = 0; i < 100000 && animation.Update(); ++i) {
  }
}

void DrawGlint(Graphics& g, Image* image, const DecorationGlint& glint) {
  if (!image) return;
  g.SetColor(Color(255, 255, 255, glint.alpha));
  g.DrawImage(image, static_cast<int>(glint.x), static_cast<int>(glint.y));
}

}  // namespace

bool DecorationGlint::Fade() {
  alpha += alphaStep;
  if (alphaStep > 0) {
    if (alpha >= 255) {
      alpha = 255;
      alphaStep = -alphaStep;
    }
    return false;
  }
  return alpha <= 0;
}

void DecorationGlint::Restart() {
  alpha = 0;
  alphaStep = 3 + Rand() % 2;
}

// ------------------------------------------------------------------ fountain

ZFountain::ZFountain(int x, int y) : mX(x), mY(y) {
  for (DecorationGlint& drop : mDrops) ResetDrop(drop);
  for (DecorationGlint& spray : mSprays) ResetSpray(spray);
}

int ZFountain::GetBaseY() { return mY + Height(IMAGE_BG1_FOUNTAIN); }

void ZFountain::ResetDrop(DecorationGlint& drop) {
  drop.Restart();
  drop.x = static_cast<float>(Rand() % 20 + 140 + mX - Width(IMAGE_BG1_FOUNTAIN_PRT3) / 2);
  drop.y = static_cast<float>(Rand() % 64 + 29 + mY - Height(IMAGE_BG1_FOUNTAIN_PRT3) / 2);
  drop.dy = static_cast<float>(Rand() % 100) * 0.005f;
}

void ZFountain::ResetSpray(DecorationGlint& spray) {
  spray.Restart();
  spray.x = static_cast<float>(Rand() % 84 + 116 + mX - Width(IMAGE_BG1_FOUNTAIN_PRT1) / 2);
  spray.y = static_cast<float>(Rand() % 56 + 136 + mY - Height(IMAGE_BG1_FOUNTAIN_PRT1) / 2);
  spray.dy = static_cast<float>(Rand() % 100) * -0.0025f;
  spray.dx = static_cast<float>(Rand() % 100 - 50) * 0.0025f;
}

void ZFountain::Update() {
  for (DecorationGlint& drop : mDrops) {
    if (drop.Fade()) ResetDrop(drop);
    drop.y += drop.dy;
  }
  for (DecorationGlint& spray : mSprays) {
    if (spray.Fade()) ResetSpray(spray);
    spray.y += spray.dy;
    spray.x += spray.dx;
  }
}

void ZFountain::Draw(Graphics& g) {
  g.SetImageTinting(true);
  for (const DecorationGlint& drop : mDrops) DrawGlint(g, IMAGE_BG1_FOUNTAIN_PRT3, drop);
  for (const DecorationGlint& spray : mSprays) DrawGlint(g, IMAGE_BG1_FOUNTAIN_PRT1, spray);
  g.SetImageTinting(false);
}

// ------------------------------------------------------------------ blinkers

ZBlinker::ZBlinker(int x, int y, Image* blinkImage) : mX(x), mY(y) {
  mBlink.SetImage(blinkImage);
  mBlink.AddFrame(0, 5);
  mBlink.AddFrame(1, 5);
  mBlink.AddFrame(0, 5);
  mBlink.Reset();
  RunOut(mBlink);
}

void ZBlinker::Update() {
  ++mTicks;
  if (!mBlink.IsFinished())
    mBlink.Update();
  else if (mTicks % 200 == 0 && Rand() % 3 == 0)
    mBlink.Reset();
}

void ZBlinker::DrawBlink(Graphics& g, int dx, int dy) {
  if (mBlink.IsFinished() || !mBlink.GetImage()) return;
  g.DrawImageCell(mBlink.GetImage(), mX + dx, mY + dy, mBlink.GetCurrentCel());
}

ZPanda::ZPanda(int x, int y) : ZBlinker(x, y, IMAGE_BG2_PANDA_BLINKING) {}
int ZPanda::GetBaseY() { return mY + Height(IMAGE_BG2_PANDA); }
void ZPanda::Draw(Graphics& g) {
  if (IMAGE_BG2_PANDA) g.DrawImage(IMAGE_BG2_PANDA, mX, mY);
  DrawBlink(g, 77, 33);
}

ZRabbit::ZRabbit(int x, int y) : ZBlinker(x, y, IMAGE_BG2_RABBIT_BLINKING) {}
int ZRabbit::GetBaseY() { return mY + Height(IMAGE_BG2_RABBIT); }
void ZRabbit::Draw(Graphics& g) {
  if (IMAGE_BG2_RABBIT) g.DrawImage(IMAGE_BG2_RABBIT, mX, mY);
  DrawBlink(g, 13, 34);
}

ZGiraffe::ZGiraffe(int x, int y) : ZBlinker(x, y, IMAGE_BG2_GIRAFFE_BLINKING) {
  mTongue.SetImage(IMAGE_BG2_GIRAFFE_TOUNGE);
  for (int cel : {0, 1, 2, 3}) mTongue.AddFrame(cel, 10);
  mTongue.AddFrame(4, 100);
  for (int cel : {3, 2, 1, 0}) mTongue.AddFrame(cel, 10);
  mTongue.Reset();
  RunOut(mTongue);
}

int ZGiraffe::GetBaseY() { return mY + Height(IMAGE_BG2_GIRAFFE); }

void ZGiraffe::Update() {
  ZBlinker::Update();
  if (!mTongue.IsFinished())
    mTongue.Update();
  else if (mTicks % 1000 == 0 && Rand() % 2 == 0)
    mTongue.Reset();
}

void ZGiraffe::Draw(Graphics& g) {
  if (IMAGE_BG2_GIRAFFE) g.DrawImage(IMAGE_BG2_GIRAFFE, mX, mY);
  if (!mTongue.IsFinished() && mTongue.GetImage())
    g.DrawImageCell(mTongue.GetImage(), mX + 102, mY + 96, mTongue.GetCurrentCel());
  DrawBlink(g, 78, 42);
}

// ------------------------------------------------------------------ balloons

ZBalloons::ZBalloons(int x, int y, int dayLength)
    : mX(x), mY(y), mBalloonX(static_cast<float>(x + (Width(IMAGE_BG4_BALLOONS) - Width(IMAGE_BG4_BALLOON)) / 2)) {
  // Happy Hour has no day length, and a short day leaves no room before
  // its last ten seconds: the balloon still leaves some time after the
  // tenth second.
  const int length = dayLength > 0 ? dayLength : kDefaultDayLength;
  const int spread = length - 20 >= 1 ? length - 20 : 1;
  mCountdown = (Rand() % spread + 10) * 100;
}

int ZBalloons::GetBaseY() { return mY + Height(IMAGE_BG4_BALLOONS); }

void ZBalloons::Update() {
  if (mCountdown >= 1) {
    if (--mCountdown == 0) mBalloonY = static_cast<float>(mY) + 32.0f;
    return;
  }
  if (mBalloonY > kNotFlying) {
    mBalloonY -= 0.2f;
    mPhase += 0.01f;
  }
}

void ZBalloons::Draw(Graphics& g) {
  if (mBalloonY >= kNotFlying && IMAGE_BG4_BALLOON)
    g.DrawImage(IMAGE_BG4_BALLOON, static_cast<int>(mBalloonX + 16.0f * std::sin(mPhase)),
                static_cast<int>(mBalloonY));
  if (IMAGE_BG4_BALLOONS) g.DrawImage(IMAGE_BG4_BALLOONS, mX, mY);
}

// ------------------------------------------------------------------ sea

ZSea::ZSea(int x, int y) : mX(x), mY(y) {
  for (DecorationGlint& glint : mGlints) ResetGlint(glint);
}

void ZSea::ResetGlint(DecorationGlint& glint) {
  glint.Restart();
  glint.x = static_cast<float>(Rand() % 402 + 160 + mX - Width(IMAGE_TRASH_SMOKE) / 2);
  glint.y = static_cast<float>(Rand() % 109 + 83 + mY - Height(IMAGE_TRASH_SMOKE) / 2);
}

void ZSea::Update() {
  for (DecorationGlint& glint : mGlints)
    if (glint.Fade()) ResetGlint(glint);
}

void ZSea::Draw(Graphics& g) {
  g.SetImageTinting(true);
  for (const DecorationGlint& glint : mGlints) DrawGlint(g, IMAGE_TRASH_SMOKE, glint);
  g.SetImageTinting(false);
}

// ------------------------------------------------------------------ pool

ZPool::ZPool(int x, int y) : mX(x), mY(y) {
  ResetRipple(0);
  ResetRipple(1);
}


void ZPool::ResetRipple(int i) {
  Image* image = i == 0 ? IMAGE_BG6_POOL_RIPPLE_1 : IMAGE_BG6_POOL_RIPPLE_2;
  const int w = Width(image), h = Height(image);
  const float x = static_cast<float>(i == 0 ? mX + w / 2 : mX + 154 + w / 2);
  const float y = static_cast<float>(i == 0 ? mY + 70 + h / 2 : mY + 73 + h / 2);
  auto ripple = std::make_unique<MovingFadingParticle>(x, y, image);
  if (i == 0) {
    ripple->SetVelocity(0.0f, -0.0625f);
    ripple->SetEndVelocity(0.0f, -0.0625f);
    ripple->SetDelay(100 + Rand() % 50);
  } else {
    ripple->SetVelocity(0.0625f, -0.0125f);
    ripple->SetEndVelocity(0.0625f, -0.0125f);
    ripple->SetDelay(125 + Rand() % 50);
  }
  ripple->SetFadeStep(3);
  ripple->SetFadeIn(true);
  mRipples[i] = std::move(ripple);
}

void ZPool::Update() {
  for (int i = 0; i < 2; ++i)
    if (!mRipples[i]->Update()) ResetRipple(i);
}

void ZPool::Draw(Graphics& g) {
  for (const auto& ripple : mRipples)
    if (ripple->GetDelay() <= 0 && IMAGE_BG6_POOL_RIPPLE_1 && IMAGE_BG6_POOL_RIPPLE_2) ripple->Draw(g);
}

// ------------------------------------------------------------------ factory

ZObject* CreateAnimatedDecoration(Board*, int area, int slot, int x, int y, int dayLength) {
  switch (area) {
    case 1:
      if (slot == 7) return new ZFountain(x, y);
      break;
    case 2:
      if (slot == 8) return new ZPanda(x, y);
      if (slot == 9) return new ZRabbit(x, y);
      if (slot == 4) return new ZGiraffe(x, y);
      break;
    case 4:
      if (slot == 3) return new ZBalloons(x, y, dayLength);
      break;
    case 5:
      if (slot == 16) return new ZSea(x, y);
      break;
    case 6:
      if (slot == 9) return new ZPool(x, y);
      break;
    default:
      break;
  }
  return nullptr;
}

}  // namespace Plix
