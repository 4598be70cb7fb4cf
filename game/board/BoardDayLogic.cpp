// The story logic of the tick, the end of a story day and the ice-cream
// machine's timer.
#include <utility>

#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/sound/SoundInstance.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/Monkey.h"

namespace Plix {

namespace {

constexpr int kLevelCompleteDialog = 3;
constexpr int kFlagTrashHint = 16;
constexpr int kFlagNapkinHint = 17;

int Width(Image* image) { return image ? image->GetWidth() : 0; }
int Height(Image* image) { return image ? image->GetHeight() : 0; }

// rand() % n that never divides by zero for an empty picture.
int RandBelow(int n) { return n > 0 ? Rand() % n : 0; }

bool BannerAtRest(const BoardBanner& banner) { return banner.mState == 0 || banner.mState == 4; }

}  // namespace

void BoardBanner::Grow() {
  mAlpha = mAlpha + 4 > 255 ? 255 : mAlpha + 4;
  if (mScale < 1.0f) {
    mScale += 0.01f;
    mYOffset += 2;
  }
  if (mScale >= 1.0f) {
    mScale = 1.0f;
    mState = 2;
    mCounter = 0;
  }
}

bool BoardBanner::FadeOut() {
  mAlpha -= 8;
  if (mAlpha > 0) return false;
  mAlpha = 0;
  mState = 4;
  return true;
}

void Board::AddStar(Animation& star, int x, int y) {
  mApp.AddParticle(new AnimationParticle(static_cast<float>(x), static_cast<float>(y), star));
}

void Board::UpdateStoryLogic() {
  if (!mTutorial && mUncle->IsIdle()) CheckDayEnd();

  ObjectListIterator it;
  for (it.Begin(mTables); !it.AtEnd(); it.Next()) static_cast<Table*>(it.Get())->UpdateDishes();

  if (mArrivalSchedule && mArrivalSchedule->IsOver() && mClosedSignPos > 722) {
    if (mClosedSignPos == 800) mApp.PlaySound(SOUND_BAR_CLOSED);
    mClosedSignPos -= 2;
    if (mClosedSignPos < 722) mClosedSignPos = 722;
  }

  UpdateGoalBanner();
  UpdateExpertBanner();

  if (mFlyingStar.mPath) UpdateFlyingStar();
  if (mFlyingGoldenIceCream.mPath) UpdateGoldenIceCreamFlight();

  if (mCustomerManager) mCustomerManager->Update();
  if (mMonkey) {
    RemoveFromDrawList(mMonkey.get());
    if (mUncle->IsIdle()) mMonkey->UpdateIdle();
    AddToDrawList(mMonkey.get());
  }

  UpdateHintTriggers();
  UpdateStoryHud();
}

void Board::UpdateGoalBanner() {
  BoardBanner& banner = mGoalBanner;
  const int w = Width(IMAGE_TODAYS_GOAL_REACHED), h = Height(IMAGE_TODAYS_GOAL_REACHED);
  switch (banner.mState) {
    case 1:
      banner.Grow();
      break;
    case 2:
      ++banner.mCounter;
      if (banner.mCounter <= 50) {
        if (Rand() % 2) AddStar(mBigStar, 400 - w / 2 + RandBelow(w), banner.mYOffset + RandBelow(h));
        if (Rand() % 2) AddStar(mSmallStar, 325 - w / 2 + RandBelow(w + 150), banner.mYOffset - 50 + RandBelow(h + 100));
      }
      if (banner.mCounter == 100) banner.mState = 3;
      break;
    case 3:
      // Once the goal banner is gone the expert banner may follow.
      if (banner.FadeOut()) AddMoney(0);
      break;
    default:
      break;
  }
}

void Board::UpdateExpertBanner() {
  BoardBanner& banner = mExpertBanner;
  const int w = Width(IMAGE_EXPERT_GOAL_REACHED), h = Height(IMAGE_EXPERT_GOAL_REACHED);
  switch (banner.mState) {
    case 1: {
      banner.Grow();
      const int sw = static_cast<int>(static_cast<float>(w) * banner.mScale);
      const int sh = static_cast<int>(static_cast<float>(h) * banner.mScale);
      if (Rand() % 2) AddStar(mSmallStar, 400 - sw / 2 + RandBelow(sw), banner.mYOffset + RandBelow(sh));
      break;
    }
    case 2:
      ++banner.mCounter;
      if (banner.mCounter <= 50) {
        AddStar(mBigStar, 400 - w / 2 + RandBelow(w), banner.mYOffset + RandBelow(h));
        AddStar(mSmallStar, 300 - w / 2 + RandBelow(w + 200), banner.mYOffset - 50 + RandBelow(h + 100));
      }
      if (banner.mCounter == 100) banner.mState = 3;
      break;
    case 3:
      banner.FadeOut();
      break;
    default:
      break;
  }
}

void Board::UpdateHintTriggers() {
  if (mTutorial || !mQueuedTutorials.IsEmpty()) return;
  if (!mTrashTutorialTable && !mNapkinTutorialTable) return;
  if (!(mMonkey ? mMonkey->IsIdle() : true) || !mGirl->IsIdle()) return;
  PlayerProfile& profile = Profile();
  if (mTrashTutorialTable) {
    if (mTrashTutorialTable->CountItems() > 0)
      mQueuedTutorials.PushBack(new TrashTutorial(this, mTrashTutorialTable));
    else
      profile.SetFlag(kFlagTrashHint, true);
    mTrashTutorialTable = nullptr;
  } else {
    if (mNapkinTutorialTable->AnyCustomerWantsNapkin())
      mQueuedTutorials.PushBack(new NapkinTutorial(this, mNapkinTutorialTable));
    else
      profile.SetFlag(kFlagNapkinHint, true);
    mNapkinTutorialTable = nullptr;
  }
}

void Board::CheckDayEnd() {
  if (mSecondTicks != 0 || !mArrivalSchedule) return;

  if (ArrivalOrder* order = mArrivalSchedule->NextDue()) {
    if (order->GetGroupCode() <= 3 && mCustomerManager && !mCustomerManager->SpawnCustomer(order))
      mArrivalSchedule->Postpone(order, 4 + Rand() % 4);
  }

  // A group still waiting for a seat when the day's time is up does not
  // come any more: the shop is closing.
  const bool over = mArrivalSchedule->IsOver() && (!mCustomerManager || mCustomerManager->Count() == 0) &&
                    mShownMoney >= mMoney && mUncle->IsIdle() && BannerAtRest(mGoalBanner) &&
                    BannerAtRest(mExpertBanner) && !mFlyingStar.mPath && !mFlyingGoldenIceCream.mPath;
  if (!over) return;

  if (!mReplay) {
    PlayerProfile& profile = Profile();
    // The day's trash and napkin deeds are counted once; their awards are
    // then handed over one visit at a time.
    if (!mDayEndTrophiesCounted) {
      mDayEndTrophiesCounted = true;
      if (mTrashUses <= 1)
        mDayEndTrashGrade = profile.CountShinyTrashcan3();
      else if (mTrashUses == 2)
        mDayEndTrashGrade = profile.CountShinyTrashcan1();
      mDayEndNapkinGrade = mNapkinNeeds <= 3 ? profile.CountIceColdCream() : 0;
    }
    for (auto [trophy, grade] : {std::pair{3, &mDayEndTrashGrade}, std::pair{5, &mDayEndNapkinGrade}}) {
      const int won = std::exchange(*grade, 0);
      if (won > profile.GetTrophyGrade(trophy)) {
        profile.SetTrophyGrade(trophy, won);
        mUncle->StartAward(trophy, won);
        return;
      }
    }
  }

  Pause();
  if (mMenuButton) mMenuButton->SetDisabled(true);
  Dialog* report = mApp.GetScreenFactory().CreateLevelCompleteDialog(this, mMoney, mTips, mGoal, mExpertGoal,
                                                                     mApp.GetTopScore(mDay));
  if (!report) return;
  const int w = Width(IMAGE_DIALOG_STANDARD), h = Height(IMAGE_DIALOG_STANDARD);
  report->Resize((800 - w) / 2 + 86, -h, w, h);
  mApp.AddDialog(kLevelCompleteDialog, report);
  if (mApp.mAppWidgets) mApp.mAppWidgets->SetFocus(report);
}

void Board::UpdateIceCreamMachine() {
  if (mMachineState == 2) {
    if (--mMachineTicksLeft > 0) return;
    mApp.PlaySound(SOUND_ICM_READY);
    mMachineState = 3;
    mMachineLampAlpha = 0;
    mMachineLampStep = 8;
    if (mMachineSound && mMachineSound->IsPlaying()) mMachineSound->Stop();
    if (mTutorial && mTutorial->GetStepType() == TutorialStep::kMachineReady) {
      CloseBalloon();
      AdvanceTutorial();
    }
  } else if (mMachineState == 3) {
    mMachineLampAlpha += mMachineLampStep;
    if (mMachineLampAlpha >= 255) {
      mMachineLampAlpha = 255;
      mMachineLampStep = -(mMachineLampStep < 0 ? -mMachineLampStep : mMachineLampStep);
    } else if (mMachineLampAlpha < 0) {
      mMachineLampAlpha = 0;
      mMachineLampStep = mMachineLampStep < 0 ? -mMachineLampStep : mMachineLampStep;
    }
  }
}

int Board::GetIceCreamBatchSize() {
  switch (mMode) {
    case 1: return 16;
    case 2: return 14;
    case 3: return 12;
    default: break;
  }
  int size = Profile().GetBatchSize();
  if (mDay + 1 < 11 && size > 12) size = 12;
  if (mDay + 1 < 38 && size > 14) size = 14;
  return size;
}

}  // namespace Plix
