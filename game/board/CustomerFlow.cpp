#include "game/board/CustomerFlow.h"

#include <cmath>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/platform/DebugOutput.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"

namespace Plix {

namespace {

struct FlowKind {
  Image** picture;
  int fadeInTicks;
  float moodLoss[3];  // easy, normal, hard
  int maxQueuePos;
  int bubbleY;
  int headX, headY;
  int pictureX, pictureY;  // before the cel's half width and full height are taken off
  int shadowX, shadowY;    // before the shadow's half size is taken off
};

const FlowKind kKinds[7] = {
    {&IMAGE_CUSTOMER_1_STANDING, 200, {2.25f, 2.4000001f, 2.6999998f}, 3, -200, -9, -131, 66, 36, -12, -12},
    {&IMAGE_CUSTOMER_6_STANDING, 200, {2.475f, 2.6400001f, 2.9699998f}, 3, -200, -2, -115, 60, 48, -6, -6},
    {&IMAGE_CUSTOMER_5_STANDING, 200, {2.5500002f, 2.72f, 3.06f}, 4, -200, -7, -134, 59, 34, -8, -5},
    {&IMAGE_CUSTOMER_7_STANDING, 150, {2.625f, 2.8f, 3.1499999f}, 4, -200, -6, -128, 47, 50, -1, -6},
    {&IMAGE_CUSTOMER_2_STANDING, 150, {2.6999998f, 2.8799999f, 3.2399998f}, 4, -168, -3, -89, 48, 37, -6, -9},
    {&IMAGE_CUSTOMER_4_STANDING, 150, {2.7750001f, 3.04f, 3.51f}, 4, -216, -10, -154, 68, 41, -15, -13},
    {&IMAGE_CUSTOMER_3_STANDING, 100, {2.85f, 3.1200001f, 3.6f}, 5, -200, -4, -124, 52, 47, -2, -6},
};

// The bubble's first offset by place in the queue; the second is half of it.
constexpr int kQueueOffsets[5] = {8, 6, 4, 0, -25};

int MoodBand(float mood) {
  if (mood > 70.0f) return 0;
  if (mood > 50.0f) return 1;
  if (mood > 30.0f) return 2;
  if (mood > 10.0f) return 3;
  return 4;
}

int MoodAnimation(float mood) {
  if (mood >= 80.0f) return FlowCustomer::kHappy;
  if (mood >= 55.0f) return FlowCustomer::kContent;
  if (mood >= 30.0f) return FlowCustomer::kImpatient;
  return FlowCustomer::kAngry;
}

void Play(int sound) { GetGameHost()->PlaySound(sound); }

int CelWidth(const Image* image) { return image ? image->GetCellWidth() : 0; }
int CelHeight(const Image* image) { return image ? image->GetCellHeight() : 0; }

// The wished-for specials have pictures of their own in the bubble.
Image* SpecialWishPicture(int kind, int& dx, int& dy) {
  switch (kind) {
    case kItemSpecialCup: dx = -14, dy = -17; return IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP;
    case kItemSpecialPlate: dx = -20, dy = -17; return IMAGE_CUSTOMER_CLOUD_SPECIAL_PLATE;
    case kItemBananaSplit: dx = -20, dy = -13; return IMAGE_CUSTOMER_CLOUD_BANANA_SPLIT;
    case kItemCake: dx = -21, dy = -19; return IMAGE_CUSTOMER_CLOUD_CAKE;
    default: return nullptr;
  }
}

}  // namespace

// ------------------------------------------------------------ FlowCustomer

FlowCustomer::FlowCustomer(CustomerFlow* flow) : mFlow(flow) {
  mPhase = static_cast<float>(Rand() % 100);
  const int happyRest = 400 + Rand() % 200, happyBlink = 200 + Rand() % 100;
  const int impatientRest = 400 + Rand() % 200, impatientFidget = 200 + Rand() % 100;
  const int angryRest = 400 + Rand() % 100, angryFrown = 200 + Rand() % 100;
  const int frames[kAnimationCount][4] = {{0, happyRest, 2, happyBlink},
                                          {0, 100, 0, 100},
                                          {0, impatientRest, 1, impatientFidget},
                                          {0, angryRest, 3, angryFrown}};
  for (int i = 0; i < kAnimationCount; ++i) {
    mAnimations[i].AddFrame(frames[i][0], frames[i][1]);
    mAnimations[i].AddFrame(frames[i][2], frames[i][3]);
    mAnimations[i].SetLooping();
    mAnimations[i].Reset();
  }
  mFadePicture = IMAGE_CUSTOMER_FADE_IN;
  SetKind(0);
  Play(SOUND_CUSTOMER_APPEAR);
}

void FlowCustomer::SetKind(int kind) {
  mKind = kind;
  if (kind < 0 || kind >= 7) return;
  const FlowKind& k = kKinds[kind];
  mPicture = *k.picture;
  for (Animation& animation : mAnimations) animation.SetImage(mPicture);
  mCounter = k.fadeInTicks;
  const int mode = mFlow && mFlow->GetBoard() ? mFlow->GetBoard()->GetHappyHourDifficulty() : 1;
  mMoodLoss = k.moodLoss[mode <= 1 ? 0 : mode == 2 ? 1 : 2];
  mMaxQueuePos = k.maxQueuePos;
  mBubbleY = k.bubbleY;
  mHeadX = k.headX;
  mHeadY = k.headY;
  mPictureX = k.pictureX - CelWidth(mPicture) / 2;
  mPictureY = k.pictureY - CelHeight(mPicture);
  mShadowX = k.shadowX - CelWidth(IMAGE_MONKEY_SHADOW) / 2;
  mShadowY = k.shadowY - CelHeight(IMAGE_MONKEY_SHADOW) / 2;
}

void FlowCustomer::SetQueuePos(int pos) {
  const bool first = mQueuePos == kUnplaced;
  mQueuePos = pos;
  if (pos >= 0 && pos < 5) {
    mOffsetTarget = kQueueOffsets[pos];
    mSideTarget = mOffsetTarget / 2;
  }
  if (!first) return;
  ChangeMood(0.0f);
  mOffsetShown = mOffsetTarget;
  mSideShown = mSideTarget;
}

bool FlowCustomer::WantsItem(const IceCream* item) const {
  return mState == kWaiting && IceCream::MatchesWishAnyOrder(&mOrder, item);
}

void FlowCustomer::StartFadeStrip(Image* picture) {
  mFadePicture = picture;
  mFadeFrame = 0;
  mFadeTicks = 0;
}

void FlowCustomer::ShowAnimation(Animation* animation) {
  if (animation && animation != mAnimation) animation->Reset();
  mAnimation = animation;
}

void FlowCustomer::LeaveHappy(IceCream* item) {
  mState = kLeavingHappy;
  mCounter = 100;
  if (mFlow) mFlow->CountHappyLeave();
  StartFadeStrip(IMAGE_CUSTOMER_FADE_OUT_HAPPY);
  mAlphaStep = -8;
  if (mFlow && mFlow->GetBoard()) mFlow->GetBoard()->CollectHappyHourPayment(item, this);
}

void FlowCustomer::LeaveAngry() {
  mState = kLeavingAngry;
  mCounter = 100;
  StartFadeStrip(IMAGE_CUSTOMER_FADE_OUT_ANGRY);
  mAlphaStep = -8;
  mAnimation = nullptr;
  ShowAnimation(&mAnimations[kAngry]);
  Play(SOUND_CUSTOMER_LEAVE);
}

void FlowCustomer::ChangeMood(float delta) {
  mMood += delta;
  if (delta > 0.0f) mFlash = 255;
  if (mState == kLeavingAngry) return;
  if (mMood < 0.0f) {
    mMood = 0.0f;
    LeaveAngry();
    if (mFlow && mFlow->GetBoard()) mFlow->GetBoard()->LoseHappyHourCustomer();
    return;
  }
  if (mMood > 100.0f) mMood = 100.0f;
  const int band = MoodBand(mMood);
  if (band != mBand) {
    mBand = band;
    mBandAlpha = 0;
  }
  ShowAnimation(&mAnimations[MoodAnimation(mMood)]);
}

void FlowCustomer::EaseAmplitude(float& amplitude, float target) {
  if (amplitude <= target) {
    amplitude += 0.1f;
    if (amplitude > target) amplitude = target;
  } else {
    amplitude -= 0.1f;
    if (amplitude < target) amplitude = target;
  }
}

bool FlowCustomer::Update() {
  if (mAnimation) mAnimation->Update();
  if (mFadePicture && ++mFadeTicks % 8 == 0 && ++mFadeFrame >= 11) StartFadeStrip(nullptr);
  mFlash = mFlash > 4 ? mFlash - 4 : 0;
  if (mAlphaStep > 0) {
    mAlpha += mAlphaStep;
    if (mAlpha >= 255) {
      mAlpha = 255;
      mAlphaStep = 0;
    }
  } else if (mAlphaStep < 0) {
    mAlpha += mAlphaStep;
    if (mAlpha < 0) {
      mAlpha = 0;
      mAlphaStep = 0;
    }
  }
  if (mWalkLeft > 0.0f && mFlow) {
    const float step = mWalkLeft < 1.5f ? mWalkLeft : 1.5f;
    mCursor.AdvanceBackward(mFlow->GetPath(), step);
    mWalkLeft -= step;
  }
  if (mQueuePos > mMaxQueuePos) return false;
  if (mOffsetShown != mOffsetTarget) mOffsetShown += mOffsetShown < mOffsetTarget ? 1 : -1;
  if (mSideShown != mSideTarget) mSideShown += mSideShown < mSideTarget ? 1 : -1;

  switch (mState) {
    case kFadingIn:
      if (--mCounter <= 1) {
        mState = kWaiting;
        mCounter = 0;
      }
      return false;
    case kWaiting:
      if (++mCounter % 100 == 0) ChangeMood(-mMoodLoss);
      if (mBandAlpha < 255) {
        mBandAlpha += mBandShown == mBand ? 6 : 4;
        if (mBandAlpha >= 255) {
          mBandAlpha = 255;
          mBandShown = mBand;
        }
      }
      mPhase += 0.03f;
      EaseAmplitude(mAmplitude, 2.0f);
      break;
    case kBeingServed:
      mAnimation = nullptr;
      if (mBandAlpha < 255) {
        mBandAlpha += 2;
        if (mBandAlpha >= 255) {
          mBandAlpha = 255;
          mBandShown = mBand;
        }
      }
      mPhase += 0.06f;
      EaseAmplitude(mAmplitude, 8.0f);
      break;
    case kLeavingHappy:
    case kLeavingAngry:
      --mCounter;
      mBandAlpha = mBandAlpha > 8 ? mBandAlpha - 8 : 0;
      if (mCounter < 1 && !mFadePicture) return true;
      break;
    default:
      break;
  }
  return false;
}

float FlowCustomer::GetX() const { return mCursor.GetX() + static_cast<float>(mPictureX); }

float FlowCustomer::GetY() const { return mCursor.GetY() + static_cast<float>(mPictureY); }

int32_t FlowCustomer::GetHeadX() const { return static_cast<int32_t>(mCursor.GetX()) + mHeadX; }

int32_t FlowCustomer::GetHeadY() const { return static_cast<int32_t>(mCursor.GetY()) + mHeadY; }

void FlowCustomer::Draw(Graphics& g) {
  const int cx = static_cast<int>(mCursor.GetX()), cy = static_cast<int>(mCursor.GetY());
  g.PushState();
  g.Translate(cx, cy);
  g.SetImageTinting(true);

  if (IMAGE_MONKEY_SHADOW) {
    Color shadow = mFlow && mFlow->GetBoard() ? mFlow->GetBoard()->GetShadowColor() : Color(0, 0, 0, 64);
    shadow.mAlpha = shadow.mAlpha * mAlpha / 255;
    g.SetColor(shadow);
    g.DrawImage(IMAGE_MONKEY_SHADOW, mShadowX, mShadowY + 3);
  }

  if (mState == kWaiting || mState == kBeingServed) {
    const float swayX = std::cos(mPhase) * mAmplitude, swayY = std::sin(2.0f * mPhase) * mAmplitude;
    const float headX = static_cast<float>(mHeadX + mSideShown), headY = static_cast<float>(mHeadY + mOffsetShown);
    const float bubbleX = static_cast<float>(mHeadX + mOffsetShown) + swayX;
    const float bubbleY = static_cast<float>(mBubbleY + 28 + mSideShown) + swayY;
    if (Image* dots = IMAGE_CUSTOMER_HH_BUBBLES) {
      g.SetColor(Color(255, 255, 255, 255));
      const float blends[2] = {0.1f, 0.25f};
      const int cels[2] = {2, 1};
      for (int i = 0; i < 2; ++i) {
        const float t = blends[i];
        const int x = static_cast<int>(headX * (1.0f - t) + bubbleX * t), y = static_cast<int>(headY * (1.0f - t) + bubbleY * t);
        g.DrawImageCell(dots, x - dots->GetCellWidth() / 2, y - dots->GetCellHeight() / 2, cels[i]);
      }
    }
    const int bx = static_cast<int>(bubbleX), by = static_cast<int>(bubbleY);
    if (Image* faces = IMAGE_CUSTOMER_CLOUDS) {
      const int fx = bx - faces->GetCellWidth() / 2, fy = by - faces->GetCellHeight() / 2;
      if (mBandShown != mBand) {
        g.SetColor(Color(255, 255, 255, 255 - mBandAlpha));
        g.DrawImageCell(faces, fx, fy, mBandShown);
        g.SetColor(Color(255, 255, 255, mBandAlpha));
        g.DrawImageCell(faces, fx, fy, mBand);
      } else {
        g.SetColor(Color(255, 255, 255, mBandAlpha));
        g.DrawImageCell(faces, fx, fy, mBandShown);
      }
    }
    if (mBandShown == mBand && mBandAlpha >= 255) {
      g.SetColor(Color(255, 255, 255, 255));
      int dx = 0, dy = 0;
      if (Image* special = SpecialWishPicture(mOrder.GetKind(), dx, dy)) {
        g.DrawImage(special, bx + dx, by + dy);
      } else {
        // The wish drawn at three quarters of its size (smaller it is
        // hard to read on the floor), standing in the bubble's middle.
        constexpr float kWishScale = 0.75f;
        g.PushState();
        g.Translate(bx, by + static_cast<int>(static_cast<float>(mOrder.GetHeight()) * kWishScale * 0.5f));
        g.SetScale(kWishScale, kWishScale, 0.0f, 0.0f);
        mOrder.Draw(g);
        g.PopState();
      }
    }
  }

  if (mPicture) {
    const int cel = mAnimation ? mAnimation->GetCurrentCel() : 0;
    g.SetColor(Color(255, 255, 255, mAlpha));
    g.DrawImageCell(mPicture, mPictureX, mPictureY, cel);
  }
  if (mFadePicture) {
    g.SetColor(Color(255, 255, 255, 255));
    const int x = mPictureX + CelWidth(mPicture) / 2 - mFadePicture->GetCellWidth() / 2;
    const int y = mPictureY + CelHeight(mPicture) / 2 - mFadePicture->GetCellHeight() / 2;
    g.DrawImageCell(mFadePicture, x, y, mFadeFrame);
  }
  g.PopState();
}

// ------------------------------------------------------------ CustomerFlow

CustomerFlow::CustomerFlow(Board* board) : mBoard(board) {}

CustomerFlow::~CustomerFlow() { DeleteAll(); }

void CustomerFlow::AddPathPoint(float x, float y) { mPath.AddPoint(x, y); }

bool CustomerFlow::AddCustomer(int kind) {
  if (mLost || mCustomers.GetCount() >= kMaxCustomers) return false;
  auto* customer = new FlowCustomer(this);
  customer->SetKind(kind);
  customer->SetQueuePos(mCustomers.GetCount());
  if (mBoard) customer->SetOrder(mBoard->ChooseHappyHourOrder());
  if (mCustomers.IsEmpty()) {
    customer->Cursor().Start(mPath);
  } else {
    auto* newest = static_cast<FlowCustomer*>(mCustomers.GetAt(0));
    customer->Cursor() = newest->GetCursor();
    customer->AddWalk(newest->GetWalkLeft());
    if (customer->Cursor().Advance(mPath, kSpacing, false)) {
      OutputDebugStringA("Could not add customer\n");
      delete customer;
      return true;
    }
  }
  mCustomers.PushFront(customer);
  return true;
}

void CustomerFlow::CountHappyLeave() {
  if (mTicksSinceHappy >= 300) {
    mStreak = 0;
  } else {
    ++mStreak;
    if (mBoard) mBoard->AddArrivalDelay(mStreak);
  }
  mTicksSinceHappy = 0;
}

void CustomerFlow::Update() {
  ++mTicksSinceHappy;
  if (mLost && --mLoseCountdown <= 0) {
    mLoseCountdown = 50;
    // Those being served are left alone: the serving monkey or an ice
    // cream in the air still aims at them, and they leave once it lands.
    ObjectListIterator it;
    for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
      auto* customer = static_cast<FlowCustomer*>(it.Get());
      const int state = customer->GetState();
      if (state == FlowCustomer::kLeavingAngry || state == FlowCustomer::kBeingServed) continue;
      customer->LeaveAngry();
      break;
    }
  }

