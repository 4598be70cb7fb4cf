// The monkey's trips to the napkins, the lemonade and the cookies, and his
// entertainment: juggling on his stage and the barrel organ.
#include "game/app/GameResources.h"
#include "game/board/BarMovementNode.h"
#include "game/board/Board.h"
#include "game/board/EnvironmentFile.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Monkey.h"
#include "game/characters/MonkeyAction.h"

namespace Plix {

// ---- Stock stations ----

MonkeyToStockAction::MonkeyToStockAction(Monkey* monkey, int kind, int nodeKind)
    : MonkeyAction(monkey, true), mNodeKind(nodeKind) {
  mKind = kind;
}

MonkeyActionResult MonkeyToStockAction::Run() {
  // Looked at again on arrival: a stand emptied meanwhile gives nothing.
  if (StockLeft() == 0) {
    GiveBackClick();
    return Finished();
  }
  if (!mDone) return StartTowards(mBoard->FindNodeByKind(mNodeKind));
  GiveBackClick();
  mMonkey->PickUp(Take());
  mMonkey->StopAnimation();
  AfterPickUp();
  return Finished();
}

MonkeyToNapkinsAction::MonkeyToNapkinsAction(Monkey* monkey)
    : MonkeyToStockAction(monkey, kMonkeyToNapkins, kEnvNapkins) {}

int MonkeyToNapkinsAction::Take() { return Monkey::kCarryNapkin; }

void MonkeyToNapkinsAction::AfterPickUp() {
  mBoard->OnTutorialMonkeyEvent(kMonkeyToNapkins, false);
  Play(SOUND_PICK_UP_NAPKIN);
}

MonkeyToLemonadeAction::MonkeyToLemonadeAction(Monkey* monkey)
    : MonkeyToStockAction(monkey, kMonkeyToLemonade, kEnvLemonade) {}

int MonkeyToLemonadeAction::StockLeft() const { return mBoard->GetLemonadeCount(); }

int MonkeyToLemonadeAction::Take() { return mBoard->TakeLemonade(); }

void MonkeyToLemonadeAction::AfterPickUp() { Play(SOUND_PICK_UP_LEMONADE); }

MonkeyToCookiesAction::MonkeyToCookiesAction(Monkey* monkey)
    : MonkeyToStockAction(monkey, kMonkeyToCookies, kEnvCookies) {}

int MonkeyToCookiesAction::StockLeft() const { return mBoard->GetCookieCount(); }

int MonkeyToCookiesAction::Take() { return mBoard->TakeCookie(); }

void MonkeyToCookiesAction::AfterPickUp() { Play(SOUND_PICK_UP_COOKIE); }

// ---- Juggling ----

MonkeyToJugglingBallsAction::MonkeyToJugglingBallsAction(Monkey* monkey) : MonkeyAction(monkey, true) {
  mKind = kMonkeyToJugglingBalls;
}

MonkeyActionResult MonkeyToJugglingBallsAction::GiveUp() {
  GiveBackClick();
  if (mMonkey->GetCarryKind() == Monkey::kCarryBalls) {
    mMonkey->DropAll();
    mBoard->ShowJugglingButton();
  }
  return Finished();
}

MonkeyActionResult MonkeyToJugglingBallsAction::Run() {
  if (mDone) {
    // Back at the balls: they are put down.
    mMonkey->DropAll();
    mBoard->ShowJugglingButton();
    return Finished();
  }
  BarMovementNode* balls = mBoard->FindNodeByKind(kEnvJugglingBalls);
  if (mJuggled) return WalkFirst(balls);
  BarMovementNode* here = mMonkey->GetNode();
  const int at = here ? here->GetKind() : -1;
  const int carry = mMonkey->GetCarryKind();
  if (at == kEnvMonkeyPlace && carry == Monkey::kCarryBalls) {
    mJuggled = true;
    MonkeyActionResult result = First(new MonkeyJuggleAction(mMonkey));
    if (CustomerManager* customers = mBoard->GetCustomerManager()) customers->ShowJuggling(mBoard->mJugglingLevel);
    return result;
  }
  if (at == kEnvJugglingBalls && carry == Monkey::kCarryNothing) {
    BarMovementNode* stage = mBoard->FindNodeByKind(kEnvMonkeyPlace);
    GiveBackClick();
    // Without a way to the stage the balls would go to the trash and be
    // fetched again for ever: he leaves them where they are.
    if (!CanWalkTo(stage)) return Finished();
    mMonkey->PickUp(Monkey::kCarryBalls);
    mBoard->HideJugglingButton();
    return First(new MonkeyWalkAction(mMonkey, stage));
  }
  if (carry == Monkey::kCarryNothing) {
    if (!CanWalkTo(balls)) return GiveUp();
    return First(new MonkeyWalkAction(mMonkey, balls));
  }
  if (HoldsWantedTray()) {
    GiveBackClick();
    return Finished();
  }
  return TrashFirst();
}

MonkeyJuggleAction::MonkeyJuggleAction(Monkey* monkey) : MonkeyAction(monkey, false) { mKind = kMonkeyJuggle; }

MonkeyActionResult MonkeyJuggleAction::Run() {
  mMonkey->StartJuggling();
  return Running();
}

bool MonkeyJuggleAction::Apply() { return mMonkey->GetCurrentAnimation() == nullptr; }

// ---- Barrel organ ----

MonkeyToBarrelOrganAction::MonkeyToBarrelOrganAction(Monkey* monkey) : MonkeyAction(monkey, true) {
  mKind = kMonkeyToBarrelOrgan;
}

MonkeyActionResult MonkeyToBarrelOrganAction::Run() {
  if (!mDone) return StartTowards(mBoard->FindNodeByKind(kEnvOrgan));
  GiveBackClick();
  mBoard->HideBarrelOrganButton();
  mMonkey->PlayAnimation(Monkey::kBarrelOrgan);
  const int level = mBoard->mOrganLevel;
  if (CustomerManager* customers = mBoard->GetCustomerManager()) customers->PlayBarrelOrgan(level);
  Play(level == 1 ? SOUND_BARREL_ORGAN_1 : level == 2 ? SOUND_BARREL_ORGAN_2 : SOUND_BARREL_ORGAN_3);
  return Running();
}

bool MonkeyToBarrelOrganAction::Apply() {
  if (mMonkey->GetCurrentAnimation()) return false;
  mBoard->ShowBarrelOrganButton();
  return true;
}

}  // namespace Plix
