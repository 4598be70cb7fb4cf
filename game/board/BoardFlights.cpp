// Things in the air over the floor, the notices and the sparkler sound.
#include <cmath>
#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/platform/DebugOutput.h"
#include "framework/sound/SoundInstance.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/CustomerFlow.h"
#include "game/board/Tutorial.h"
#include "game/characters/Monkey.h"

namespace Plix {

namespace {

constexpr int kFlagReputationStarLesson = 24;

// A small star twinkling where a flight passes.
void Sparkle(GameApp& app, const Animation& star, float x, float y) {
  auto* particle = new AnimationParticle(x, y, star);
  particle->SetColor(255, 255, 200, 255);
  app.AddParticle(particle);
}

// Twenty medium stars bursting out of (cx, cy).
void StarBurst(GameApp& app, const Animation& star, float cx, float cy) {
  for (int i = 0; i < 20; ++i) {
    float dx = static_cast<float>(Rand() % 200 - 100);
    float dy = static_cast<float>(Rand() % 200 - 100);
    NormalizeVector(dx, dy);
    const float reachX = static_cast<float>(Rand() % 32);
    const float reachY = static_cast<float>(Rand() % 32);
    auto* particle = new MovingAnimationParticle(cx + reachX * dx, cy + reachY * dy, star);
    particle->SetSpeed(1.0f + static_cast<float>(Rand() % 100) * 0.01f);
    particle->SetBlendStep(static_cast<float>(Rand() % 100) * 0.0001f);
    const float vx = (1.0f + static_cast<float>(Rand() % 100) * 0.01f) * dx;
    const float vy = (1.0f + static_cast<float>(Rand() % 100) * 0.01f) * dy;
    particle->SetVelocity(vx, vy);
    particle->SetEndVelocity(dx, dy);
    particle->SetColor(255, 255, 200, 255);
    app.AddParticle(particle);
  }
}

void SparkleOnPath(GameApp& app, const Animation& star, const Curve3D& path, float t, int spread) {
  float x = 0, y = 0, z = 0;
  path.Evaluate(t, x, y, z);
  const float ox = static_cast<float>(Rand() % (2 * spread) - spread);
  const float oy = static_cast<float>(Rand() % (2 * spread) - spread);
  Sparkle(app, star, x + ox, y + oy);
}

// The second leg: from the rest point at (x, y) down into the HUD slot.
void TurnToHud(BoardFlight& flight, float x, float y, float endX, float endY) {
  flight.mPath = std::make_unique<Curve3D>();
  flight.mPath->SetStart(x, y, 0.75f);
  flight.mPath->SetControl(460.0f, 400.0f, 0.25f);
  flight.mPath->SetEnd(endX, endY, 0.1f);
  flight.mT = 0.0f;
  flight.mPhase = 1;
}

// The flight's picture at its path point, scaled by the path's depth.
void DrawFlight(GameApp& app, Graphics& g, const BoardFlight& flight, Image* image, bool tinted, int alpha) {
  if (!flight.mPath || !image) return;
  float x = 0, y = 0, z = 0;
  flight.mPath->Evaluate(flight.mT, x, y, z);
  const float w = static_cast<float>(image->GetWidth()) * z;
  const float h = static_cast<float>(image->GetHeight()) * z;
  const bool software = !app.IsHardwareDrawing();
  const bool fast = g.mFastStretch, smooth = g.mLinearBlend;
  if (software) {
    g.SetFastScaling(false);
    g.SetSmoothScaling(true);
  }
  if (tinted) {
    g.SetImageTinting(true);
    g.SetColor(Color(255, 255, 255, alpha));
  }
  g.DrawImageStretched(image, TruncateToInt32(x - w * 0.5f), TruncateToInt32(y - h * 0.5f), TruncateToInt32(w),
                       TruncateToInt32(h));
  if (tinted) g.SetImageTinting(false);
  if (software) {
    g.SetFastScaling(fast);
    g.SetSmoothScaling(smooth);
  }
}

}  // namespace

void Board::OnSparklerAdded() {
  if (mSparklersInPlay == 0 && mSparklerSound) mSparklerSound->Play(true, false);
  ++mSparklersInPlay;
  OutputDebugStringA("Sparklers: " + std::to_string(mSparklersInPlay) + "\n");
}

void Board::OnSparklerRemoved() {
  --mSparklersInPlay;
  OutputDebugStringA("Sparklers: " + std::to_string(mSparklersInPlay) + "\n");
  if (mSparklersInPlay == 0 && mSparklerSound && mSparklerSound->IsPlaying()) mSparklerSound->Stop();
}

void Board::UpdateThrownTreat(float dt) {
  if (!mThrownTreat || !mThrownTreat->Update(dt)) return;
  const int kind = mThrownTreat->GetKind();
  if (mMonkey) mMonkey->SpeedUp(kind);
  mThrownTreat.reset();
}

void Board::UpdateFlyingIceCreams(float dt) {
  FlyingIceCream* arrived = nullptr;
  ObjectListIterator it;
  for (it.Begin(mFlyingIceCreams); !it.AtEnd(); it.Next()) {
    auto* item = static_cast<FlyingIceCream*>(it.Get());
    if (item->Update(dt)) {
      arrived = item;
      break;
    }
  }
  if (!arrived) return;
  if (arrived->GetTarget()) {
    if (mCustomerFlow) mCustomerFlow->HandOver(arrived->GetTarget(), arrived);
  } else {
    mApp.PlaySound(SOUND_GARBAGE_MEDIUM);
    SpawnTrashPuff();
  }
  if (arrived->GetDecoration() == kItemSparkler) OnSparklerRemoved();
  mFlyingIceCreams.Remove(arrived);
  delete arrived;
}

void Board::SpawnTrashPuff() {
  for (int i = 0; i < 6; ++i) {
    const float x = static_cast<float>(mTrashStationX + Rand() % 20 - 10);
    const float y = static_cast<float>(mTrashStationY + Rand() % 10 - 5);
    auto* puff = new MovingFadingParticle(x, y, IMAGE_TRASH_SMOKE);
    puff->SetColor(200, 200, 200, 255);
    puff->SetFadeStep(8);
    const float vx = (static_cast<float>(Rand() % 400) * 0.01f - 2.0f) * 0.5f;
    const float vy = static_cast<float>(Rand() % 400) * -0.01f * 0.5f;
    puff->SetVelocity(vx, vy);
    puff->SetEndVelocity(vx, -vy);
    mApp.AddParticle(puff);
  }
}

void Board::UpdateFlyingStar() {
  BoardFlight& star = mFlyingStar;
  if (!star.mPath) return;
  if (star.mPhase == 0) {
    star.mT += 0.01f;
    if (star.mAlpha < 250) star.mAlpha = star.mAlpha + 8 > 250 ? 250 : star.mAlpha + 8;
    if (star.mT < 1.0f) SparkleOnPath(mApp, mSmallStar, *star.mPath, star.mT, 16);
    if (star.mT > 1.5f) {
      static constexpr float kSlots[5][2] = {{376, 468}, {397, 467}, {419, 467}, {441, 468}, {463, 468}};
      const int n = Profile().GetReputationStars();
      const int slot = n >= 0 && n < 4 ? n : 4;
      TurnToHud(star, 400.0f, 300.0f, kSlots[slot][0], kSlots[slot][1]);
      ShowNotice(IMAGE_CLASS_INCREASED, 400, 300, false);
      StarBurst(mApp, mMediumStar, 400.0f, 300.0f);
    }
    return;
  }
  SparkleOnPath(mApp, mSmallStar, *star.mPath, star.mT, 8);
  star.mT += 0.05f;
  if (star.mT <= 1.0f) return;
  star.mPath.reset();
  PlayerProfile& profile = Profile();
  profile.AddReputationStar();
  if (profile.GetFlag(kFlagReputationStarLesson)) return;
  if (profile.GetShowTutorials())
    mQueuedTutorials.PushBack(MakeTutorial(this, kFlagReputationStarLesson));
  else
    profile.SetFlag(kFlagReputationStarLesson, true);
}

void Board::StartGoldenIceCreamFlight(float x, float y) {
  BoardFlight& flight = mFlyingGoldenIceCream;
  // One flies at a time: a golden ice cream still in the air lands at once,
  // so that every one picked up counts.
  if (flight.mPath) LandGoldenIceCream();
  flight.mPath = std::make_unique<Curve3D>();
  flight.mPhase = 0;
  const float dx = 400.0f - x, dy = 200.0f - y;
  float px = dy, py = -dx;
  if (dx < 0) {
    px = -px;
    py = -py;
  }
  NormalizeVector(px, py);
  flight.mPath->SetStart(x, y, 0.1f);
  flight.mPath->SetControl((x + 400.0f) * 0.5f + px * std::fabs(dx), (y + 200.0f) * 0.5f + py * std::fabs(dy), 1.0f);
  flight.mPath->SetEnd(400.0f, 200.0f, 0.75f);
  flight.mT = 0.0f;
  flight.mSpeed = 0.012f;
  mApp.PlaySound(SOUND_GOLDEN_ICE_CREAM);
}

void Board::UpdateGoldenIceCreamFlight() {
  BoardFlight& flight = mFlyingGoldenIceCream;
  if (!flight.mPath) return;
  if (flight.mPhase == 0) {
    flight.mT += flight.mSpeed;
    if (flight.mT < 1.0f) SparkleOnPath(mApp, mSmallStar, *flight.mPath, flight.mT, 16);
    if (flight.mT > 1.5f) {
      static constexpr float kSlots[5][2] = {{376, 445}, {397, 444}, {418, 444}, {441, 444}, {462, 445}};
      const int slot = mGoldenIceCreams >= 0 && mGoldenIceCreams < 4 ? mGoldenIceCreams : 4;
      TurnToHud(flight, 400.0f, 200.0f, kSlots[slot][0], kSlots[slot][1]);
      ShowNotice(IMAGE_GOLDEN_ICE_CREAM_TEXT, 400, 200, false);
      StarBurst(mApp, mMediumStar, 400.0f, 200.0f);
    }
    return;
  }
  SparkleOnPath(mApp, mSmallStar, *flight.mPath, flight.mT, 8);
  flight.mT += 0.05f;
  if (flight.mT <= 1.0f) return;
  LandGoldenIceCream();
}

void Board::LandGoldenIceCream() {
  mFlyingGoldenIceCream.mPath.reset();
  if (mGoldenIceCreams < 5) ++mGoldenIceCreams;
}

void Board::DrawFlyingStar(Graphics& g) {
  DrawFlight(mApp, g, mFlyingStar, IMAGE_REPUTATION_STAR, true, mFlyingStar.mAlpha);
}

void Board::DrawGoldenIceCreamFlight(Graphics& g) {
  DrawFlight(mApp, g, mFlyingGoldenIceCream, IMAGE_BIG_GOLDEN_ICE_CREAM, false, 255);
}

void Board::ShowNotice(Image* image, int centerX, int centerY, bool rising) {
  BoardNotice& notice = mNotices[mNextNotice];
  mNextNotice = (mNextNotice + 1) % kNoticeCount;
  notice.mImage = image;
  notice.mCenterX = centerX;
  notice.mTopY = static_cast<float>(centerY - (image ? image->GetHeight() : 0) / 2);
  notice.mRiseSpeed = 1.0f;
  notice.mCounter = 0;
  notice.mAlpha = 0;
  notice.mState = 1;
  notice.mRising = rising;
}

void BoardNotice::Update() {
  if (mState == 0) return;
  if (mRising) {
    mTopY -= mRiseSpeed;
    mRiseSpeed *= 0.99f;
  }
  switch (mState) {
    case 1: {
      mAlpha += 8;
      mCounter = 1 - mCounter;
      const int side = mCounter;
      if (mAlpha >= 255) {
        mAlpha = 255;
        mState = 2;
        mCounter = 0;
      }
      if (Rand() % 2 == 0 && mImage && mBoard) {
        // A star from the side edge, drifting outwards.
        const int w = mImage->GetWidth(), h = mImage->GetHeight();
        const float x = static_cast<float>(side ? mCenterX + w / 2 : mCenterX - w / 2);
        const float y = mTopY + static_cast<float>(h > 0 ? Rand() % h : 0);
        auto* star = new MovingAnimationParticle(x, y, mBoard->mSmallStar);
        const float vx = side ? 0.75f : -0.75f;
        star->SetVelocity(vx, -0.5f);
        star->SetEndVelocity(vx, 0.25f);
        star->SetSpeed(1.0f + static_cast<float>(Rand() % 100) * 0.01f);
        star->SetColor(255, 255, 200, 255);
        mBoard->mApp.AddParticle(star);
      }
      break;
    }
    case 2:
      ++mCounter;
      if (mCounter > (mImage != nullptr && mImage == IMAGE_CUSTOMER_LOST ? 200 : 100)) {
        mAlpha = 255;
        mState = 3;
        mCounter = 0;
      }
      break;
    case 3:
      mAlpha -= 8;
      if (mAlpha <= 0) {
        mAlpha = 0;
        mState = 0;
      }
      break;
    default:
      break;
  }
}

void BoardNotice::Draw(Graphics& g) {
  if (mState == 0 || !mImage) return;
  g.SetImageTinting(true);
  g.SetColor(Color(255, 255, 255, mAlpha));
  g.DrawImage(mImage, mCenterX - mImage->GetWidth() / 2, TruncateToInt32(mTopY));
  g.SetImageTinting(false);
}

}  // namespace Plix
