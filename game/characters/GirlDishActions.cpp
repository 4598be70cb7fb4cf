#include "game/app/AlphaButton.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

namespace {

struct DishInfo {
  int kind;
  int code;  // her carry code and the dish's product kind
  float freezerX;
  float freezerDy;
};

// Special cup, banana split, special plate, cake: the freezer buttons'
// order.
constexpr DishInfo kDishes[4] = {
    {kGirlSpecialCup, kItemSpecialCup, 153.0f, -12.0f},
    {kGirlBananaSplit, kItemBananaSplit, 156.0f, 14.0f},
    {kGirlSpecialPlate, kItemSpecialPlate, 192.0f, -12.0f},
    {kGirlCake, kItemCake, 196.0f, 14.0f},
};

// The frames of the freezer animation at which the door opens and shuts.
constexpr int kDoorOpenFrame = 3;
constexpr int kDoorShutFrame = 4;

}  // namespace

GirlPickUpDishAction::GirlPickUpDishAction(Girl* girl, int dish) : GirlAction(girl, true), mDish(dish) {
  mKind = kDishes[dish].kind;
}

void GirlPickUpDishAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  if (!mDone) {
    if (mGirl->GetCarryCode() != 0) {
      AnswerPutAway(result);
    } else {
      AnswerWalk(result, new GirlWalkByCounterAction(mGirl, kDishes[mDish].freezerX, kDishes[mDish].freezerDy));
    }
    return;
  }
  GiveBackClick();
  mGirl->PlayBodyAnimation(&mGirl->mPickUpDishAnimation);
}

bool GirlPickUpDishAction::Apply() {
  Animation* body = mGirl->GetBodyAnimation();
  if (!body) {
    mGirl->SetCarryCode(kDishes[mDish].code);
    return true;
  }
  AlphaButton* button = mBoard->mFreezerButtons[mDish].get();
  int frame = body->GetFrameCounter();
  if (frame == kDoorOpenFrame && !mFreezerOpened) {
    mFreezerOpened = true;
    if (button) {
      button->SetStateImage(0, IMAGE_FREEZER_OPEN);
      button->SetStateImage(1, IMAGE_FREEZER_OPEN);
    }
    GetGameHost()->PlaySound(SOUND_FREEZER_OPEN);
  } else if (frame == kDoorShutFrame && !mFreezerClosed) {
    mFreezerClosed = true;
    if (button) {
      button->SetStateImage(0, IMAGE_FREEZER_CLOSED);
      button->SetStateImage(1, IMAGE_FREEZER_CLOSED);
    }
    GetGameHost()->PlaySound(SOUND_FREEZER_CLOSE);
  }
  return false;
}

GirlAddDishAction::GirlAddDishAction(Girl* girl, int dish) : GirlAction(girl, false), mDish(dish) {
  mKind = kDishes[dish].kind;
}

void GirlAddDishAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  // Without the dish (its pick-up was given up) there is nothing to put
  // on the belt, and what she holds instead must not vanish into a dish.
  if (mGirl->GetCarryCode() != kDishes[mDish].code) {
    result.finished = true;
    return;
  }
  if (!mDone) {
    AnswerWalk(result, new GirlWalkByCounterAction(mGirl, 50.0f, 0.0f));
    return;
  }
  mGirl->PlayBodyAnimation(&mGirl->mHoldAtCounterAnimation);
}

bool GirlAddDishAction::Apply() {
  Animation* body = mGirl->GetBodyAnimation();
  if (!body) {
    mGirl->SetCarryCode(0);
    return true;
  }
  Conveyor* conveyor = mBoard->GetConveyor();
  if (body != &mGirl->mHoldAtCounterAnimation || !conveyor) return false;
  IceCream dish = IceCream::CreateOfKind(kDishes[mDish].code);
  if (conveyor->CanAddContainer(dish)) {
    mGirl->PlayBodyAnimation(&mGirl->mServeAnimation);
    conveyor->AddItem(kDishes[mDish].code, true);
  }
  return false;
}

}  // namespace Plix
