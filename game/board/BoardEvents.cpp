// Balloons, tutorial hooks and the small event services of the board.
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Girl.h"

namespace Plix {

void Board::ShowBalloon(int speaker, InfoBalloon* balloon, bool owned, bool raised) {
  CloseBalloon();
  mBalloon = balloon;
  mBalloonOwned = owned;
  mBalloonSpeaker = speaker;
  if (!balloon) return;
  if (speaker == 0) {
    const int x = static_cast<int>(mGirl->GetX()), y = static_cast<int>(mGirl->GetY());
    const int d = raised ? 60 : 48, h = raised ? 218 : 186;
    if (x > 400)
      balloon->Place(3, x - d, y - h);
    else
      balloon->Place(2, x + d, y - h);
    mGirl->StartSpecialAnimation();
  } else if (speaker == 1) {
    const int x = mUncle->GetX(), y = mUncle->GetY();
    if (x > 400)
      balloon->Place(3, x - 48, y - 132);
    else
      balloon->Place(2, x + 48, y - 132);
  }
  balloon->LayoutPage();
}

void Board::CloseBalloon() {
  if (!mBalloon) return;
  if (mBalloonSpeaker == 0) mGirl->StopSpecialAnimation();
  if (mBalloonOwned) delete mBalloon;
  mBalloon = nullptr;
}

void Board::MarkProfileFlag(int flag) { Profile().SetFlag(flag, true); }

void Board::DeleteTutorial(Tutorial* tutorial) { delete tutorial; }

void Board::OfferTutorial(Tutorial* tutorial) {
  PlayerProfile& profile = Profile();
  const int id = tutorial->GetId();
  if (!profile.GetFlag(id) && profile.GetShowTutorials()) {
    mQueuedTutorials.PushBack(tutorial);
    return;
  }
  profile.SetFlag(id, true);
  DeleteTutorial(tutorial);
}

namespace {

constexpr int kFlagGoldenLesson = 18;
constexpr int kFlagBonusLesson = 19;
constexpr int kFlagTrashHint = 16;
constexpr int kFlagNapkinHint = 17;
constexpr int kTrashRearms = 1;   // the profile's hint counters
constexpr int kNapkinRearms = 2;

}  // namespace

void Board::OnTutorialMonkeyEvent(int kind, bool showOnly) {
  Tutorial* tutorial = mTutorial;
  if (!tutorial || tutorial->GetStepType() != TutorialStep::kMonkeyEvent || tutorial->GetStepEvent() != kind) return;
  CloseBalloon();
  if (showOnly)
    tutorial->ShowStep();
  else
    AdvanceTutorial();
}

void Board::OnTutorialCustomerEvent(Customer* customer) {
  if (!mTutorial || mTutorial->GetStepType() != TutorialStep::kCustomerEvent || !customer ||
      mTutorial->GetAwaitedCustomer() != customer)
    return;
  CloseBalloon();
  AdvanceTutorial();
}

void Board::StartGoldenIceCreamTutorial() {
  if (Profile().GetShowTutorials())
    mQueuedTutorials.PushBack(new GoldenIceCreamTutorial(this));
  else
    MarkProfileFlag(kFlagGoldenLesson);
}

void Board::StartBonusTutorial(int x, int y) {
  if (Profile().GetShowTutorials())
    mQueuedTutorials.PushBack(new BonusTutorial(this, x, y));
  else
    MarkProfileFlag(kFlagBonusLesson);
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
