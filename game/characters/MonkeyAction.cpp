// The monkey's task frame, the walk, and the table, counter and trash
// tasks.
#include "game/characters/MonkeyAction.h"

#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/EnvironmentFile.h"
#include "game/board/ItemHolder.h"
#include "game/board/Table.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Monkey.h"

namespace Plix {

// ---- The frame ----

int MonkeyAction::sLiveCount = 0;

MonkeyAction::MonkeyAction(Monkey* monkey, bool countsClick)
    : mMonkey(monkey), mBoard(monkey->GetBoard()), mCountsClick(countsClick) {
  ++sLiveCount;
}

MonkeyAction::~MonkeyAction() { --sLiveCount; }

void MonkeyAction::GiveBackClick(Table* table) {
  // Only once: a task that passes the same point again (after a trip to the
  // trash station, say) must not lower a badge another click raised.
  if (!mCountsClick || mClickGivenBack) return;
  mClickGivenBack = true;
  mBoard->DecrementMonkeyPendingClicks(GetKind(), table);
}

MonkeyActionResult MonkeyAction::WalkFirst(BarMovementNode* node) {
  Finish();
  return First(new MonkeyWalkAction(mMonkey, node));
}

MonkeyActionResult MonkeyAction::TrashFirst() { return First(new MonkeyToTrashStationAction(mMonkey, false)); }

MonkeyActionResult MonkeyAction::StartTowards(BarMovementNode* node) {
  if (mMonkey->HasEmptyHands()) return WalkFirst(node);
  if (HoldsWantedTray()) {
    GiveBackClick();
    return Finished();
  }
  return TrashFirst();
}

bool MonkeyAction::HoldsWantedTray() const {
  if (mMonkey->GetCarryKind() != Monkey::kCarryTray) return false;
  CustomerManager* customers = mBoard->GetCustomerManager();
  return customers && customers->AnyWantsHeldItem(*mMonkey->GetCarriedItems());
}

bool MonkeyAction::CanWalkTo(BarMovementNode* node) const {
  BarMovementNode* from = mMonkey->GetNode();
  if (!node || !from) return false;
  if (node == from) return true;
  std::unique_ptr<WalkPath> path(mBoard->BuildWalkPath(from, node));
  return path != nullptr;
}

void MonkeyAction::Play(int sound) const { GetGameHost()->PlaySound(sound); }

// ---- Walk ----

MonkeyWalkAction::MonkeyWalkAction(Monkey* monkey, BarMovementNode* target)
    : MonkeyAction(monkey, false), mTarget(target) {
  mKind = kMonkeyWalk;
}

MonkeyWalkAction::~MonkeyWalkAction() {
  if (mPath) mPath->Clear();
}

MonkeyActionResult MonkeyWalkAction::Run() {
  mPath.reset(mBoard->BuildWalkPath(mMonkey->GetNode(), mTarget));
  // No route (or already there): he stays where he is.
  if (!mPath) return Finished();
  mPath->Start();
  mMonkey->SetWalkDirection(mPath->GetCurrentDirection());
  mArrived = false;
  return Running();
}

void MonkeyWalkAction::Step(float dt) {
  if (mArrived || !mPath) return;
  const bool ended = mPath->Advance(mMonkey->GetEffectiveSpeed() * dt);
  mMonkey->SetPosition(mPath->GetX(), mPath->GetY());
  if (ended) {
    mMonkey->StandAtNode(mTarget);
    mMonkey->StopAnimation();
    mArrived = true;
  } else if (mPath->GetCurrentDirection() != mMonkey->GetWalkDirection()) {
    mMonkey->SetWalkDirection(mPath->GetCurrentDirection());
  }
}

// ---- Table ----

MonkeyToTableAction::MonkeyToTableAction(Monkey* monkey, Table* table, bool countsClick)
    : MonkeyAction(monkey, countsClick), mTable(table) {
  mKind = kMonkeyToTable;
}

MonkeyActionResult MonkeyToTableAction::Run() {
  if (!mTable) return Finished();
  if (!mDone) return WalkFirst(mBoard->FindNodeForObject(mTable));

  GiveBackClick(mTable);
  mBoard->OnTutorialMonkeyEvent(kMonkeyToTable, false);
  const int carry = mMonkey->GetCarryKind();
  switch (carry) {
    case Monkey::kCarryNothing:
    case Monkey::kCarryDishes:
      // A full stack leaves the rest on the table for the next trip.
      while (mTable->CountItems() > 0 && mMonkey->GetDishCount() < Monkey::kMaxDishes)
        mMonkey->AddDish(mTable->TakeItem());
      break;
    case Monkey::kCarryTray: {
      ItemHolder& tray = *mMonkey->GetCarriedItems();
      if (mTable->ServeFromHolder(tray)) mBoard->MarkCustomersWithReadyOrders();
      if (!tray.IsEmpty() && HoldsWantedTray()) break;
      // An empty tray, or leftovers nobody wants: off to the trash.
      return ReplacedBy(new MonkeyToTrashStationAction(mMonkey, false));
    }
    case Monkey::kCarryNapkin:
      if (mTable->GiveNapkin()) {
        mMonkey->DropAll();
        mBoard->MarkNapkinHintSeen();
      }
      break;
    case Monkey::kCarryLemonade:
    case Monkey::kCarryLemonade + 1:
    case Monkey::kCarryLemonade + 2:
      if (mTable->GiveLemonade(carry - Monkey::kCarryLemonade + 1)) mMonkey->DropAll();
      break;
    case Monkey::kCarryCookie:
    case Monkey::kCarryCookie + 1:
    case Monkey::kCarryCookie + 2:
      if (mTable->GiveCookie(carry - Monkey::kCarryCookie + 1)) mMonkey->DropAll();
      break;
    default:
      break;  // the juggling balls stay in his hands
  }
  return Finished();
}

// ---- Counter ----

MonkeyToCounterDishAction::MonkeyToCounterDishAction(Monkey* monkey) : MonkeyAction(monkey, true) {
  mKind = kMonkeyToCounterDish;
}

MonkeyActionResult MonkeyToCounterDishAction::Run() {
  if (!mDone) return StartTowards(mBoard->FindNodeByKind(kEnvCounter));
  if (mBoard->GetCounter()->IsEmpty() && mBoard->CanTakeCounterTray()) {
    // Nothing there and nothing coming.
    GiveBackClick();
    return Finished();
  }
  mMonkey->StopAnimation();
  return Running();
}

bool MonkeyToCounterDishAction::Apply() {
  // The serving monkey may still put something down.
  if (!mBoard->CanTakeCounterTray()) return false;
  GiveBackClick();
  ItemHolder* counter = mBoard->GetCounter();
  if (mMonkey->PickUp(Monkey::kCarryTray, counter)) {
    counter->Clear();
    Play(SOUND_PICK_UP_TRAY);
  }
  mBoard->OnTutorialMonkeyEvent(kMonkeyToCounterDish, false);
  return true;
}

// ---- Trash station ----

MonkeyToTrashStationAction::MonkeyToTrashStationAction(Monkey* monkey, bool countsClick)
    : MonkeyAction(monkey, countsClick) {
  mKind = kMonkeyToTrashStation;
}

MonkeyActionResult MonkeyToTrashStationAction::Run() {
  if (!mDone) {
    if (mMonkey->HasEmptyHands()) {
      GiveBackClick();
      return Finished();
    }
    return WalkFirst(mBoard->FindNodeByKind(kEnvTrashStation));
  }
  GiveBackClick();
  mMonkey->StopAnimation();
  if (mMonkey->GetCarryKind() == Monkey::kCarryTray) {
    // Only a tray raises the station's stack.
    mBoard->FillTrashStation();
    Play(SOUND_PICK_UP_TRAY);
    if (!mMonkey->GetCarriedItems()->IsEmpty()) mBoard->SpawnTrashPuff();
    mMonkey->DropAll();
    mBoard->MarkCustomersWithReadyOrders();
  } else {
    Play(mMonkey->GetDishCount() >= 3 ? SOUND_GARBAGE_LARGE : SOUND_GARBAGE_MEDIUM);
    mBoard->SpawnTrashPuff();
    mMonkey->DropAll();
  }
  return Finished();
}

}  // namespace Plix
