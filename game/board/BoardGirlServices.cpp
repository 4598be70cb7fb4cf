// What the heroine's errands ask of the board: where the topping stations
// stand, their active look, the station badges her errands give back, the
// machine's start and the tutorial hooks she reports to.
#include "framework/sound/SoundInstance.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/StationButtons.h"
#include "game/board/Tutorial.h"
#include "game/characters/Girl.h"

namespace Plix {

namespace {

constexpr int kStepGirlEvent = 5;
constexpr int kFlagMachineLesson = 3;
constexpr int kFlagSpeedLesson = 32;

double CentreX(const std::unique_ptr<AlphaButton>& button) {
  return button ? button->GetX() + button->GetWidth() / 2 : 0.0;
}

void SetActive(const std::unique_ptr<AlphaButton>& button, bool active) {
  if (button) button->SetActive(active);
}

void LowerBadge(AlphaButton* button) {
  if (button) button->DecrementPending();
}

}  // namespace

double Board::GetCherriesStationX() const { return CentreX(mCherriesButton); }
double Board::GetSprinklesStationX() const { return CentreX(mSprinklesButton); }
double Board::GetChocolateSauceStationX() const { return CentreX(mChocolateSauceButton); }

void Board::ActivateCherriesButton() { SetActive(mCherriesButton, true); }
void Board::DeactivateCherriesButton() { SetActive(mCherriesButton, false); }
void Board::ActivateChocolateSauceButton() { SetActive(mChocolateSauceButton, true); }
void Board::DeactivateChocolateSauceButton() { SetActive(mChocolateSauceButton, false); }
void Board::ActivateSprinklesButton() { SetActive(mSprinklesButton, true); }
void Board::DeactivateSprinklesButton() { SetActive(mSprinklesButton, false); }

void Board::DecrementGirlPendingClicks(int kind, void* target) {
  switch (kind) {
    case 2: LowerBadge(mConeMachineButton.get()); break;
    case 3: LowerBadge(mCupMachineButton.get()); break;
    case 4: LowerBadge(mPlateMachineButton.get()); break;
    case 5:
      if (target) static_cast<IceCream*>(target)->DecrementMarker();
      break;
    case 8: LowerBadge(mTrashcanButton.get()); break;
    case 9: LowerBadge(static_cast<AlphaButton*>(target)); break;
    case 10: LowerBadge(mCherriesButton.get()); break;
    case 11: LowerBadge(mSprinklesButton.get()); break;
    case 12: LowerBadge(mChocolateSauceButton.get()); break;
    case 13: LowerBadge(mUmbrellaButton.get()); break;
    case 14: LowerBadge(mCocktailStickButton.get()); break;
    case 15: LowerBadge(mStrawButton.get()); break;
    case 16: LowerBadge(mSparklerButton.get()); break;
    case 18: LowerBadge(mMachineButton.get()); break;
    case 24: LowerBadge(mBananaButton.get()); break;
    case 25: LowerBadge(mAppleButton.get()); break;
    case 26: LowerBadge(mPearButton.get()); break;
    case 27: LowerBadge(mSuperBananaButton.get()); break;
    case 29:
    case 30:
    case 31:
    case 32: LowerBadge(mFreezerButtons[kind - 29].get()); break;
    case 33: LowerBadge(mFastForwardButton.get()); break;
    default: break;
  }
}

void Board::StartIceCreamMachine() {
  mMachineState = 2;
  GetGameHost()->PlaySound(SOUND_ICM_TURN_ON);
  GetGameHost()->PlaySound(SOUND_ICM_CREAM);
  if (mMachineSound) mMachineSound->Play(true, false);
  static constexpr int kByLevel[3][4] = {{661, 408, 439, 450}, {645, 397, 429, 350}, {660, 390, 429, 250}};
  int level = mMachineLevel >= 1 && mMachineLevel <= 3 ? mMachineLevel - 1 : 0;
  mMachineAnimation[0] = kByLevel[level][0];
  mMachineAnimation[1] = kByLevel[level][1];
  mMachineTicksLeft = kByLevel[level][3];
  mMachineAnimation[2] = mMachineAnimation[3] = kByLevel[level][3];
}

void Board::OnTutorialGirlEvent(int kind, bool showOnly) {
  Tutorial* tutorial = mTutorial;
  if (!tutorial || tutorial->GetStepType() != kStepGirlEvent || tutorial->GetStepEvent() != kind) return;
  CloseBalloon();
  if (showOnly) {
    tutorial->ShowStep();
  } else {
    AdvanceTutorial();
  }
}

void Board::StartIGSpeedButtonTutorial() {
  if (Profile().GetShowTutorials())
    mQueuedTutorials.PushBack(new IGSpeedButtonTutorial(this));
  else
    MarkProfileFlag(kFlagSpeedLesson);
}

void Board::StartIceCreamMachineTutorial(AlphaButton* boxButton) {
  PlayerProfile& profile = Profile();
  if (profile.GetFlag(kFlagMachineLesson)) return;
  if (!profile.GetShowTutorials()) {
    profile.SetFlag(kFlagMachineLesson, true);
    return;
  }
  mGirl->CancelPending();
  // The lesson asks for one click after another: no old badges stay.
  AlphaButton* stations[] = {mMachineButton.get(),      mFastForwardButton.get(),  mFreezerButtons[0].get(),
                             mFreezerButtons[1].get(),  mFreezerButtons[2].get(),  mFreezerButtons[3].get(),
                             mConeMachineButton.get(),  mCupMachineButton.get(),   mPlateMachineButton.get(),
                             mCherriesButton.get(),     mSprinklesButton.get(),    mChocolateSauceButton.get(),
                             mUmbrellaButton.get(),     mCocktailStickButton.get(), mStrawButton.get(),
                             mSparklerButton.get(),     mBananaButton.get(),       mAppleButton.get(),
                             mPearButton.get(),         mSuperBananaButton.get(),  mTrashcanButton.get()};
  for (AlphaButton* button : stations)
    if (button) button->ClearPending();
  for (auto& box : mIceCreamBoxButtons)
    if (box) box->ClearPending();
  if (mConveyor) {
    mConveyor->ForEachItem();
    // Holders already ordered still enter the belt, each lowering its
    // machine's badge as it does: those badges count them.
    AlphaButton* holders[] = {mConeMachineButton.get(), mCupMachineButton.get(), mPlateMachineButton.get()};
    for (int i = 0; i < 3; ++i)
      for (int n = mConveyor->CountWaiting(kItemCone + i); holders[i] && n > 0; --n) holders[i]->IncrementPending();
  }
  mQueuedTutorials.PushBack(new IceCreamMachineTutorial(this, boxButton));
}

}  // namespace Plix
