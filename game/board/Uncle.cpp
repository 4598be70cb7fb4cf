// The uncle's award visit: appearing, the award balloon, the trophy lifted
// and bursting into stars, and leaving.
#include "game/board/Uncle.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/sound/MusicInterface.h"
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/Particle.h"
#include "game/board/Board.h"

namespace Plix {

namespace {

constexpr int kSong = 1;
constexpr int kLastFrame = 11;

struct TrophyRecord {
  Image** image;
  int offsetX, offsetY;
  const wchar_t* name;
  const wchar_t* sentence;
};

const TrophyRecord kTrophies[Uncle::kTrophyCount] = {
    {&IMAGE_TROPHY_1, 27, 111, L"Happy Customers Trophy!",
     L"Many customers have left this place happy! Your award is the "},
    {&IMAGE_TROPHY_2, 29, 78, L"Happy Monkeys Trophy!", L"You have treated your monkeys very well! Your award is the "},
    {&IMAGE_TROPHY_3, 36, 83, L"Splendid Decoration Trophy!",
     L"All your tables look perfectly wonderful! Your award is the "},
    {&IMAGE_TROPHY_4, 18, 66, L"Shiny Trashcan Trophy!", L"You use the trashcan with great care! Your award is the "},
    {&IMAGE_TROPHY_5, 29, 79, L"Entertainment Trophy!",
     L"Your customers have been nicely entertained! Your award is the "},
    {&IMAGE_TROPHY_6, 26, 67, L"Ice Cold Zarur Trophy!",
     L"The need for napkins has been low despite the heat! Your award is the "},
    {&IMAGE_TROPHY_7, 33, 65, L"Saver's Trophy!", L"Saving money is a very smart thing to do! Your award is the "},
    {&IMAGE_TROPHY_8, 22, 75, L"Wonderful Ice Creams Trophy!",
     L"You've made many nice looking ice creams! Your award is the "},
    {&IMAGE_TROPHY_9, 26, 68, L"Special Servings Trophy!",
     L"Serving more than ice creams is a smart move! Your award is the "},
    {&IMAGE_TROPHY_10, 38, 79, L"Fast Delivery Trophy!",
     L"Vurez's performing greater than any human could do! Your award is the "},
};

const TrophyRecord& Record(int trophy) {
  return kTrophies[trophy >= 0 && trophy < Uncle::kTrophyCount ? trophy : 0];
}

MusicInterface* Music(Board* board) { return board->mApp.mMusicOutput; }

// Images are drawn tinted white with the opacity while it is below 255.
class Tint {
public:
  Tint(Graphics& g, int alpha) : mG(g), mOn(alpha < 255) {
    if (!mOn) return;
    mG.SetColorizeImages(true);
    mG.SetColor(Color(255, 255, 255, alpha < 0 ? 0 : alpha));
  }
  ~Tint() {
    if (mOn) mG.SetColorizeImages(false);
  }
  Tint(const Tint&) = delete;
  Tint& operator=(const Tint&) = delete;

private:
  Graphics& mG;
  bool mOn;
};

}  // namespace

std::wstring Uncle::AwardText(int trophy, int grade) {
  const TrophyRecord& record = Record(trophy);
  const wchar_t* word = grade == 1 ? L"bronze " : grade == 2 ? L"silver " : L"golden ";
  return std::wstring(record.sentence) + word + record.name;
}

int Uncle::GetBaseY() { return mY + (IMAGE_UNCLE_TROPHY ? IMAGE_UNCLE_TROPHY->GetHeight() : 0); }

int Uncle::GetX() const { return mX + (IMAGE_UNCLE_TROPHY ? IMAGE_UNCLE_TROPHY->GetCellWidth() : 0) / 2; }

int Uncle::GetY() const { return mY + (IMAGE_UNCLE_TROPHY ? IMAGE_UNCLE_TROPHY->GetCellHeight() : 0); }

int Uncle::TrophyCelWidth() const { return mTrophyImage ? mTrophyImage->GetCellWidth() : 0; }

int Uncle::TrophyCelHeight() const { return mTrophyImage ? mTrophyImage->GetCellHeight() : 0; }

void Uncle::StartAward(int trophy, int grade) {
  const TrophyRecord& record = Record(trophy);
  mTrophy = trophy >= 0 && trophy < kTrophyCount ? trophy : 0;
  mGrade = grade - 1;
  mAlpha = 0;
  mFrame = 0;
  mTicks = 0;
  mBurstScale = 0.0f;
  mBurstAlpha = 0;
  mTalking = false;
  mState = kAppearing;
  mBoard->mAwardGiven = true;
  mTrophyImage = *record.image;
  mTrophyOffsetX = record.offsetX;
  mTrophyOffsetY = record.offsetY;
  mBoard->mApp.PlaySound(SOUND_TROPHY);
  if (MusicInterface* music = Music(mBoard)) music->SetSongVolume(kSong, 0.0);
}

void Uncle::OnBalloonClosed() {
  mState = kPause;
  mTicks = 0;
}

void Uncle::UpdateVisit() {
  if (mState == kIdle) return;
  ++mTicks;
  switch (mState) {
    case kAppearing:
      if (mAlpha < 255) mAlpha = mAlpha + 4 > 255 ? 255 : mAlpha + 4;
      if (mTicks % 8 == 0 && ++mFrame >= kLastFrame) {
        mAlpha = 255;
        ShowAwardText();
        if (MusicInterface* music = Music(mBoard)) music->FadeIn(kSong, -1, 0.002, false);
      }
      break;
    case kTalking:
      if (mTicks % 15 == 0) mMouthIndex = (mMouthIndex + 1) % 6;
      if (Rand() % 50 == 0) {
        const int w = TrophyCelWidth(), h = TrophyCelHeight();
        const int x = (w > 0 ? Rand() % w : 0) + mX - mTrophyOffsetX + 20;
        const int y = (h > 0 ? Rand() % h : 0) + mY - mTrophyOffsetY + 172;
        mBoard->mApp.AddParticle(
            new AnimationParticle(static_cast<float>(x), static_cast<float>(y), mBoard->mSmallStar));
      }
      break;
    case kPause:
      if (mTicks >= 25) {
        mTicks = 0;
        mState = kHoldingUp;
      }
      break;
    case kHoldingUp:
      if (mTicks >= 50) {
        BurstTrophy();
        mBoard->mApp.PlaySound(SOUND_TROPHY_STARS);
      }
      break;
    case kBurst:
      mBurstScale += 0.025f;
      mBurstAlpha -= 4;
      if (mBurstAlpha <= 0) {
        mBurstAlpha = 0;
        mFrame = 0;
        mAlpha = 255;
        mState = kDisappearing;
      }
      break;
    case kDisappearing:
      if (mAlpha > 0) mAlpha = mAlpha - 4 < 0 ? 0 : mAlpha - 4;
      if (mTicks % 8 == 0 && ++mFrame >= kLastFrame) mState = kIdle;
      break;
    default:
      mState = kIdle;
      break;
  }
}

void Uncle::ShowAwardText() {
  auto* balloon = new InfoBalloon(0, InfoBalloon::kNormal);
  balloon->AddPage(AwardText(mTrophy, mGrade + 1));
  balloon->SetYesText(L"Alright!");
  mBoard->ShowBalloon(1, balloon, true, false);
  mState = kTalking;
  mMouthIndex = 0;
}

void Uncle::BurstTrophy() {
  mState = kBurst;
  mBurstScale = 1.0f;
  mBurstAlpha = 255;
  const int cx = mX - mTrophyOffsetX + 52 + TrophyCelWidth() / 2;
  const int cy = mY - mTrophyOffsetY + 9 + TrophyCelHeight() / 2;
  for (int i = 0; i < 40; ++i) {
    float dx = static_cast<float>(Rand() % 200 - 100);
    float dy = static_cast<float>(Rand() % 200 - 100);
    NormalizeVector(dx, dy);
    auto* star = new MovingAnimationParticle(static_cast<float>(cx) + 100.0f * dx,
                                             static_cast<float>(cy) + 100.0f * dy, mBoard->mMediumStar);
    star->SetSpeed(1.0f + static_cast<float>(Rand() % 100) * 0.01f);
    star->SetBlendStep(static_cast<float>(Rand() % 100) * 0.0004f);
    dx *= 1.0f + static_cast<float>(Rand() % 100) * 0.01f;
    dy *= 1.0f + static_cast<float>(Rand() % 100) * 0.01f;
    star->SetVelocity(-dx, -dy);
    star->SetEndVelocity(dx, dy);
    mBoard->mApp.AddParticle(star);
  }
}

void Uncle::DrawTrophyInHand(Graphics& g) {
  if (mTrophyImage) g.DrawImageCell(mTrophyImage, mX - mTrophyOffsetX + 20, mY - mTrophyOffsetY + 172, mGrade);
}

void Uncle::Draw(Graphics& g) {
  Image* uncle = IMAGE_UNCLE_TROPHY;
  if (!uncle) return;
  switch (mState) {
    case kAppearing: {
      {
        Tint tint(g, mAlpha);
        g.DrawImageCell(uncle, mX, mY, 0);
        DrawTrophyInHand(g);
      }
      if (IMAGE_CUSTOMER_FADE_IN) g.DrawImageCell(IMAGE_CUSTOMER_FADE_IN, mX + 1, mY + 32, mFrame);
      break;
    }
    case kTalking:
      g.DrawImageCell(uncle, mX, mY, 0);
      if (mTalking && IMAGE_UNCLE_TROPHY_MOUTH)
        g.DrawImageCell(IMAGE_UNCLE_TROPHY_MOUTH, mX + 34, mY + 54, kMouthCels[mMouthIndex]);
      DrawTrophyInHand(g);
      break;
    case kPause:
      g.DrawImageCell(uncle, mX, mY, 0);
      DrawTrophyInHand(g);
      break;
    case kHoldingUp:
      if (mTrophyImage) g.DrawImageCell(mTrophyImage, mX - mTrophyOffsetX + 52, mY - mTrophyOffsetY + 9, mGrade);
      g.DrawImageCell(uncle, mX, mY, 2);
      break;
    case kBurst:
      g.DrawImageCell(uncle, mX, mY, 0);
      break;
    case kDisappearing:
      if (mAlpha > 0) {
        Tint tint(g, mAlpha);
        g.DrawImageCell(uncle, mX, mY, 0);
      }
      if (mFrame < kLastFrame && IMAGE_CUSTOMER_FADE_OUT_HAPPY)
        g.DrawImageCell(IMAGE_CUSTOMER_FADE_OUT_HAPPY, mX + 1, mY + 32, mFrame);
      break;
    default:
      break;
  }
}

void Uncle::DrawTrophyBurst(Graphics& g) {
  if (!mTrophyImage) return;
  const int w = TrophyCelWidth(), h = TrophyCelHeight();
  const int sw = static_cast<int>(static_cast<float>(w) * mBurstScale);
  const int sh = static_cast<int>(static_cast<float>(h) * mBurstScale);
  g.SetColorizeImages(true);
  g.SetColor(Color(255, 255, 255, mBurstAlpha));
  g.DrawImageCellStretched(Rect(mX - (sw - w) / 2 - mTrophyOffsetX + 52, mY - (sh - h) / 2 - mTrophyOffsetY + 9, sw, sh),
                           mTrophyImage, mGrade);
  g.SetColorizeImages(false);
}

}  // namespace Plix
