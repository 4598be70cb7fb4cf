#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

namespace {

// The cel of the scoop overhead at which the scoop is in her hand.
constexpr int kScoopCel = 79;

}  // namespace

// ---- Ice-cream boxes ----

GirlToIceCreamBoxAction::GirlToIceCreamBoxAction(Girl* girl, bool countsClick, IceCreamBox* box,
                                                 AlphaButton* button, bool takeBox)
    : GirlAction(girl, countsClick), mBox(box), mButton(button), mTakeBox(takeBox) {
  mKind = kGirlToIceCreamBox;
}

void GirlToIceCreamBoxAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  int code = mGirl->GetCarryCode();
  if (!mDone) {
    if (mBox->mFlavor == 0) {
      int held = mGirl->GetCarriedBox().mFlavor;
      if (code == kItemIceCreamBox && held >= kItemVanilla && held <= kItemLastScoop &&
          mBoard->GetIceCreamBox(held - kItemVanilla) == mBox) {
        AnswerWalk(result, new GirlWalkByBenchAction(mGirl, mBox->mX));
      } else if (code == kItemIceCreamBox) {
        AnswerPutAway(result, mButton);
      } else {
        AnswerFinished(result, mButton);
      }
      return;
    }
    if (code == 0) {
      AnswerWalk(result, new GirlWalkByBenchAction(mGirl, mBox->mX));
    } else {
      AnswerPutAway(result, mButton);
    }
    return;
  }
  if (mBox->mFlavor == 0 && code == kItemIceCreamBox) {
    mGirl->PlayBoxDownAnimation();
    mBox->mFlavor = mGirl->GetCarriedBox().mFlavor;
    mBox->mPortions = mGirl->GetCarriedBox().mPortions;
    mGirl->SetCarryCode(0);
    mBoard->RefreshIceCreamBox(mBox);
    GiveBackClick(mButton);
    mBoxPlaced = true;
    GetGameHost()->PlaySound(SOUND_PICK_UP_ICE_CREAM_BOX);
  } else if (code != 0) {
    // Her hands filled on the way (a cut queue): nothing safe to do here.
    AnswerFinished(result, mButton);
  } else if (mBox->mPortions > 0 && !mTakeBox) {
    mGirl->PlayScoopAnimation();
  } else {
    mGirl->PlayBoxUpAnimation();
  }
}

bool GirlToIceCreamBoxAction::Apply() {
  if (mGirl->GetBodyAnimation()) {
    if (mGirl->GetOverheadAnimation() == &mGirl->mScoopOverhead && mGirl->GetOverheadCel() == kScoopCel &&
        !mScooped) {
      mScooped = true;
      mGirl->SetCarryCode(mBox->mFlavor);
      if (mBoard->GetHappyHourDifficulty() == 0) {
        if (mBox->mPortions > 0) --mBox->mPortions;
        mBoard->RefreshIceCreamBox(mBox);
      }
      GiveBackClick(mButton);
    }
    return false;
  }
  if (!mBoxPlaced && !mScooped) {
    mGirl->SetCarryCode(kItemIceCreamBox);
    mGirl->SetCarriedBox(*mBox);
    mBoard->StartIceCreamMachineTutorial(mButton);
    mBox->mFlavor = 0;
    mBox->mPortions = 0;
    mBoard->RefreshIceCreamBox(mBox);
    GiveBackClick(mButton);
    GetGameHost()->PlaySound(SOUND_PICK_UP_ICE_CREAM_BOX);
  }
  return true;
}

// ---- The machine ----

InitToIceCreamMachineAction::InitToIceCreamMachineAction(Girl* girl) : GirlAction(girl, false) {
  mKind = kInitToIceCreamMachine;
}

void InitToIceCreamMachineAction::Run(GirlActionResult& result) {
  result.finished = true;
  result.next = this;
}

GirlToIceCreamMachineAction::GirlToIceCreamMachineAction(Girl* girl, bool countsClick)
    : GirlAction(girl, countsClick) {
  mKind = kGirlToIceCreamMachine;
}

void GirlToIceCreamMachineAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  int code = mGirl->GetCarryCode();
  int state = mBoard->GetIceCreamMachineState();
  if (!mDone) {
    auto walk = [&](int phase, float x, float dy) {
      mPhase = phase;
      AnswerWalk(result, new GirlWalkByCounterAction(mGirl, x, dy));
    };
    int level = mBoard->mMachineLevel;
    if (state == 0 && code == kItemIceCreamBox && mGirl->GetCarriedBox().mPortions == 0) {
      walk(1, 724.0f, 0.0f);
    } else if ((state == 0 || state == 1) && IceCream::IsMachineIngredient(code)) {
      if (level <= 1) {
        walk(2, 724.0f, 10.0f);
      } else if (level == 2) {
        walk(2, 732.0f, 0.0f);
      } else {
        walk(2, 738.0f, 6.0f);
      }
    } else if (state == 1 && code == 0) {
      walk(0, level == 2 ? 670.0f : 680.0f, 0.0f);
    } else if ((state == 2 || state == 3) && code == 0) {
      walk(state == 2 ? 3 : 4, 724.0f, 0.0f);
    } else if (state >= 1 && state <= 3) {
      AnswerPutAway(result);
    } else {
      AnswerFinished(result);
    }
    return;
  }
  GiveBackClick();
  switch (mPhase) {
    case 0:
      mGirl->PlayBodyAnimation(&mGirl->mMachineAnimation2);
      mBoard->StartIceCreamMachine();
      break;
    case 1:
    case 4: mGirl->PlayBodyAnimation(&mGirl->mMachineHoldAnimation); break;
    case 2: mGirl->PlayBodyAnimation(&mGirl->mMachineAnimation1); break;
    default: break;
  }
}

bool GirlToIceCreamMachineAction::Apply() {
  switch (mPhase) {
    case 0: return AnimationOver();
    case 1:
      if (!AnimationOver()) return false;
      mBoard->SetIceCreamMachineLoaded();
      mGirl->SetCarryCode(0);
      return true;
    case 2:
      if (!AnimationOver()) return false;
      mBoard->SetIceCreamMachineIngredient(mGirl->GetCarryCode());
      mGirl->SetCarryCode(0);
      return true;
    case 3:
      if (mBoard->GetIceCreamMachineState() == 3) {
        mPhase = 4;
        mGirl->PlayBodyAnimation(&mGirl->mMachineHoldAnimation);
      }
      return false;
    default: {
      if (!AnimationOver()) return false;
      int ingredient = mBoard->GetIceCreamMachineIngredient();
      int flavor = IceCream::IsMachineIngredient(ingredient) ? ingredient - kItemFirstIngredient + 14 : kItemVanilla;
      mGirl->SetCarryCode(kItemIceCreamBox);
      mGirl->SetCarriedBoxContents(flavor, mBoard->GetIceCreamBatchSize());
      mBoard->ResetIceCreamMachine();
      return true;
    }
  }
}

// ---- Ingredients ----

GirlToIngredientAction::GirlToIngredientAction(Girl* girl, int kind, int code, float benchX)
    : GirlAction(girl, false), mCode(code), mBenchX(benchX) {
  mKind = kind;
}

void GirlToIngredientAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  if (!mDone) {
    int code = mGirl->GetCarryCode();
    if (code == 0) {
      AnswerWalk(result, new GirlWalkByBenchAction(mGirl, mBenchX));
    } else if (code == mCode) {
      AnswerFinished(result);
    } else {
      AnswerPutAway(result);
    }
    return;
  }
  mGirl->PlayScoopAnimation();
}

bool GirlToIngredientAction::Apply() {
  if (!mTaken && mGirl->GetOverheadCel() == kScoopCel) {
    mTaken = true;
    mGirl->SetCarryCode(mCode);
  }
  return AnimationOver();
}

}  // namespace Plix
