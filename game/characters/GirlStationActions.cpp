#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

namespace {

// The cel of the take and put-back overhead at which the item changes hands.
constexpr int kHandOverCel = 72;
// The cel of the throw at which the treat leaves her hand.
constexpr int kThrowCel = 43;

const StationInfo kCherries{kGirlToCherries, 19, -1.0f, true, true};
const StationInfo kSprinkles{kGirlToSprinkles, 20, -1.0f, true, true};
const StationInfo kChocolateSauce{kGirlToChocolateSauce, 21, -1.0f, true, true};
const StationInfo kUmbrellas{kGirlToUmbrellas, kItemUmbrella, 524.0f, false, true};
const StationInfo kCocktailSticks{kGirlToCocktailSticks, kItemCocktailStick, 471.0f, false, true};
const StationInfo kStraws{kGirlToStraws, kItemStraw, 476.0f, false, true};
const StationInfo kSparklers{kGirlToSparklers, kItemSparkler, 519.0f, false, true};
// No banana goes back to its stock.
const StationInfo kBananas{kGirlToBananas, kItemBanana, 122.0f, false, false};
const StationInfo kApples{kGirlToApples, kItemApple, 148.0f, false, true};
const StationInfo kPears{kGirlToPears, kItemPear, 172.0f, false, true};
const StationInfo kSuperBanana{kGirlToSuperBanana, kItemSuperBanana, 78.0f, false, true};

void Play(int sound) { GetGameHost()->PlaySound(sound); }

}  // namespace

// ---- Stations ----

GirlToStationAction::GirlToStationAction(Girl* girl, bool countsClick, const StationInfo& info)
    : GirlAction(girl, countsClick), mInfo(info) {
  mKind = info.kind;
}

float GirlToStationAction::StationX() const {
  switch (mInfo.kind) {
    case kGirlToCherries: return static_cast<float>(mBoard->GetCherriesStationX());
    case kGirlToSprinkles: return static_cast<float>(mBoard->GetSprinklesStationX());
    case kGirlToChocolateSauce: return static_cast<float>(mBoard->GetChocolateSauceStationX());
    default: return mInfo.benchX;
  }
}

bool GirlToStationAction::IsTopping() const { return mInfo.topping; }

int GirlToStationAction::Stock() const {
  switch (mInfo.kind) {
    case kGirlToUmbrellas: return mBoard->GetUmbrellaStock();
    case kGirlToCocktailSticks: return mBoard->GetCocktailStickStock();
    case kGirlToStraws: return mBoard->GetStrawStock();
    case kGirlToSparklers: return mBoard->GetSparklerStock();
    case kGirlToBananas: return mBoard->GetBananaStock();
    case kGirlToApples: return mBoard->GetAppleStock();
    case kGirlToPears: return mBoard->GetPearStock();
    case kGirlToSuperBanana: return mBoard->GetSuperBananaStock();
    default: return 1;
  }
}

void GirlToStationAction::Take() {
  switch (mInfo.kind) {
    case kGirlToCherries: mBoard->ActivateCherriesButton(); break;
    case kGirlToSprinkles: mBoard->ActivateSprinklesButton(); break;
    case kGirlToChocolateSauce: mBoard->ActivateChocolateSauceButton(); break;
    case kGirlToUmbrellas: mBoard->TakeUmbrella(); break;
    case kGirlToCocktailSticks: mBoard->TakeCocktailStick(); break;
    case kGirlToStraws: mBoard->TakeStraw(); break;
    case kGirlToSparklers: mBoard->TakeSparkler(); break;
    case kGirlToBananas: mBoard->TakeBanana(); break;
    case kGirlToApples: mBoard->TakeApple(); break;
    case kGirlToPears: mBoard->TakePear(); break;
    case kGirlToSuperBanana: mBoard->TakeSuperBanana(); break;
    default: break;
  }
}

