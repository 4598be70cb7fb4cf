#include "game/characters/GirlAction.h"

#include "game/board/Board.h"
#include "game/characters/Girl.h"

namespace Plix {

int GirlAction::sLiveCount = 0;

GirlAction::GirlAction(Girl* girl, bool countsClick)
    : mGirl(girl), mBoard(girl->GetBoard()), mCountsClick(countsClick) {
  ++sLiveCount;
}

GirlAction::~GirlAction() { --sLiveCount; }

void GirlAction::GiveBackClick(void* target) {
  if (!mCountsClick || mClickGivenBack) return;
  mClickGivenBack = true;
  mBoard->DecrementGirlPendingClicks(GetKind(), target);
}

void GirlAction::AnswerFinished(GirlActionResult& result, void* target) {
  GiveBackClick(target);
  result.finished = true;
  result.next = this;
}

void GirlAction::AnswerPutAway(GirlActionResult& result, void* target) {
  GirlAction* putAway = MakePutAwayAction();
  if (!putAway) {
    // Nothing can take what she holds: the click is given up rather than
    // left running with nothing started, or lost with what she holds.
    AnswerFinished(result, target);
    return;
  }
  result.finished = false;
  result.next = putAway;
}

void GirlAction::AnswerWalk(GirlActionResult& result, GirlAction* walk) {
  Finish();
  result.finished = false;
  result.next = walk;
}

bool GirlAction::AnimationOver() const { return mGirl->GetBodyAnimation() == nullptr; }

GirlAction* GirlAction::MakePutAwayAction() {
  int code = mGirl->GetCarryCode();
  if ((code >= kItemVanilla && code <= kItemLastScoop) || IceCream::IsMachineIngredient(code)) {
    return new GirlToTrashcanAction(mGirl, false);
  }
  switch (code) {
    case 19: return new GirlToCherriesAction(mGirl, false);
    case 20: return new GirlToSprinklesAction(mGirl, false);
    case 21: return new GirlToChocolateSauceAction(mGirl, false);
    case kItemUmbrella: return new GirlToUmbrellasAction(mGirl, false);
    case kItemCocktailStick: return new GirlToCocktailSticksAction(mGirl, false);
    case kItemStraw: return new GirlToStrawsAction(mGirl, false);
    case kItemSparkler: return new GirlToSparklersAction(mGirl, false);
    // A banana cannot go back to its stock: she throws it to the monkey.
    case kItemBanana: return new GirlToServingMonkeyAction(mGirl);
    case kItemApple: return new GirlToApplesAction(mGirl, false);
    case kItemPear: return new GirlToPearsAction(mGirl, false);
    case kItemIceCreamBox: {
      int flavor = mGirl->GetCarriedBox().mFlavor;
      int index = flavor >= kItemVanilla && flavor <= 17 ? flavor - kItemVanilla : 5;
      IceCreamBox* box = mBoard->GetIceCreamBox(index);
      // Her box's own slot holds another box: there is nowhere to set it
      // down, and asking again would only build this errand again.
      if (box->mFlavor != 0) return nullptr;
      return new GirlToIceCreamBoxAction(mGirl, false, box, nullptr, false);
    }
    default: return nullptr;
  }
}

}  // namespace Plix
