// Balloons, tutorial hooks and the small event services of the board.
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Tutorial.h"
#include "game/characters/Girl.h"

namespace Plix {

void Board::CloseBalloon() {
  if (!mBalloon) return;
  if (mBalloonSpeaker == 0) mGirl->StopSpecialAnimation();
  if (mBalloonOwned) delete mBalloon;
  mBalloon = nullptr;
}

void Board::MarkProfileFlag(int flag) { Profile().SetFlag(flag, true); }

void Board::DeleteTutorial(Tutorial* tutorial) { delete tutorial; }

namespace {

constexpr int kStepCustomerEvent = 9;
constexpr int kFlagTrashHint = 16;
constexpr int kFlagNapkinHint = 17;
constexpr int kTrashRearms = 1;   // the profile's hint counters
constexpr int kNapkinRearms = 2;

}  // namespace

void Board::OnTutorialCustomerEvent(int value) {
  if (!mTutorial || mTutorial->GetStepType() != kStepCustomerEvent || mTutorial->GetStepEvent() != value) return;
  CloseBalloon();
  AdvanceTutorial();
}

bool Board::ScheduleRunning() const { return mArrivalSchedule && !mArrivalSchedule->IsOver(); }

void Board::SetTrashTutorialTable(Table* table) {
  PlayerProfile& profile = Profile();
  if (!ScheduleRunning() || mTrashTutorialTable || profile.GetFlag(kFlagTrashHint)) return;
  if (profile.GetShowTutorials())
    mTrashTutorialTable = table;
  else
    profile.SetFlag(kFlagTrashHint, true);
}

void Board::RearmTrashHint(Table* table) {
  PlayerProfile& profile = Profile();
  if (mTrashHintRearmedToday || !ScheduleRunning() || !profile.GetShowTutorials() ||
      profile.GetHintCounter(kTrashRearms) >= 2 || profile.GetStoryDays() >= 13)
    return;
  profile.SetHintCounter(kTrashRearms, profile.GetHintCounter(kTrashRearms) + 1);
  profile.SetFlag(kFlagTrashHint, false);
  SetTrashTutorialTable(table);
  mTrashHintRearmedToday = true;
}

void Board::OnNapkinsNeeded(Table* table) {
  ++mNapkinNeeds;
  PlayerProfile& profile = Profile();
  if (mNapkinTutorialTable || profile.GetFlag(kFlagNapkinHint)) return;
  if (profile.GetShowTutorials())
    mNapkinTutorialTable = table;
  else
    profile.SetFlag(kFlagNapkinHint, true);
}

void Board::RearmNapkinHint(Table* table) {
  PlayerProfile& profile = Profile();
  if (mNapkinHintRearmedToday || !profile.GetShowTutorials() || profile.GetHintCounter(kNapkinRearms) >= 2 ||
      profile.GetStoryDays() >= 7)
    return;
  profile.SetHintCounter(kNapkinRearms, profile.GetHintCounter(kNapkinRearms) + 1);
  profile.SetFlag(kFlagNapkinHint, false);
  OnNapkinsNeeded(table);
  mNapkinHintRearmedToday = true;
}

void Board::LaunchReputationStar() {
  mFlyingStar.mPath = std::make_unique<Curve3D>();
  mFlyingStar.mPhase = 0;
  mFlyingStar.mPath->SetStart(0.0f, 500.0f, 0.01f);
  mFlyingStar.mPath->SetControl(200.0f, 200.0f, 1.0f);
  mFlyingStar.mPath->SetEnd(400.0f, 300.0f, 0.75f);
  mFlyingStar.mT = 0.0f;
  mFlyingStar.mAlpha = 0;
  mApp.PlaySound(SOUND_REPUTATION_STAR);
}

}  // namespace Plix
