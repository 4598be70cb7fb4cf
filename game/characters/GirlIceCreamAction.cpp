#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"
#include "game/characters/ServingMonkey.h"

namespace Plix {

namespace {

// She stands this far right of the container's x to work on it.
constexpr float kReachX = 16.0f;
// The profile flag of the speed-button lesson.
constexpr int kSpeedLessonFlag = 32;

}  // namespace

GirlToIceCreamAction::GirlToIceCreamAction(Girl* girl, IceCream* item) : GirlAction(girl, true) {
  mKind = kGirlToIceCream;
  mSegment.Reset();
  Conveyor* conveyor = mBoard->GetConveyor();
  if (item && conveyor) {
    if (ConveyorContainer* container = conveyor->FindContainerOfItem(item)) mContainerId = container->GetSerial();
  }
}

IceCream* GirlToIceCreamAction::GetItem() const {
  Conveyor* conveyor = mBoard->GetConveyor();
  ConveyorContainer* container = conveyor && mContainerId != 0 ? conveyor->FindContainerBySerial(mContainerId) : nullptr;
  return container ? container->GetItem() : nullptr;
}

void GirlToIceCreamAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  Conveyor* conveyor = mBoard->GetConveyor();
  WalkPath* path = mBoard->GetCounterWalkPath();
  IceCream* item = GetItem();
  if (!path || !item) {
    // The item left the belt before she set out. Its badge went with it;
    // a badge is only given back on an item still riding.
    if (item) GiveBackClick(item);
    result.finished = true;
    return;
  }
  float px = 0;
  float py = 0;
  mCursor.PointAtX(*path, mGirl->GetX(), px, py);
  if (mGirl->GetX() == px && mGirl->GetY() == py) {
    mPhase = 1;
    mCursor.SeekToX(*path, mGirl->GetX());
    ConveyorContainer* container = conveyor->FindContainerBySerial(mContainerId);
    float target = container ? container->GetX() + kReachX : mGirl->GetX();
    mGirl->StartWalkAnimation(mGirl->GetX() < target ? Girl::kRight : Girl::kLeft);
    return;
  }
  mPhase = 0;
  mSegment.Reset();
  mSegment.SetStart(mGirl->GetX(), mGirl->GetY());
  mSegment.SetEnd(px, py);
  mSegment.ComputeDirection();
  mSegment.SetProgress(0);
  mGirl->StartWalkAnimation(Girl::kUp);
}

void GirlToIceCreamAction::GiveUp() {
  mBoard->OnTutorialGirlEvent(kGirlToIceCream, true);
  mPhase = 3;
}

void GirlToIceCreamAction::Step(float dt) {
  Conveyor* conveyor = mBoard->GetConveyor();
  WalkPath* path = mBoard->GetCounterWalkPath();
  float d = mGirl->GetSpeed() * dt;
  if (mPhase == 0) {
    bool end = mSegment.Advance(d);
    mGirl->SetPosition(mSegment.GetCurrentX(), mSegment.GetCurrentY());
    if (!end) return;
    ConveyorContainer* container = conveyor->FindContainerBySerial(mContainerId);
    if (!container) {
      GiveUp();
      return;
    }
    mPhase = 1;
    mCursor.SeekToX(*path, mGirl->GetX());
    mGirl->StartWalkAnimation(mGirl->GetX() < container->GetX() + kReachX ? Girl::kRight : Girl::kLeft);
    return;
  }
  if (mPhase == 1) {
    ConveyorContainer* container = conveyor->FindContainerBySerial(mContainerId);
    if (!container) {
      GiveUp();
      return;
    }
    ServingMonkey* monkey = mBoard->GetServingMonkey();
    if (monkey && monkey->GetContainerId() == mContainerId && mContainerId != 0) {
      GiveUp();
      GiveBackClick(container->GetItem());
      return;
    }
    if (conveyor->IsReversing() && !container->IsReverseMarked()) return;
    float target = container->GetX() + kReachX;
    float cx = mCursor.GetX();
    if (target != cx) {
      bool forward = target > cx;
      if (forward) {
        mCursor.Advance(*path, d, false);
      } else {
        mCursor.AdvanceBackward(*path, d);
      }
      bool shortOfTarget = forward ? target > mCursor.GetX() : target < mCursor.GetX();
      // Short of it, or at the path's end with the container beyond: on
      // with the next frame.
      if (shortOfTarget) {
        mGirl->SetPosition(mCursor.GetX(), mCursor.GetY());
        return;
      }
      mGirl->SetPosition(target, mGirl->GetY());
    }
    Arrive();
    return;
  }
  if (mPhase == 2 && !mGirl->GetBodyAnimation()) mPhase = 3;
}

void GirlToIceCreamAction::Arrive() {
  Conveyor* conveyor = mBoard->GetConveyor();
  IceCream* item = GetItem();
  if (!item) {
    GiveUp();
    return;
  }
  GiveBackClick(item);
  if (item->IsBonusKind()) {
    mBoard->ApplyBonusItem(item->GetKind());
    conveyor->RemoveItemFromBelt(item);
    mPhase = 3;
    return;
  }
  int code = mGirl->GetCarryCode();
  if (code == 0) {
    mPhase = 3;
    return;
  }
  if (!item->CanAdd(code)) {
    GiveUp();
    return;
  }
  mGirl->PlayBodyAnimation(&mGirl->mServeAnimation);
  if (mBoard->GetDay() == 0 && !mBoard->GetTutorial() && code == kItemVanilla) {
    PlayerProfile* profile = mBoard->mApp.GetCurrentProfile();
    if (!profile || !profile->GetFlag(kSpeedLessonFlag)) mStartSpeedTutorial = true;
  }
  AlphaButton* station = nullptr;
  int stock = 1;
  switch (code) {
    case kItemSparkler:
      mBoard->OnSparklerAdded();
      station = mBoard->mSparklerButton.get();
      stock = mBoard->GetSparklerStock();
      break;
    case kItemStraw:
      station = mBoard->mStrawButton.get();
      stock = mBoard->GetStrawStock();
      break;
    case kItemUmbrella:
      station = mBoard->mUmbrellaButton.get();
      stock = mBoard->GetUmbrellaStock();
      break;
    case kItemCocktailStick:
      station = mBoard->mCocktailStickButton.get();
      stock = mBoard->GetCocktailStickStock();
      break;
    default: break;
  }
  if (station && stock == 0) station->SetDisabled(true);
  if (item->AddExtra(code) && !IceCream::IsToppingItem(code)) mGirl->SetCarryCode(0);
  mPhase = 2;
}

bool GirlToIceCreamAction::Apply() {
  if (mPhase != 3) return false;
  mGirl->StopAnimations();
  if (mStartSpeedTutorial) mBoard->StartIGSpeedButtonTutorial();
  return true;
}

}  // namespace Plix