void GirlToStationAction::Return() {
  switch (mInfo.kind) {
    case kGirlToCherries: mBoard->DeactivateCherriesButton(); break;
    case kGirlToSprinkles: mBoard->DeactivateSprinklesButton(); break;
    case kGirlToChocolateSauce: mBoard->DeactivateChocolateSauceButton(); break;
    case kGirlToUmbrellas: mBoard->ReturnUmbrella(); break;
    case kGirlToCocktailSticks: mBoard->ReturnCocktailStick(); break;
    case kGirlToStraws: mBoard->ReturnStraw(); break;
    case kGirlToSparklers: mBoard->ReturnSparkler(); break;
    case kGirlToApples: mBoard->ReturnApple(); break;
    case kGirlToPears: mBoard->ReturnPear(); break;
    case kGirlToSuperBanana: mBoard->ReturnSuperBanana(); break;
    default: break;
  }
}

void GirlToStationAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  int code = mGirl->GetCarryCode();
  bool holdsThis = code == mInfo.carryCode;
  if (!mDone) {
    if (IsTopping()) {
      if (holdsThis) {
        // She is about to use the topping she holds on the ice cream.
        if (mGirl->NextActionKind() == kGirlToIceCream) {
          AnswerFinished(result);
          return;
        }
        AnswerWalk(result, new GirlWalkByBenchAction(mGirl, StationX()));
      } else if (code != 0) {
        AnswerPutAway(result);
      } else {
        AnswerWalk(result, new GirlWalkByBenchAction(mGirl, StationX()));
      }
      return;
    }
    if (holdsThis) {
      AnswerWalk(result, new GirlWalkByBenchAction(mGirl, StationX()));
    } else if (Stock() == 0) {
      AnswerFinished(result);
    } else if (code != 0) {
      AnswerPutAway(result);
    } else {
      AnswerWalk(result, new GirlWalkByBenchAction(mGirl, StationX()));
    }
    return;
  }
  GiveBackClick();
  if (holdsThis) {
    mGirl->PlayReachBackAnimation();
  } else {
    mGirl->PlayReachOutAnimation();
  }
}

void GirlToStationAction::HandOver() {
  if (mGirl->GetCarryCode() == mInfo.carryCode && mInfo.giveBack) {
    mGirl->SetCarryCode(0);
    Return();
  } else {
    mGirl->SetCarryCode(mInfo.carryCode);
    Take();
  }
  if (IsTopping()) {
    Play(SOUND_PICK_UP_TOPPING);
    if (mInfo.kind == kGirlToSprinkles) Play(SOUND_PICK_UP_SPRINKLES);
  } else if (mInfo.kind >= kGirlToUmbrellas && mInfo.kind <= kGirlToSparklers) {
    Play(SOUND_PICK_UP_DECORATION);
  }
}

bool GirlToStationAction::Apply() {
  if (AnimationOver()) return true;
  if (!mTaken && mGirl->GetOverheadCel() == kHandOverCel) {
    mTaken = true;
    HandOver();
  }
  return false;
}

GirlToCherriesAction::GirlToCherriesAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kCherries) {}
GirlToSprinklesAction::GirlToSprinklesAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kSprinkles) {}
GirlToChocolateSauceAction::GirlToChocolateSauceAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kChocolateSauce) {}
GirlToUmbrellasAction::GirlToUmbrellasAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kUmbrellas) {}
GirlToCocktailSticksAction::GirlToCocktailSticksAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kCocktailSticks) {}
GirlToStrawsAction::GirlToStrawsAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kStraws) {}
GirlToSparklersAction::GirlToSparklersAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kSparklers) {}
GirlToApplesAction::GirlToApplesAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kApples) {}
GirlToPearsAction::GirlToPearsAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kPears) {}
GirlToSuperBananaAction::GirlToSuperBananaAction(Girl* girl) : GirlToStationAction(girl, true, kSuperBanana) {}
GirlToBananasAction::GirlToBananasAction(Girl* girl, bool countsClick)
    : GirlToStationAction(girl, countsClick, kBananas) {}

void GirlToBananasAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  if (!mDone) {
    if (Stock() == 0) {
      AnswerFinished(result);
    } else if (mGirl->GetCarryCode() == 0) {
      AnswerWalk(result, new GirlWalkByBenchAction(mGirl, StationX()));
    } else {
      AnswerPutAway(result);
    }
    return;
  }
  GiveBackClick();
  mGirl->PlayReachOutAnimation();
}

// ---- The treat throw ----

GirlToServingMonkeyAction::GirlToServingMonkeyAction(Girl* girl) : GirlAction(girl, false) {
  mKind = kGirlToServingMonkey;
}

void GirlToServingMonkeyAction::StartThrow() {
  mGirl->PlayBodyAnimation(&mGirl->mHandFruitAnimation);
  mPhase = 1;
}

void GirlToServingMonkeyAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  int code = mGirl->GetCarryCode();
  if (code < kItemBanana || code > kItemSuperBanana) {
    result.finished = true;
    return;
  }
  if (mBoard->IsTreatFlying()) {
    mPhase = 0;
  } else {
    StartThrow();
  }
}

bool GirlToServingMonkeyAction::Apply() {
  if (mPhase == 0) {
    if (!mBoard->IsTreatFlying()) StartThrow();
    return false;
  }
  Animation* body = mGirl->GetBodyAnimation();
  if (!body) return true;
  if (!mThrown && body->GetCurrentCel() == kThrowCel) {
    mThrown = true;
    mBoard->ThrowTreat(mGirl->GetCarryCode(), static_cast<int>(mGirl->GetX() + body->GetCurrentOffsetX()),
                       static_cast<int>(mGirl->GetY() + body->GetCurrentOffsetY()));
    mGirl->SetCarryCode(0);
  }
  return false;
}

// ---- The trash can ----

GirlToTrashcanAction::GirlToTrashcanAction(Girl* girl, bool countsClick) : GirlAction(girl, countsClick) {
  mKind = kGirlToTrashcan;
}

void GirlToTrashcanAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  int code = mGirl->GetCarryCode();
  if (!mDone) {
    if (code == 0) {
      AnswerFinished(result);
    } else if (IceCream::IsToppingItem(code)) {
      // Toppings go back to their station, never into the trash.
      AnswerPutAway(result);
    } else {
      AnswerWalk(result, new GirlWalkByCounterAction(mGirl, 52.0f, 0.0f));
    }
    return;
  }
  GiveBackClick();
  if (code == 0) {
    result.finished = true;
    return;
  }
  if (code == kItemIceCreamBox) {
    mGirl->PlayBodyAnimation(&mGirl->mTrashEmptyBoxAnimation);
  } else {
    mGirl->PlayBodyAnimation(&mGirl->mTrashDropAnimation);
    mGirl->SetCarryCode(0);
  }
  Play(SOUND_TRASHCAN);
}

bool GirlToTrashcanAction::Apply() {
  if (!AnimationOver()) return false;
  if (mGirl->GetCarryCode() == kItemIceCreamBox) mGirl->GetCarriedBox().mPortions = 0;
  mBoard->AddTrashUse();
  return true;
}

// ---- The fast-forward button ----

GirlToFFButtonAction::GirlToFFButtonAction(Girl* girl) : GirlAction(girl, true) { mKind = kGirlToFFButton; }

void GirlToFFButtonAction::Run(GirlActionResult& result) {
  result.finished = false;
  result.next = this;
  if (!mDone) {
    if (mGirl->GetCarryCode() != 0) {
      AnswerPutAway(result);
    } else {
      AnswerWalk(result, new GirlWalkByCounterAction(mGirl, 32.0f, 0.0f));
    }
    return;
  }
  GiveBackClick();
  mGirl->PlayBodyAnimation(&mGirl->mPressButtonAnimation);
  if (Conveyor* conveyor = mBoard->GetConveyor()) conveyor->FastForward();
}

}  // namespace Plix
