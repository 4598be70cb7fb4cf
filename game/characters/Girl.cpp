#include "game/characters/Girl.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/Uncle.h"
#include "game/characters/GirlAction.h"

namespace Plix {

namespace {

constexpr int kBoostUpdates = 1000;
constexpr float kSpeedStep = 0.01f;
constexpr float kWalkAnimationSpeed = 1.25f;
constexpr int kIdleEvery = 300;

int CelW(Image* image) { return image ? image->GetCellWidth() : 0; }
int CelH(Image* image) { return image ? image->GetCellHeight() : 0; }

// Frames cel, cel + 1, ... last, each `ticks` long.
void AddRun(Animation& a, int first, int last, int ticks) {
  for (int cel = first; cel <= last; ++cel) a.AddFrame(cel, ticks);
}

void AddCels(Animation& a, std::initializer_list<int> cels, int ticks) {
  for (int cel : cels) a.AddFrame(cel, ticks);
}

void Setup(Animation& a, Image* image, bool looping) {
  a.SetImage(image);
  if (looping) a.SetLooping();
  a.Reset();
}

// A cel of `image` with its bottom centre at (x + a, y + b).
void DrawCelAt(Graphics& g, Image* image, int x, int y, int a, int b, int cel) {
  if (!image) return;
  g.DrawImageCell(image, x + a - CelW(image) / 2, y + b - CelH(image), cel);
}

}  // namespace

Girl::Girl(Board* board) : mBoard(board), mCarriedBox(std::make_unique<IceCreamBox>()) {
  BuildAnimations();
  UpdateCarryOffset();
}

Girl::Girl(Board* board, float x, float y) : Girl(board) { SetPosition(x, y); }

Girl::~Girl() {
  void* item = nullptr;
  while (mActions.PopFront(item)) delete static_cast<GirlAction*>(item);
}

void Girl::BuildAnimations() {
  // Walk cycles: 10 ticks a cel, looping.
  struct Walk {
    Animation* animation;
    Image* image;
    int first;
  };
  const Walk walks[] = {
      {&mWalkEmptyLeft, IMAGE_PEMI_LEFT, 0},   {&mWalkEmptyRight, IMAGE_PEMI_RIGHT, 0},
      {&mWalkEmptyUp, IMAGE_PEMI_UP, 7},       {&mWalkEmptyDown, IMAGE_PEMI_DOWN, 0},
      {&mWalkScoopUp, IMAGE_PEMI_UP, 14},      {&mWalkScoopDown, IMAGE_PEMI_DOWN, 14},
      {&mWalkItemLeft, IMAGE_PEMI_LEFT, 7},    {&mWalkItemRight, IMAGE_PEMI_RIGHT, 7},
      {&mWalkItemUp, IMAGE_PEMI_UP, 14},       {&mWalkItemDown, IMAGE_PEMI_DOWN, 7},
      {&mWalkLargeLeft, IMAGE_PEMI_LEFT, 21},  {&mWalkLargeRight, IMAGE_PEMI_RIGHT, 21},
      {&mWalkLargeUp, IMAGE_PEMI_UP, 21},      {&mWalkLargeDown, IMAGE_PEMI_DOWN, 21},
  };
  for (const Walk& w : walks) {
    AddRun(*w.animation, w.first, w.first + 6, 10);
    Setup(*w.animation, w.image, true);
  }
  // Carrying a scoop sideways the scoop bobs on two cels.
  for (Animation* a : {&mWalkScoopLeft, &mWalkScoopRight}) {
    for (int cel = 14; cel <= 20; ++cel) a->AddFrame(cel, 10, 0.0f, cel == 15 || cel == 19 ? -1.0f : 0.0f);
  }
  Setup(mWalkScoopLeft, IMAGE_PEMI_LEFT, true);
  Setup(mWalkScoopRight, IMAGE_PEMI_RIGHT, true);

  AddRun(mServeAnimation, 1, 6, 10);
  Setup(mServeAnimation, IMAGE_PEMI_UP, false);
  AddCels(mReachOutBody, {69, 69, 69, 69}, 10);
  Setup(mReachOutBody, IMAGE_PEMI_DOWN, false);
  AddCels(mReachOutOverhead, {70, 71, 72, 73}, 10);
  Setup(mReachOutOverhead, IMAGE_PEMI_DOWN, false);
  AddCels(mReachBackBody, {69, 69, 69, 69}, 10);
  Setup(mReachBackBody, IMAGE_PEMI_DOWN, false);
  AddCels(mReachBackOverhead, {73, 72, 71, 70}, 10);
  Setup(mReachBackOverhead, IMAGE_PEMI_DOWN, false);
  AddCels(mScoopBody, {67, 69, 69, 69, 69}, 10);
  Setup(mScoopBody, IMAGE_PEMI_DOWN, false);
  AddRun(mScoopOverhead, 75, 79, 10);
  Setup(mScoopOverhead, IMAGE_PEMI_DOWN, false);
  AddCels(mBoxUpBody, {83, 83, 83}, 10);
  Setup(mBoxUpBody, IMAGE_PEMI_DOWN, false);
  AddCels(mBoxUpOverhead, {85, 86, 87}, 10);
  Setup(mBoxUpOverhead, IMAGE_PEMI_DOWN, false);
  AddCels(mBoxDownBody, {83, 83, 83}, 10);
  Setup(mBoxDownBody, IMAGE_PEMI_DOWN, false);
  AddCels(mBoxDownOverhead, {87, 86, 85}, 10);
  Setup(mBoxDownOverhead, IMAGE_PEMI_DOWN, false);

  // The treat rides in her hand over the first five frames of the throw.
  int w = CelW(IMAGE_PEMI_UP);
  int h = CelH(IMAGE_PEMI_UP);
  const int fruit[5][2] = {{59, 100}, {58, 81}, {48, 67}, {45, 64}, {63, 57}};
  for (int cel = 39; cel <= 46; ++cel) {
    int i = cel - 39;
    if (i < 5) {
      mHandFruitAnimation.AddFrame(cel, 10, static_cast<float>(fruit[i][0] - w / 2),
                                   static_cast<float>(fruit[i][1] - h));
    } else {
      mHandFruitAnimation.AddFrame(cel, 10);
    }
  }
  mHandFruitAnimation.AddFrame(39, 10);
  Setup(mHandFruitAnimation, IMAGE_PEMI_UP, false);

  AddCels(mPressButtonAnimation, {1, 2, 1, 0}, 10);
  Setup(mPressButtonAnimation, IMAGE_PEMI_UP, false);
  mPickUpDishAnimation.AddFrame(35, 20);
  mPickUpDishAnimation.AddFrame(36, 20);
  mPickUpDishAnimation.AddFrame(37, 20);
  mPickUpDishAnimation.AddFrame(38, 50);
  mPickUpDishAnimation.AddFrame(37, 20);
  Setup(mPickUpDishAnimation, IMAGE_PEMI_LEFT, false);
  mHoldAtCounterAnimation.AddFrame(1, 100);
  Setup(mHoldAtCounterAnimation, IMAGE_PEMI_UP, true);
  AddCels(mMachineAnimation1, {34, 35, 36, 37, 38, 37, 38, 34}, 10);
  Setup(mMachineAnimation1, IMAGE_PEMI_UP, false);
  AddRun(mMachineAnimation2, 28, 33, 10);
  Setup(mMachineAnimation2, IMAGE_PEMI_UP, false);

  AddCels(mIdle1, {29, 30, 29}, 10);
  Setup(mIdle1, IMAGE_PEMI_DOWN, false);
  AddCels(mIdle2, {31, 32, 33, 34, 35, 36, 35, 37, 38, 39, 40, 41, 42, 43, 44}, 10);
  Setup(mIdle2, IMAGE_PEMI_DOWN, false);
  mIdle3.AddFrame(45, 10);
  mIdle3.AddFrame(46, 10);
  for (int i = 0; i < 4; ++i) {
    mIdle3.AddFrame(47, 20);
    mIdle3.AddFrame(48, 20);
  }
  mIdle3.AddFrame(46, 10);
  Setup(mIdle3, IMAGE_PEMI_DOWN, false);
  const int idle4[][2] = {{49, 10}, {50, 10}, {51, 10}, {52, 10}, {53, 200}, {54, 10}, {55, 10},
                          {54, 10}, {53, 20}, {56, 10}, {57, 10}, {56, 10}, {53, 20}, {56, 10}};
  for (const auto& f : idle4) mIdle4.AddFrame(f[0], f[1]);
  Setup(mIdle4, IMAGE_PEMI_DOWN, false);
  mIdle5.AddFrame(58, 10);
  mIdle5.AddFrame(59, 10);
  AddRun(mIdle5, 60, 66, 20);
  mIdle5.AddFrame(59, 10);
  mIdle5.AddFrame(58, 10);
  Setup(mIdle5, IMAGE_PEMI_DOWN, false);

  mTrashDropAnimation.AddFrame(1, 20);
  mTrashDropAnimation.AddFrame(0, 20);
  Setup(mTrashDropAnimation, IMAGE_PEMI_UP, false);
  mTrashEmptyBoxAnimation.AddFrame(1, 20);
  mTrashEmptyBoxAnimation.AddFrame(3, 20);
  mTrashEmptyBoxAnimation.AddFrame(1, 10);
  Setup(mTrashEmptyBoxAnimation, IMAGE_PEMI_UP, false);
  mMachineHoldAnimation.AddFrame(1, 30);
  Setup(mMachineHoldAnimation, IMAGE_PEMI_UP, false);
  AddCels(mTalkAnimation, {90, 91, 90, 92}, 20);
  Setup(mTalkAnimation, IMAGE_PEMI_DOWN, true);
}

// ---- Carry and speed ----

Girl::CarryGroup Girl::GroupOf(int code) {
  if ((code >= 13 && code <= 18) || (code >= 26 && code <= 30)) return kGroupScoop;
  if (code == 4 || (code >= 19 && code <= 25) || (code >= 31 && code <= 34)) return kGroupItem;
  if (code == 5 || code == 6 || code == 7 || code == 35) return kGroupLarge;
  return kGroupEmpty;
}

IceCreamBox& Girl::GetCarriedBox() { return *mCarriedBox; }

void Girl::SetCarriedBox(const IceCreamBox& box) { *mCarriedBox = box; }

void Girl::SetCarriedBoxContents(int flavor, int portions) {
  mCarriedBox->mFlavor = flavor;
  mCarriedBox->mPortions = portions;
}

void Girl::BoostSpeed(float speed) {
  mTargetSpeed = speed;
  mBoostFrames = kBoostUpdates;
}

void Girl::UpdateSpeed() {
  if (mBoostFrames > 0 && --mBoostFrames == 0) mTargetSpeed = kNormalSpeed;
  if (mTargetSpeed < mSpeed) {
    mSpeed -= kSpeedStep;
    if (mSpeed < mTargetSpeed) mSpeed = mTargetSpeed;
  }
  if (mTargetSpeed > mSpeed) {
    mSpeed += kSpeedStep;
    if (mSpeed > mTargetSpeed) mSpeed = mTargetSpeed;
  }
}

// ---- Animations ----

void Girl::ChooseIdle() {
  if (mBodyAnimation || mSpecialAnimation || mCarryCode != 0 || mFrameCounter % kIdleEvery != 0) return;
  if (Rand() % 2 != 0) return;
  Animation* idles[6] = {&mIdle1, &mIdle1, &mIdle2, &mIdle3, &mIdle4, &mIdle5};
  mBodyAnimation = idles[Rand() % 6];
  mBodyAnimation->Reset();
}

void Girl::UpdateAnimations() {
  if (mBodyAnimation) {
    mBodyAnimation->Update();
    if (mBodyAnimation->IsFinished()) {
      mBodyAnimation = nullptr;
      mOverheadAnimation = nullptr;
      UpdateCarryOffset();
    }
  }
  if (mOverheadAnimation) mOverheadAnimation->Update();
  if (mSpecialAnimation) {
    mSpecialAnimation->Update();
    if (mSpecialAnimation->IsFinished()) mSpecialAnimation = nullptr;
  }
}

void Girl::StartWalkAnimation(int direction) {
  mSpecialAnimation = nullptr;
  Animation* cycles[4][4] = {
      {&mWalkEmptyRight, &mWalkEmptyDown, &mWalkEmptyLeft, &mWalkEmptyUp},
      {&mWalkScoopRight, &mWalkScoopDown, &mWalkScoopLeft, &mWalkScoopUp},
      {&mWalkItemRight, &mWalkItemDown, &mWalkItemLeft, &mWalkItemUp},
      {&mWalkLargeRight, &mWalkLargeDown, &mWalkLargeLeft, &mWalkLargeUp},
  };
  if (direction >= kRight && direction <= kUp) mBodyAnimation = cycles[GroupOf(mCarryCode)][direction - 1];
  if (mBodyAnimation) {
    mBodyAnimation->SetSpeed(kWalkAnimationSpeed);
    mBodyAnimation->Reset();
  }
  UpdateCarryOffset();
}

void Girl::PlayBodyAnimation(Animation* animation) {
  mBodyAnimation = animation;
  if (animation) animation->Reset();
  UpdateCarryOffset();
}

void Girl::PlayPair(Animation* body, Animation* overhead, bool updateOffset) {
  mSpecialAnimation = nullptr;
  mBodyAnimation = body;
  mOverheadAnimation = overhead;
  body->Reset();
  overhead->Reset();
  if (updateOffset) UpdateCarryOffset();
}

void Girl::PlayReachOutAnimation() { PlayPair(&mReachOutBody, &mReachOutOverhead, true); }
void Girl::PlayReachBackAnimation() { PlayPair(&mReachBackBody, &mReachBackOverhead, true); }
void Girl::PlayScoopAnimation() { PlayPair(&mScoopBody, &mScoopOverhead, true); }
void Girl::PlayBoxUpAnimation() { PlayPair(&mBoxUpBody, &mBoxUpOverhead, false); }
void Girl::PlayBoxDownAnimation() { PlayPair(&mBoxDownBody, &mBoxDownOverhead, false); }

void Girl::StopAnimations() {
  mBodyAnimation = nullptr;
  mOverheadAnimation = nullptr;
  mSpecialAnimation = nullptr;
  UpdateCarryOffset();
}

void Girl::StartSpecialAnimation() {
  mSpecialAnimation = &mTalkAnimation;
  mTalkAnimation.Reset();
  mBodyAnimation = nullptr;
  mOverheadAnimation = nullptr;
}

void Girl::StopSpecialAnimation() { mSpecialAnimation = nullptr; }

int Girl::GetOverheadCel() const { return mOverheadAnimation ? mOverheadAnimation->GetCurrentCel() : -1; }

void Girl::UpdateCarryOffset() {
  auto set = [this](Image* image, int a, int b) {
    mCarryOffsetX = a - CelW(image) / 2;
    mCarryOffsetY = b - CelH(image);
  };
  Animation* body = mBodyAnimation;
  if (!body) {
    CarryGroup group = GroupOf(mCarryCode);
    if (group == kGroupScoop) {
      set(IMAGE_PEMI_DOWN, 49, 96);
    } else if (mCarryCode == 5 || mCarryCode == 6 || mCarryCode == 7 || mCarryCode == 35) {
      set(IMAGE_PEMI_DOWN, 40, 102);
    } else {
      set(IMAGE_PEMI_DOWN, 38, 98);
    }
  } else if (body == &mWalkItemLeft) {
    set(IMAGE_PEMI_LEFT, 26, 98);
  } else if (body == &mWalkItemRight) {
    set(IMAGE_PEMI_RIGHT, 52, 91);
  } else if (body == &mWalkItemDown) {
    set(IMAGE_PEMI_DOWN, 38, 100);
  } else if (body == &mWalkScoopLeft) {
    set(IMAGE_PEMI_LEFT, 21, 103);
  } else if (body == &mWalkScoopRight) {
    set(IMAGE_PEMI_RIGHT, 62, 92);
  } else if (body == &mWalkLargeDown) {
    set(IMAGE_PEMI_DOWN, 40, 102);
  } else if (body == &mWalkLargeLeft) {
    set(IMAGE_PEMI_DOWN, 22, 95);
  } else if (body == &mWalkLargeRight) {
    set(IMAGE_PEMI_DOWN, 66, 94);
  } else if (body == &mReachOutBody) {
    switch (GetOverheadCel()) {
      case 72: set(IMAGE_PEMI_DOWN, 34, 123); break;
      case 73: set(IMAGE_PEMI_DOWN, 38, 99); break;
      case 74: set(IMAGE_PEMI_DOWN, 38, 98); break;
      default: break;
    }
  } else if (body == &mScoopBody) {
    if (GetOverheadCel() == 79) set(IMAGE_PEMI_DOWN, 52, 102);
  }
}

// ---- Drawing ----

void Girl::Draw(Graphics& g) {
  int x = static_cast<int>(mX);
  int y = static_cast<int>(mY);
  if (mBoard && mBoard->mUncle && !mBoard->mUncle->IsIdle()) {
    int cel = 0;
    if (mCarryCode == 4 || (mCarryCode >= 13 && mCarryCode <= 34)) {
      cel = 34;
    } else if (mCarryCode == 5 || mCarryCode == 6 || mCarryCode == 7 || mCarryCode == 35) {
      cel = 6;
    }
    DrawCelAt(g, IMAGE_PEMI_UP, x, y, 0, 0, cel);
    return;
  }
  Animation* body = mBodyAnimation;
  bool shifted = body == &mWalkEmptyLeft || body == &mWalkScoopLeft || body == &mWalkItemLeft ||
                 body == &mWalkLargeLeft || body == &mPickUpDishAnimation;
  if (shifted) g.Translate(-12, 8);
  if (body) {
    if (body == &mHandFruitAnimation && mCarryCode >= 31 && mCarryCode <= 34) {
      Image* treat = mCarryCode == 32 ? IMAGE_APPLE : mCarryCode == 33 ? IMAGE_PEAR : IMAGE_BANANA;
      if (treat) {
        g.DrawImage(treat, static_cast<int>(mX + body->GetCurrentOffsetX()) - treat->GetWidth() / 2,
                    static_cast<int>(mY + body->GetCurrentOffsetY()) - treat->GetHeight());
      }
    }
    DrawCelAt(g, body->GetImage(), x, y, 0, 0, body->GetCurrentCel());
  } else {
    static constexpr int kStanding[4] = {28, 16, 9, 23};
    DrawCelAt(g, IMAGE_PEMI_DOWN, x, y, 0, 0, kStanding[GroupOf(mCarryCode)]);
  }
  if (mSpecialAnimation) DrawCelAt(g, mSpecialAnimation->GetImage(), x, y, 0, 0, mSpecialAnimation->GetCurrentCel());
  bool hidesCarried = body == &mWalkItemUp || body == &mWalkScoopUp || body == &mServeAnimation ||
                      body == &mHandFruitAnimation || body == &mHoldAtCounterAnimation ||
                      body == &mMachineAnimation1;
  if (!hidesCarried) {
    int dx = body ? static_cast<int>(body->GetCurrentOffsetX()) : 0;
    int dy = body ? static_cast<int>(body->GetCurrentOffsetY()) : 0;
    g.Translate(dx, dy);
    DrawCarried(g);
    g.Translate(-dx, -dy);
  }
  if (shifted) g.Translate(12, -8);
}

void Girl::DrawCarried(Graphics& g) {
  int code = mCarryCode;
  if (code == 4 || (code >= 13 && code <= 35)) UpdateCarryOffset();
  int left = static_cast<int>(mX) + mCarryOffsetX;
  int bottom = static_cast<int>(mY) + mCarryOffsetY;
  auto whole = [&](Image* image, bool celWidth) {
    if (!image) return;
    int half = (celWidth ? image->GetCellWidth() : image->GetWidth()) / 2;
    g.DrawImage(image, left - half, bottom - image->GetHeight());
  };
  auto cell = [&](Image* image, int cel) {
    if (!image) return;
    g.DrawImageCell(image, left - image->GetCellWidth() / 2, bottom - image->GetCellHeight(), cel);
  };
  switch (code) {
    case 4: whole(IMAGE_SPECIAL_CUP, false); break;
    case 5: whole(IMAGE_SPECIAL_PLATE, false); break;
    case 6: whole(IMAGE_BANANA_SPLIT, false); break;
    case 7: whole(IMAGE_CAKE, false); break;
    case 19: whole(IMAGE_CHERRY_JAR_SMALL, true); break;
    case 20: whole(IMAGE_SPRINKLES_JAR_SMALL, true); break;
    case 21: whole(IMAGE_CHOCOLATE_SAUCE_TUBE_SMALL, true); break;
    case 22: whole(IMAGE_UMBRELLA, true); break;
    case 23: whole(IMAGE_COCKTAIL_STICK, true); break;
    case 24: whole(IMAGE_STRAW, true); break;
    case 25: whole(IMAGE_SPARKLER, true); break;
    case 31:
    case 34: whole(IMAGE_BANANA, false); break;
    case 32: whole(IMAGE_APPLE, false); break;
    case 33: whole(IMAGE_PEAR, false); break;
    case 35: DrawBox(g); break;
    default:
      if (code >= 13 && code <= 18) cell(IMAGE_SMALL_BALLS, code - 13);
      if (code >= 26 && code <= 30) cell(IMAGE_INGREDIENTS, code - 26);
      break;
  }
}

void Girl::DrawBox(Graphics& g) {
  static constexpr int kFillCel[6] = {1, 5, 6, 3, 4, 2};  // flavours 13..18
  int fill = -1;
  int flavor = mCarriedBox->mFlavor;
  if (mCarriedBox->mPortions != 0 && flavor >= 13 && flavor <= 18) fill = kFillCel[flavor - 13];
  Image* image = IMAGE_PEMI_BOX_LEFT;
  int dx = 0;
  int dy = 0;
  if (!mBodyAnimation || mBodyAnimation == &mWalkLargeDown) {
  } else if (mBodyAnimation == &mWalkLargeLeft) {
    dy = -3;
  } else if (mBodyAnimation == &mWalkLargeRight) {
    image = IMAGE_PEMI_BOX_RIGHT;
    dx = -2;
    dy = 5;
  } else {
    return;
  }
  if (!image) return;
  int left = static_cast<int>(mX) + mCarryOffsetX - image->GetCellWidth() / 2 + dx;
  int top = static_cast<int>(mY) + mCarryOffsetY - image->GetCellHeight() + dy;
  g.DrawImageCell(image, left, top, 0);
  if (fill >= 0) g.DrawImageCell(image, left, top, fill);
}

void Girl::DrawOverheadAnimation(Graphics& g) {
  if (mBoard && mBoard->mUncle && !mBoard->mUncle->IsIdle()) return;
  if (!mOverheadAnimation) return;
  DrawCelAt(g, mOverheadAnimation->GetImage(), static_cast<int>(mX), static_cast<int>(mY), 0, 0,
            mOverheadAnimation->GetCurrentCel());
}

}  // namespace Plix
