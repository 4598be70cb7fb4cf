#include "game/characters/Customer.h"

#include <algorithm>
#include <cmath>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/Table.h"
#include "game/board/Uncle.h"
#include "game/characters/CustomerManager.h"

namespace Plix {

namespace {

void Play(int sound) { GetGameHost()->PlaySound(sound); }

int KindSound(const int (&sounds)[7], int kind) { return kind >= 0 && kind < 7 ? sounds[kind] : sounds[0]; }

}  // namespace

Customer::Customer(CustomerManager* manager) : mManager(manager) {
  mChooseTime = Rand() % 500 + 500;
  mCountdown = mChooseTime;
  mCloudPhase = static_cast<float>(Rand() % 100);
  mFadeImage = IMAGE_CUSTOMER_FADE_IN;
  Play(SOUND_CUSTOMER_APPEAR);
}

Board* Customer::GetBoard() const { return mManager->GetBoard(); }

void Customer::AddFrames(int animation, std::initializer_list<std::pair<int, int>> frames, bool looping) {
  Animation& a = mAnimations[animation];
  a.SetImage(mSittingImage);
  for (const auto& [cel, duration] : frames) a.AddFrame(cel, duration);
  if (looping) a.SetLooping();
}

void Customer::MakeCurrent(int animation) {
  mCurrentAnimation = &mAnimations[animation];
  mCurrentAnimation->Reset();
}

void Customer::ShowMoodAnimation() {
  MakeCurrent(mMood >= 60.0f ? kPleased : mMood >= 30.0f ? kContent : kUnhappy);
}

bool Customer::MatchesOrderExactly(const IceCream* item) const {
  if (mState != kWaiting || mWantsNapkin) return false;
  return IceCream::MatchesWish(&mOrder, item);
}

bool Customer::MatchesOrder(const IceCream* item) const {
  if (mState != kWaiting || mWantsNapkin) return false;
  return IceCream::MatchesWishAnyOrder(&mOrder, item);
}

void Customer::StartChoosing() {
  mState = kChoosing;
  mCountdown = mChooseTime;
  mReordered = true;
  mReorderGlow = 0;
  mGlowStep = 4;
}

void Customer::SetTable(Table* table) {
  mTable = table;
  if (table) mSunshadeLevel = table->GetSunshadeLevel();
}

void Customer::SetOrder(const IceCream& item) {
  mOrder = item;
  mPresetOrder = true;
}

void Customer::GetDishOffset(int orderKind, int& x, int& y) const {
  // Slots: plate, special cup, banana split, special plate, cake.
  int slot = 0;
  switch (orderKind) {
    case 4: slot = 1; break;
    case 6: slot = 2; break;
    case 5: slot = 3; break;
    case 7: slot = 4; break;
    default: slot = 0; break;
  }
  x = mDishOffsets[slot][0];
  y = mDishOffsets[slot][1];
}

void Customer::ChangeMood(float delta) {
  mMood += delta;
  if (mMood < 0.0f) mMood = 0.0f;
  if (mMood > 100.0f) mMood = 100.0f;
  if (mBandProgress != 255) return;
  const int band = mMood <= 20.0f ? 4 : mMood <= 35.0f ? 3 : mMood <= 55.0f ? 2 : mMood <= 70.0f ? 1 : 0;
  if (band == mTargetBand) return;
  if (mShownBand == mTargetBand)
    mBandProgress = 0;
  else
    mShownBand = mTargetBand;
  mTargetBand = band;
}

void Customer::AddPayment(int amount) {
  ChangeMood(20.0f);
  mExtraMoney += amount;
}

void Customer::LowerMood() { ChangeMood(-20.0f); }

void Customer::ReceiveItem(const IceCream* item) {
  static const int kSpecial[7] = {SOUND_CUSTOMER_0_SPECIAL, SOUND_CUSTOMER_1_SPECIAL, SOUND_CUSTOMER_2_SPECIAL,
                                  SOUND_CUSTOMER_3_SPECIAL, SOUND_CUSTOMER_4_SPECIAL, SOUND_CUSTOMER_5_SPECIAL,
                                  SOUND_CUSTOMER_6_SPECIAL};
  const int kind = item->GetKind();
  if ((kind >= 4 && kind <= 7) || item->GetDecoration() != 0) Play(KindSound(kSpecial, mKindCode));
  const int basePrice = item->GetBasePrice();
  mPrice += basePrice;
  mExtraMoney += item->GetPrice() - basePrice;
  if (mReordered) mExtraMoney += basePrice <= 2 ? 1 : 2;
  mOrder = *item;
  Board* board = GetBoard();
  if (mOrder.GetDecoration() >= kItemUmbrella && mOrder.GetDecoration() <= kItemSparkler)
    board->CheckWonderfulIceCreamsTrophy();
  const int t = mWaited / 100;
  if (t <= 17) mExtraMoney += 2;
  board->CheckFastDeliveryTrophy(t);
  mState = kEating;
  mCountdown = static_cast<int>(mChooseTime * 1.5);
  if (kind == 1 || kind == 2) {
    MakeCurrent(kHandEating);
  } else {
    MakeCurrent(kSpoonEating);
    if (mTable) mTable->ClearItemOf(this);
  }
}

void Customer::GiveNapkin() {
  if (!mWantsNapkin) return;
  ++mNapkins;
  mWantsNapkin = false;
  MakeCurrent(kPleased);
  mState = kFinished;
}

void Customer::GiveCookie(int grade) {
  ++mCookies;
  MakeCurrent(kPleased);
  mFlash = 255;
  Play(SOUND_CUSTOMER_EAT_COOKIE);
}

void Customer::GiveLemonade(int grade) {
  ++mLemonades;
  MakeCurrent(kPleased);
  mFlash = 255;
  Play(SOUND_CUSTOMER_DRINK);
}

void Customer::WatchJuggling(int level) { ++mJugglingShows; }

void Customer::HearBarrelOrgan(int level) { ++mOrganTunes; }

void Customer::AfterTreat(int grade, int extraMoney) {
  ChangeMood(grade * 20.0f);
  mExtraMoney += extraMoney;
  GetBoard()->CheckSpecialServingsTrophy(grade);
}

void Customer::AfterShow(int count, int level, float moodPerLevel, int extraMoney) {
  if (count >= 2) return;
  ChangeMood(level * moodPerLevel + 10.0f);
  mExtraMoney += extraMoney;
  GetBoard()->CheckEntertainmentTrophy(level);
  mFlash = 255;
  if (Rand() % 3 == 0) mLaughCountdown = Rand() % 200 + 1;
}

bool Customer::Update() {
  static const int kLaugh[7] = {SOUND_CUSTOMER_0_LAUGH, SOUND_CUSTOMER_1_LAUGH, SOUND_CUSTOMER_2_LAUGH,
                                SOUND_CUSTOMER_3_LAUGH, SOUND_CUSTOMER_4_LAUGH, SOUND_CUSTOMER_5_LAUGH,
                                SOUND_CUSTOMER_6_LAUGH};
  if (mLaughCountdown > 0 && --mLaughCountdown == 0) Play(KindSound(kLaugh, mKindCode));
  if (mCurrentAnimation && !mCurrentAnimation->Update()) MakeCurrent(kIdle);
  if (mFadeImage) {
    if (++mFadeTicks % 8 == 0 && ++mFadeCel >= 11) {
      mFadeImage = nullptr;
      mFadeCel = 0;
      mFadeTicks = 0;
    }
  }
  if (mFlash != 0) {
    mFlash -= 4;
    if (mFlash < 0) mFlash = 0;
  }
  if (mReordered && mState == kWaiting && !mWantsNapkin) {
    mReorderGlow += mGlowStep;
    if (mGlowStep > 0 && mReorderGlow > 255) {
      mReorderGlow = 255;
      mGlowStep = -1;
    } else if (mGlowStep < 0 && mReorderGlow < 180) {
      mReorderGlow = 180;
      mGlowStep = 1;
    }
  }
  if (mAlphaStep > 0) {
    mAlpha += mAlphaStep;
    if (mAlpha > 254) {
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
  const bool cloudShown = mState == kWaiting || mWantsNapkin;
  if (mBandProgress < 255 && cloudShown) {
    mBandProgress += mShownBand == mTargetBand ? 6 : 4;
    if (mBandProgress > 254) {
      mBandProgress = 255;
      mShownBand = mTargetBand;
    }
  }
  if (mBandProgress == 255) mShownBand = mTargetBand;
  if (cloudShown) {
    mCloudPhase += mReadyMark ? 0.06f : 0.03f;
    const float target = mReadyMark ? 6.0f : 2.0f;
    if (mCloudSwing < target)
      mCloudSwing = mCloudSwing + 0.1f > target ? target : mCloudSwing + 0.1f;
    else if (mCloudSwing > target)
      mCloudSwing = mCloudSwing - 0.1f < target ? target : mCloudSwing - 0.1f;
  }

  Board* board = GetBoard();
  if (board->mUncle && !board->mUncle->IsIdle()) return false;

  switch (mState) {
    case kChoosing: UpdateChoosing(); break;
    case kWaiting: UpdateWaiting(); break;
    case kEating: UpdateEating(); break;
    case kFinished: UpdateFinished(); break;
    case kLeaving: return mAlphaStep == 0 && mFadeImage == nullptr;
    default: break;
  }
  return false;
}

void Customer::UpdateChoosing() {
  --mCountdown;
  if (mCountdown < mChooseTime - 150 && mCurrentAnimation != &mAnimations[kChoosingAnim]) MakeCurrent(kChoosingAnim);
  if (mCountdown > 0) return;
  Board* board = GetBoard();
  mState = kWaiting;
  board->MarkCustomersWithReadyOrders();
  Play(SOUND_CUSTOMER_ORDER);
  if (mReordered) {
    mOrder = board->ChooseOrder(1, mTable, true);
    mBandProgress = 0;
    if (mTable) {
      int x = 400, y = 200;
      mTable->GetSeatPosition(this, x, y);
      board->ShowNotice(IMAGE_SECOND_ORDER, x, y, false);
    }
    mFlash = 255;
  } else if (!mPresetOrder) {
    mOrder = board->ChooseOrder(mOrderValue, mTable, false);
  }
  board->OnTutorialCustomerEvent(this);
  MakeCurrent(kPleased);
}

void Customer::UpdateWaiting() {
  Board* board = GetBoard();
  if (board->AreCustomersHeld()) return;
  ++mWaited;
  if (mWaited % 100 == 0) {
    float loss = mMoodLossRate * board->mPatienceFactor;
    ChangeMood(mReadyMark ? -0.5f * loss : -loss);
  }
  if (mWaited % 800 == 0) ShowMoodAnimation();
  if (mMood <= 0.0f) {
    Play(SOUND_CUSTOMER_LEAVE);
    mExtraMoney = 0;
    mState = kFinished;
    mCountdown = 0;
  }
}

void Customer::UpdateEating() {
  Board* board = GetBoard();
  if (mWantsNapkin) {
    ++mWaited;
    if (mWaited % 100 == 0) ChangeMood(-(mMoodLossRate * board->mPatienceFactor));
    if (mWaited % 800 == 0) ShowMoodAnimation();
    if (++mNapkinTicks > 2000) {
      mNapkinTicks = 0;
      board->RearmNapkinHint(mTable);
    }
    return;
  }
  if (mCurrentAnimation == &mAnimations[kSpoonEating] && mCurrentAnimation->IsAtFrameOnce(mSpoonFrame)) {
    static const int kSpoon[3] = {SOUND_CUSTOMER_EAT_SPOON_1, SOUND_CUSTOMER_EAT_SPOON_2, SOUND_CUSTOMER_EAT_SPOON_3};
    Play(kSpoon[Rand() % 3]);
  }
  if (mCountdown > 0) --mCountdown;
  if (mCountdown != 0) return;
  if (mTable) mTable->PlaceDish(this);
  MakeCurrent(kIdle);
  if (mNapkins == 0) {
    static const int kDivisors[3][3] = {{9, 12, 15}, {6, 9, 12}, {3, 5, 8}};
    const int level = mManager->GetNapkinLevel();
    const int shade = mSunshadeLevel < 0 ? 0 : mSunshadeLevel > 2 ? 2 : mSunshadeLevel;
    if (level >= 0 && level <= 2) {
      int n = kDivisors[level][shade] - mNapkinReduction;
      if (n < 2) n = 2;
      if (Rand() % n == 0) {
        mWantsNapkin = true;
        MakeCurrent(kIdle);
        board->OnNapkinsNeeded(mTable);
        mCountdown = 100;
        ChangeMood(20.0f);
        mNapkinTicks = 0;
        return;
      }
    }
  }
  mState = kFinished;
  mCountdown = 50;
}

void Customer::UpdateFinished() {
  if (mCountdown > 0) --mCountdown;
  if (mCountdown > 0) return;
  if (mGroup == 0) {
    if (mMayReorder && !mReordered && Rand() % 2 == 0 && mMood >= mReorderThreshold)
      StartChoosing();
    else
      Leave();
    return;
  }
  if (mTable && !mTable->GroupAllFinished(mGroup)) {
    if (--mGroupWait <= 0) {
      mGroupWait = Rand() % 200 + 800;
      MakeCurrent(mMood >= 60.0f ? kPleased : kContent);
    }
    return;
  }
  if (Rand() % 2 == 0 && mManager->CanGroupReorder(mGroup)) {
    mManager->GroupStartChoosing(mGroup);
  } else {
    mManager->EndGroupReorders(mGroup);
    Leave();
  }
}

void Customer::Leave() {
  mFadeImage = mPrice == 0 ? IMAGE_CUSTOMER_FADE_OUT_ANGRY : IMAGE_CUSTOMER_FADE_OUT_HAPPY;
  mFadeCel = 0;
  mFadeTicks = 0;
  mState = kLeaving;
  mAlphaStep = -4;
  ShowMoodAnimation();
  GetBoard()->CollectPayment(this);
}

// ------------------------------------------------------------------ drawing

namespace {

int CelWidth(const Image* image) { return image ? image->GetCellWidth() : 0; }
int FullHeight(const Image* image) { return image ? image->GetHeight() : 0; }

void DrawCel(Graphics& g, Image* image, int x, int y, int cel, bool mirrored) {
  if (!image) return;
  if (mirrored)
    g.DrawImageMirrorCell(image, x, y, cel);
  else
    g.DrawImageCell(image, x, y, cel);
}

// One band's cel, or two cross-fading while the mood band changes.
void DrawBands(Graphics& g, Image* image, int x, int y, int shown, int target, int progress, bool mirrored) {
  if (!image) return;
  const bool fading = shown != target || progress < 255;
  if (!fading) {
    DrawCel(g, image, x, y, shown, mirrored);
    return;
  }
  g.SetImageTinting(true);
  if (shown != target) {
    g.SetColor(Color(255, 255, 255, 255 - progress));
    DrawCel(g, image, x, y, shown, mirrored);
  }
  g.SetColor(Color(255, 255, 255, progress));
  DrawCel(g, image, x, y, target, mirrored);
  g.SetImageTinting(false);
}

}  // namespace

bool Customer::IsMirrored() const { return (mSeatSide == 1) != mFacing; }

// The figure stands centred on the seat point with its feet on it; the
// kind's body and legs offsets move it from there.
int Customer::BodyLeft() const { return -CelWidth(mSittingImage) / 2; }
int Customer::BodyTop() const { return -FullHeight(mSittingImage); }

void Customer::DrawLegs(Graphics& g) {
  if (!mLegsImage) return;
  const bool tinted = mAlpha < 255;
  if (tinted) {
    g.SetImageTinting(true);
    g.SetColor(Color(255, 255, 255, mAlpha));
  }
  const int x = BodyLeft() + mLegsX, y = BodyTop() + mLegsY;
  if (IsMirrored())
    g.DrawImageMirror(mLegsImage, -(mLegsImage->GetWidth() + x), y);
  else
    g.DrawImage(mLegsImage, x, y);
  if (tinted) g.SetImageTinting(false);
}

void Customer::Draw(Graphics& g) {
  const bool side1 = mSeatSide == 1;
  const int orderKind = mOrder.GetKind();
  if (mState == kEating && !mWantsNapkin && orderKind >= kItemPlate && orderKind <= kItemCake) {
    Image* dish = nullptr;
    switch (orderKind) {
      case kItemPlate: dish = IMAGE_CUSTOMER_PLATE; break;
      case kItemSpecialCup: dish = IMAGE_CUSTOMER_SPECIAL_CUP; break;
      case kItemSpecialPlate: dish = IMAGE_CUSTOMER_SPECIAL_PLATE; break;
      case kItemBananaSplit: dish = IMAGE_CUSTOMER_BANANA_SPLIT; break;
      default: dish = IMAGE_CUSTOMER_CAKE; break;
    }
    int dx = 0, dy = 0;
    GetDishOffset(orderKind, dx, dy);
    if (side1) dx = -dx;
    DrawCel(g, dish, dx - CelWidth(dish) / 2, dy - FullHeight(dish) / 2, 0, orderKind != kItemPlate && !side1);
  }

  if (mSittingImage && mCurrentAnimation) {
    const bool tinted = mAlpha < 255;
    if (tinted) {
      g.SetImageTinting(true);
      g.SetColor(Color(255, 255, 255, mAlpha));
    }
    const int cel = mCurrentAnimation->GetCurrentCel();
    const int x = BodyLeft() + mBodyX, y = BodyTop() + mBodyY;
    if (IsMirrored())
      g.DrawImageMirrorCell(mSittingImage, -(mSittingImage->GetCellWidth() + x), y, cel);
    else
      g.DrawImageCell(mSittingImage, x, y, cel);
    if (tinted) g.SetImageTinting(false);
  }

  if (mState == kWaiting || (mState == kEating && mWantsNapkin)) {
    const int cloudX = GetCloudX(TruncateToInt32(g.mTransX));
    // A small figure of eight, wider while the order waits on the counter.
    const float sway = mCloudSwing;
    const float cx = std::cos(mCloudPhase), cy = std::sin(2.0f * mCloudPhase);
    int bx = static_cast<int>(cx * sway * 0.8f), by = static_cast<int>(cy * sway * 0.8f);
    int ox = static_cast<int>(cx * sway), oy = static_cast<int>(cy * sway);
    if (side1) {
      bx = -bx;
      ox = -ox;
    }
    g.Translate(cloudX + bx, -90 + by);
    DrawCloudBubbles(g);
    g.Translate(-(cloudX + bx), -(-90 + by));
    g.Translate(cloudX + ox, -90 + oy);
    DrawCloudContent(g);
    g.Translate(-(cloudX + ox), -(-90 + oy));
  }

  if (mFadeImage) g.DrawImageCell(mFadeImage, side1 ? -33 : -57, -80, mFadeCel);
}

int Customer::GetCloudX(int seatX) const {
  // Half the cloud's width and the most its figure of eight sways.
  constexpr int kReach = 34 + 6, kScreenWidth = 800;
  const int x = mSeatSide == 1 ? mCloudOffset : -mCloudOffset;
  return std::clamp(x, kReach - seatX, kScreenWidth - kReach - seatX);
}

void Customer::DrawCloudBubbles(Graphics& g) {
  const bool side1 = mSeatSide == 1;
  DrawBands(g, IMAGE_CUSTOMER_CLOUDS_BUBBLES, side1 ? -16 : 0, 28, mShownBand, mTargetBand, mBandProgress, !side1);
}

void Customer::DrawCloudContent(Graphics& g) {
  if (mReordered && !mWantsNapkin && IMAGE_CUSTOMER_REORDER_GLOW) {
    g.SetImageTinting(true);
    g.SetColor(Color(255, 255, 255, mReorderGlow));
    g.DrawImage(IMAGE_CUSTOMER_REORDER_GLOW, -47, -49);
    g.SetImageTinting(false);
  }
  DrawBands(g, IMAGE_CUSTOMER_CLOUDS, -34, -34, mShownBand, mTargetBand, mBandProgress, false);

  if (mWantsNapkin) {
    if (IMAGE_MONKEY_NAPKIN)
      g.DrawImage(IMAGE_MONKEY_NAPKIN, -IMAGE_MONKEY_NAPKIN->GetWidth() / 2, -IMAGE_MONKEY_NAPKIN->GetHeight() / 2);
  } else {
    Image* icon = nullptr;
    int ix = 0, iy = 0;
    switch (mOrder.GetKind()) {
      case kItemSpecialCup: icon = IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP, ix = -14, iy = -17; break;
      case kItemSpecialPlate: icon = IMAGE_CUSTOMER_CLOUD_SPECIAL_PLATE, ix = -20, iy = -17; break;
      case kItemBananaSplit: icon = IMAGE_CUSTOMER_CLOUD_BANANA_SPLIT, ix = -20, iy = -13; break;
      case kItemCake: icon = IMAGE_CUSTOMER_CLOUD_CAKE, ix = -21, iy = -19; break;
      default: break;
    }
    if (icon) {
      g.DrawImage(icon, ix, iy);
    } else if (mOrder.GetKind() != kItemNone) {
      // The item's anchor is its bottom centre: half its height down puts
      // its middle on the cloud's.
      const int lift = mOrder.GetHeight() / 2;
      g.Translate(0, lift);
      mOrder.Draw(g);
      g.Translate(0, -lift);
    }
  }

  if (mFlash > 0 && IMAGE_CUSTOMER_CLOUD_GLOW) {
    g.SetDrawMode(DRAWMODE_ADDITIVE);
    g.SetImageTinting(true);
    g.SetColor(Color(mFlash, mFlash, mFlash, 255));
    g.DrawImage(IMAGE_CUSTOMER_CLOUD_GLOW, -62, -63);
    g.SetImageTinting(false);
    g.SetDrawMode(DRAWMODE_NORMAL);
  }
}

}  // namespace Plix