  FlowCustomer* finished[kMaxCustomers];
  int finishedCount = 0;
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    auto* customer = static_cast<FlowCustomer*>(it.Get());
    if (customer->Update() && finishedCount < kMaxCustomers) finished[finishedCount++] = customer;
  }
  bool angryLeft = false;
  for (int i = 0; i < finishedCount; ++i) {
    if (finished[i]->GetMood() <= 0.0f) angryLeft = true;
    Remove(finished[i]);
  }
  if (finishedCount == 0) return;

  const int count = mCustomers.GetCount();
  int index = 0;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next(), ++index) {
    auto* customer = static_cast<FlowCustomer*>(it.Get());
    customer->SetQueuePos(count - 1 - index);
  }
  if (!angryLeft || mLost) return;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) static_cast<FlowCustomer*>(it.Get())->ChangeMood(30.0f);
}

void CustomerFlow::Remove(FlowCustomer* customer) {
  const int index = mCustomers.IndexOf(customer);
  if (index < 0) return;
  // Those behind it in the list are further out: they close up.
  for (int i = 0; i < index; ++i) static_cast<FlowCustomer*>(mCustomers.GetAt(i))->AddWalk(kSpacing);
  mCustomers.Remove(customer);
  delete customer;
}

void CustomerFlow::HandOver(FlightTarget* target, IceCream* item) {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    auto* customer = static_cast<FlowCustomer*>(it.Get());
    if (static_cast<FlightTarget*>(customer) != target) continue;
    customer->LeaveHappy(item);
    return;
  }
}

void CustomerFlow::DrawAll(Graphics& g) {
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) static_cast<FlowCustomer*>(it.Get())->Draw(g);
}

FlowCustomer* CustomerFlow::FindCustomerFor(const IceCream* item) {
  FlowCustomer* best = nullptr;
  float bestMood = 200.0f;
  ObjectListIterator it;
  for (it.Begin(mCustomers); !it.AtEnd(); it.Next()) {
    auto* customer = static_cast<FlowCustomer*>(it.Get());
    if (customer->WantsItem(item) && customer->GetMood() < bestMood) {
      best = customer;
      bestMood = customer->GetMood();
    }
  }
  return best;
}

void CustomerFlow::SetLost() {
  if (mLost) return;
  mLost = true;
  mLoseCountdown = 50;
}

void CustomerFlow::DeleteAll() {
  mPath.Clear();
  void* item = nullptr;
  while (mCustomers.PopFront(item)) delete static_cast<FlowCustomer*>(item);
}

}  // namespace Plix
