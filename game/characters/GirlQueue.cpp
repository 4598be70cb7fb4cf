// The heroine's queue of errands and the station operations that fill it.
#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"

namespace Plix {

// ---- Running the queue ----

GirlAction* Girl::GetAction(int index) const { return static_cast<GirlAction*>(mActions.GetAt(index)); }

GirlAction* Girl::FrontAction() const { return mActions.IsEmpty() ? nullptr : GetAction(0); }

int Girl::FrontActionKind() const { return mActions.IsEmpty() ? 0 : GetAction(0)->GetKind(); }

int Girl::NextActionKind() const { return mActions.GetCount() < 2 ? 0 : GetAction(1)->GetKind(); }

bool Girl::HasFFButtonAction() const {
  for (int i = 0; i < mActions.GetCount(); ++i) {
    if (GetAction(i)->GetKind() == kGirlToFFButton) return true;
  }
  return false;
}

bool Girl::HasIceCreamBoxActionFor(const IceCreamBox* box) const {
  for (int i = 0; i < mActions.GetCount(); ++i) {
    GirlAction* action = GetAction(i);
    if (action->GetKind() != kGirlToIceCreamBox) continue;
    auto* boxAction = static_cast<GirlToIceCreamBoxAction*>(action);
    if (boxAction->GetBox() == box && boxAction->TakesWholeBox()) return true;
  }
  return false;
}

void Girl::DeleteFront() {
  void* item = nullptr;
  if (mActions.PopFront(item)) delete static_cast<GirlAction*>(item);
}

void Girl::CancelPending() {
  while (mActions.GetCount() >= 2) {
    GirlAction* last = GetAction(mActions.GetCount() - 1);
    mActions.RemoveAt(mActions.GetCount() - 1);
    delete last;
  }
}

void Girl::StepCurrentAction(float dt) {
  if (mRunning && !mActions.IsEmpty()) FrontAction()->Step(dt);
}

void Girl::Update() {
  ++mFrameCounter;
  ChooseIdle();
  UpdateAnimations();

  if (mRunning && !mActions.IsEmpty()) {
    GirlAction* front = FrontAction();
    if (front->Apply()) {
      mActions.RemoveAt(0);
      mBoard->OnTutorialGirlEvent(front->GetKind(), false);
      delete front;
      mRunning = false;
    }
  }

  // A queue that keeps answering with new errands would otherwise never
  // let the tick end; what is left waits for the next update.
  int starts = 0;
  while (!mRunning && !mActions.IsEmpty() && starts++ < kMaxStartsPerUpdate) {
    if (FrontActionKind() == kInitToIceCreamMachine) PrepareIceCreamMachineRun();
    GirlAction* front = FrontAction();
    GirlActionResult result;
    result.next = front;
    front->Run(result);
    bool other = result.next && result.next != front;
    if (result.finished) {
      mActions.RemoveAt(0);
      if (!other) mBoard->OnTutorialGirlEvent(front->GetKind(), true);
      delete front;
      if (other) mActions.PushFront(result.next);
    } else if (other) {
      mActions.PushFront(result.next);
    } else {
      mRunning = true;
    }
  }

  if (!mRunning && mActions.IsEmpty() && mX < kHomeX && !mBoard->GetTutorial() &&
      mBoard->mQueuedTutorials.IsEmpty()) {
    EnqueueWalkByCounter(static_cast<int>(kHomeX));
  }
  UpdateSpeed();
}

void Girl::PrepareIceCreamMachineRun() {
  if (mCarryCode == kItemIceCreamBox && mBoard->GetIceCreamMachineState() == 0) {
    int portions = mCarriedBox->mPortions;
    if (portions >= mBoard->GetIceCreamBatchSize()) {
      // A full box needs no refill: the click is spent and the marker
      // finishes at its start.
      mBoard->DecrementGirlPendingClicks(kGirlToIceCreamMachine, nullptr);
      return;
    }
    DeleteFront();
    // Pushed to the front in reverse, so that they run in this order: tip
    // the rest out, load the box, fetch and put in the flavour, start,
    // step back.
    mActions.PushFront(new GirlWalkByCounterAction(this, 632.0f, 0.0f));
    int flavor = mCarriedBox->mFlavor;
    if (flavor != kItemVanilla) mActions.PushFront(new GirlToIceCreamMachineAction(this, false));
    mActions.PushFront(new GirlToIceCreamMachineAction(this, false));
    GirlAction* ingredient = nullptr;
    switch (flavor) {
      case 14: ingredient = new GirlToStrawBerryAction(this); break;
      case 15: ingredient = new GirlToChocolateAction(this); break;
      case 16: ingredient = new GirlToPearAction(this); break;
      case 17: ingredient = new GirlToBlueBerryAction(this); break;
      case 18: ingredient = new GirlToPineAppleAction(this); break;
      default: break;
    }
    if (ingredient) mActions.PushFront(ingredient);
    mActions.PushFront(new GirlToIceCreamMachineAction(this, true));
    if (portions > 0) mActions.PushFront(new GirlToTrashcanAction(this, false));
    return;
  }
  DeleteFront();
  mActions.PushFront(new GirlToIceCreamMachineAction(this, true));
}

// ---- Errands from the stations ----

bool Girl::EnqueueIceCream(IceCream* item) {
  if (!mActions.IsEmpty()) {
    GirlAction* last = GetAction(mActions.GetCount() - 1);
    // The same container twice in a row is one errand; a freed item's
    // address says nothing, so the belt's serial decides.
    const ConveyorContainer* container = mBoard->GetConveyor() ? mBoard->GetConveyor()->FindContainerOfItem(item) : nullptr;
    if (last->GetKind() == kGirlToIceCream && container &&
        static_cast<GirlToIceCreamAction*>(last)->GetContainerId() == container->GetSerial()) {
      return false;
    }
  }
  Append(new GirlToIceCreamAction(this, item));
  return true;
}

bool Girl::EnqueueTrashcan() {
  if (mActions.IsEmpty() && mCarryCode == 0) return false;
  if (!mActions.IsEmpty() && GetAction(mActions.GetCount() - 1)->GetKind() == kGirlToTrashcan) return false;
  Append(new GirlToTrashcanAction(this, true));
  return true;
}

bool Girl::EnqueueIceCreamBox(IceCreamBox* box, AlphaButton* button, bool takeWholeBox) {
  if (mActions.IsEmpty()) {
    if (mCarryCode == box->mFlavor && box->mPortions > 0) return false;
  } else {
    GirlAction* last = GetAction(mActions.GetCount() - 1);
    if (last->GetKind() == kGirlToIceCreamBox && !takeWholeBox &&
        static_cast<GirlToIceCreamBoxAction*>(last)->GetBox() == box &&
        !(button && button->GetPending() > box->mPortions) && !HasIceCreamBoxActionFor(box)) {
      return false;
    }
  }
  Append(new GirlToIceCreamBoxAction(this, true, box, button, takeWholeBox));
  return true;
}

bool Girl::EnqueueCherries() {
  Append(new GirlToCherriesAction(this, true));
  return true;
}

bool Girl::EnqueueSprinkles() {
  Append(new GirlToSprinklesAction(this, true));
  return true;
}

bool Girl::EnqueueChocolateSauce() {
  Append(new GirlToChocolateSauceAction(this, true));
  return true;
}

bool Girl::EnqueueUmbrellas() {
  Append(new GirlToUmbrellasAction(this, true));
  return true;
}

bool Girl::EnqueueCocktailSticks() {
  Append(new GirlToCocktailSticksAction(this, true));
  return true;
}

bool Girl::EnqueueStraws() {
  Append(new GirlToStrawsAction(this, true));
  return true;
}

bool Girl::EnqueueSparklers() {
  Append(new GirlToSparklersAction(this, true));
  return true;
}

bool Girl::EnqueueInitToIceCreamMachine() {
  Append(new InitToIceCreamMachineAction(this));
  return true;
}

bool Girl::EnqueueStrawBerry() {
  Append(new GirlToStrawBerryAction(this));
  return true;
}

bool Girl::EnqueuePear() {
  Append(new GirlToPearAction(this));
  return true;
}

bool Girl::EnqueueChocolate() {
  Append(new GirlToChocolateAction(this));
  return true;
}

bool Girl::EnqueueBlueBerry() {
  Append(new GirlToBlueBerryAction(this));
  return true;
}

bool Girl::EnqueuePineApple() {
  Append(new GirlToPineAppleAction(this));
  return true;
}

bool Girl::EnqueueBananas() {
  Append(new GirlToBananasAction(this, true));
  Append(new GirlToServingMonkeyAction(this));
  return true;
}

bool Girl::EnqueueApples() {
  Append(new GirlToApplesAction(this, true));
  Append(new GirlToServingMonkeyAction(this));
  return true;
}

bool Girl::EnqueuePears() {
  Append(new GirlToPearsAction(this, true));
  Append(new GirlToServingMonkeyAction(this));
  return true;
}

bool Girl::EnqueueSuperBanana() {
  Append(new GirlToSuperBananaAction(this));
  Append(new GirlToServingMonkeyAction(this));
  return true;
}

bool Girl::EnqueueSpecialCup() {
  Append(new GirlPickUpSpecialCupAction(this));
  Append(new GirlAddSpecialCupAction(this));
  return true;
}

bool Girl::EnqueueBananaSplit() {
  Append(new GirlPickUpBananaSplitAction(this));
  Append(new GirlAddBananaSplitAction(this));
  return true;
}

bool Girl::EnqueueSpecialPlate() {
  Append(new GirlPickUpSpecialPlateAction(this));
  Append(new GirlAddSpecialPlateAction(this));
  return true;
}

bool Girl::EnqueueCake() {
  Append(new GirlPickUpCakeAction(this));
  Append(new GirlAddCakeAction(this));
  return true;
}

bool Girl::EnqueueFFButton() {
  Append(new GirlToFFButtonAction(this));
  return true;
}

bool Girl::EnqueueWalkByBench(int x) {
  Append(new GirlWalkByBenchAction(this, static_cast<float>(x)));
  return true;
}

bool Girl::EnqueueWalkByCounter(int x) {
  Append(new GirlWalkByCounterAction(this, static_cast<float>(x), 0.0f));
  return true;
}

}  // namespace Plix
