#include "game/board/Board.h"

#include "framework/graphics/DDImage.h"
#include "framework/platform/CRand.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundInstance.h"
#include "framework/sound/SoundManager.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/BarMovementNode.h"
#include "game/board/Conveyor.h"
#include "game/board/CustomerFlow.h"
#include "game/board/EventSchedule.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/board/WalkPath.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/Monkey.h"
#include "game/characters/ServingMonkey.h"

namespace Plix {

namespace {

constexpr int kCarryIceCreamBox = 35;
constexpr int kMachineTutorial = 3;
constexpr int kTrashTutorial = 16;
constexpr int kNapkinTutorial = 17;
constexpr int kStepConveyor = 3;
constexpr int kStepTimedWait = 8;
constexpr int kMachineRunning = 2;

void SetUpStar(Animation& star, Image* image) {
  star.SetImage(image);
  for (int cel = 0; cel < 9; ++cel) star.AddFrame(cel, 10, 0.0f, 0.0f);
  star.SetSpeed(2.0f);
  star.Reset();
}

// A looping sound of the board, from the sound manager when there is one.
SoundInstance* TakeLoopingSound(GameApp& app, int sound) {
  return app.mAppSounds ? app.mAppSounds->NewSoundInstance(static_cast<unsigned>(sound)) : nullptr;
}

void StopIfPlaying(SoundInstance* sound) {
  if (sound && sound->IsPlaying()) sound->Stop();
}

}  // namespace

Board::Board(GameApp& app, int mode, int day) : mMode(mode), mApp(app) {
  mApp.LoadAndBindGroup("Game", false);
  mApp.LoadAndBindGroup(mode != 0 ? "HappyHourCustomers" : "StoryModeCustomers", false);

  mMachineSound = TakeLoopingSound(mApp, SOUND_ICM_RUNNING);
  mSparklerSound = TakeLoopingSound(mApp, SOUND_SPARKLER);
  mNextNotice = 0;
  SetUpStar(mBigStar, IMAGE_STAR_PARTICLE_BIG);
  SetUpStar(mMediumStar, IMAGE_STAR_PARTICLE_MEDIUM);
  SetUpStar(mSmallStar, IMAGE_STAR_PARTICLE_SMALL);
  for (BoardNotice& notice : mNotices) notice.mBoard = this;
  ResetSparks();

  PlayerProfile& profile = Profile();
  const int daysDone = profile.GetStoryDays();
  mDay = day == -1 ? daysDone : day;
  // Every day reads its level record: a day past the table (a finished
  // story) plays the last one, as a replay.
  const int levels = mApp.GetLevelCount();
  if (levels > 0 && mDay >= levels) mDay = levels - 1;
  if (mDay < 0) mDay = 0;
  mReplay = mDay != daysDone;
  mFastForwardClicks = daysDone >= 1 && daysDone <= 6 ? 0 : 10;

  mUncle = std::make_unique<Uncle>(this);
  mConveyor = std::make_unique<Conveyor>(this);
  SetSparklerCount(this);
  mCounter.Clear();

  mGirl = std::make_unique<Girl>(this, 367.0f, 495.0f);
  if (mMode == 0) {
    mMonkey = std::make_unique<Monkey>(this);
    mCustomerManager = std::make_unique<CustomerManager>(this);
  } else {
    mCustomerFlow = std::make_unique<CustomerFlow>(this);
  }
  mServingMonkey = std::make_unique<ServingMonkey>(this, &mCounter);

  BuildWalkPaths();
  CreateStationButtons();
  for (int i = 0; i < 3; ++i) mCookies[i] = mLemonades[i] = 0;
  mMachineState = 0;
  mMachineIngredient = 0;
  mMachineTicksLeft = 0;
  mSeconds = 0;
  mSecondTicks = 0;
  ResetIceCreamMachine();
  mNextMoneyPopup = 0;

  profile.SetFlag(66, true);
  mAwardGiven = false;
}

Board::~Board() {
  BookFlightsUnderWay();
  mBackImage.reset();
  delete mTutorial;
  mTutorial = nullptr;
  void* item = nullptr;
  while (mQueuedTutorials.PopFront(item)) delete static_cast<Tutorial*>(item);
  mUncle.reset();
  if (mBalloonOwned) delete mBalloon;
  mBalloon = nullptr;
  while (mFlyingIceCreams.PopFront(item)) delete static_cast<FlyingIceCream*>(item);
  mThrownTreat.reset();
  mCustomerFlow.reset();
  mCustomerManager.reset();
  mGirl.reset();
  mMonkey.reset();
  mServingMonkey.reset();
  mConveyor.reset();
  mCounterPath.reset();
  mBenchPath.reset();
  DestroyStationButtons();
  while (mTables.PopFront(item)) delete static_cast<Table*>(item);
  mArrivalSchedule.reset();
  mCrowdSchedule.reset();
  // The counter goes before the sounds: clearing a sparkler from it stops
  // the sparkler sound.
  mCounter.Clear();
  if (mMachineSound) mMachineSound->Release();
  mMachineSound = nullptr;
  StopIfPlaying(mSparklerSound);
  if (mSparklerSound) mSparklerSound->Release();
  mSparklerSound = nullptr;
  if (GetSparklerCount() == this) SetSparklerCount(nullptr);
  while (mDecorations.PopFront(item)) delete static_cast<ZObject*>(item);
  DeleteWalkNodes();
  mDrawList.Clear();
  if (mApp.mAppResources && mApp.mAppResources->IsGroupReady("Game")) mApp.mAppResources->FreeGroup("Game");
}

bool Board::BookFlightsUnderWay() {
  const bool any = mFlyingStar.mPath || mFlyingGoldenIceCream.mPath;
  PlayerProfile& profile = Profile();
  if (mFlyingStar.mPath) profile.AddReputationStar();
  if (mFlyingGoldenIceCream.mPath) profile.AddGoldenIceCream();
  mFlyingStar.mPath.reset();
  mFlyingGoldenIceCream.mPath.reset();
  return any;
}

PlayerProfile& Board::Profile() {
  PlayerProfile* profile = mApp.GetCurrentProfile();
  if (profile) return *profile;
  // A day needs a player; without one it plays on a blank profile that is
  // never saved.
  if (!mNoPlayer) mNoPlayer = std::make_unique<PlayerProfile>();
  return *mNoPlayer;
}

void Board::OnAddedToManager(WidgetManager* manager) {
  GameScreen::OnAddedToManager(manager);
  mApp.ClearParticles();
  if (mMode == 0)
    SetUpStoryDay();
  else
    SetUpHappyHour();
  mApp.StartFadeIn();
  // Without its floor the day cannot be played: it is left at once as the
  // game menu's quit leaves it, which books nothing into the profile.
  if (mFloorMissing) ExitLevel(4);
}

// ------------------------------------------------------------------ the tick

void Board::Update() {
  GameScreen::Update();
  if (mPauseDepth != 0) return;

  UpdateEntrance();
  UpdateShake();
  HandleFadeResult();
  // Once the board has handed itself over it only waits for its deletion.
  if (mHandedOver) return;
  if (mApp.GetFadeState() != Fade::kFadingOut) {
    mApp.UpdateParticles();
    UpdateSparks();
    ObjectListIterator it;
    for (it.Begin(mDecorations); !it.AtEnd(); it.Next()) static_cast<ZObject*>(it.Get())->Update();
    ++mTickCount;
    StartQueuedTutorial();
    for (BoardNotice& notice : mNotices) notice.Update();
    UpdateBalloon();
    UpdateRunningTutorial();
    if (mMode == 0 || !mTutorial) {
      if (++mSecondTicks >= 100) {
        mSecondTicks = 0;
        ++mSeconds;
      }
    }
    if (!mUncle->IsIdle()) mUncle->UpdateVisit();
    if (mMode == 0)
      UpdateStoryLogic();
    else
      UpdateHappyHourLogic();
    if (mUncle->IsIdle() && !TutorialHoldsFloor()) mConveyor->Update();
    UpdateConveyorHover();
    if (mUncle->IsIdle()) {
      UpdateIceCreamMachine();
      mGirl->Update();
      if (!TutorialHoldsFloor()) mServingMonkey->Update();
    }
    UpdateTrophyHandOver(mPendingTrophy2Grade, 2, 0.1f);
    UpdateTrophyHandOver(mPendingTrophy6Grade, 6, 0.2f);
    for (MoneyPopup& popup : mMoneyPopups)
      if (!popup.IsDone()) popup.Update();
  }
  MarkDirty();
}

void Board::UpdateEntrance() {
  if (mIntroCountdown > 0.0f) {
    mIntroCountdown -= 2.0f;
    if (mIntroCountdown < 0.0f) mIntroCountdown = 0.0f;
  }
  if (mMenuSlideX < 0.0f) {
    mMenuSlideX += 2.0f;
    mMenuSlideY += 0.5f;
    if (mMenuSlideX < 0.0f) {
      if (mMenuButton)
        mMenuButton->SetPosition(static_cast<int>(mMenuSlideX - 4.0f), static_cast<int>(mMenuSlideY - 7.0f));
    } else {
      mMenuSlideX = 0.0f;
      mMenuSlideY = 0.0f;
      if (mMenuButton) mMenuButton->SetPosition(-4, -7);
    }
  }
}

void Board::UpdateShake() {
  if (mShakeCount <= 0) return;
  mShakeTimer -= 1.0f;
  if (mShakeTimer > 0.0f) return;
  --mShakeCount;
  mShakeAngle = static_cast<float>(Rand() % 628) * 0.01f;
  mShakeTimer = mShakeCount > 10 ? 5.0f : static_cast<float>(mShakeCount) * 0.5f;
}

bool Board::TutorialHoldsFloor() const { return mTutorial && mTutorial->HoldsFloor(); }

void Board::StartQueuedTutorial() {
  if (mTutorial || mQueuedTutorials.IsEmpty() || !mGirl->IsIdle()) return;
  // The trash and napkin lessons keep the floor until Vurez has run the
  // errand they ask for, so they start, as they were offered, only once he
  // has no errand of his own left: one still queued could wait at the
  // counter for Rudav, who stands still while a lesson keeps the floor.
  // The napkin lesson also waits until he has put a tray down: he refuses
  // to fetch a napkin while a guest waits for the tray he holds, and the
  // lesson would ask for it again for ever.
  const int next = static_cast<Tutorial*>(mQueuedTutorials.GetAt(0))->GetId();
  if ((next == kTrashTutorial || next == kNapkinTutorial) && mMonkey &&
      (mMonkey->GetTaskCount() > 0 || mMonkey->IsRunning() ||
       (next == kNapkinTutorial && mMonkey->GetCarryKind() == Monkey::kCarryTray)))
    return;
  void* item = nullptr;
  mQueuedTutorials.PopFront(item);
  auto* tutorial = static_cast<Tutorial*>(item);
  if (Profile().GetFlag(tutorial->GetId()) ||
      (tutorial->GetId() == kMachineTutorial && mGirl->GetCarryCode() != kCarryIceCreamBox)) {
    DeleteTutorial(tutorial);
    return;
  }
  mTutorial = tutorial;
  mTutorial->StartStep();
}

void Board::UpdateBalloon() {
  if (!mBalloon) return;
  const int result = mBalloon->Update();
  if (result == InfoBalloon::kPageStarted) {
    if (mBalloonSpeaker == 0)
      mGirl->StartSpecialAnimation();
    else if (mBalloonSpeaker == 1)
      mUncle->StartTalking();
  } else if (result == InfoBalloon::kPageFinished || result == InfoBalloon::kLastPageFinished) {
    if (mBalloonSpeaker == 0)
      mGirl->StopSpecialAnimation();
    else if (mBalloonSpeaker == 1)
      mUncle->StopTalking();
  }
}

void Board::UpdateRunningTutorial() {
  if (!mTutorial) return;
  mTutorialClock += 0.1f;
  mTutorial->Update();
  if (mTutorial->GetStepType() != kStepTimedWait) return;
  if (++mTutorialWaitTicks < mTutorial->GetStepArgument()) return;
  CloseBalloon();
  AdvanceTutorial();
}

void Board::AdvanceTutorial() {
  if (mTutorial && !mTutorial->NextStep()) {
    DeleteTutorial(mTutorial);
    mTutorial = nullptr;
  }
}

void Board::DropHoverButton() {
  if (!mHoverButton) return;
  mHoverButton->LeaveHover();
  mHoverButton = nullptr;
}

IceCream* Board::GetHoverConveyorItem() const {
  if (mHoverConveyorSerial == 0 || !mConveyor) return nullptr;
  ConveyorContainer* container = mConveyor->FindContainerBySerial(mHoverConveyorSerial);
  return container ? container->GetItem() : nullptr;
}

void Board::UpdateConveyorHover() {
  const bool watching = mUncle->IsIdle() && (!mTutorial || mTutorial->GetStepType() == kStepConveyor);
  if (!watching) {
    mConveyor->SetHighlightedItem(nullptr);
    mHoverConveyorSerial = 0;
    return;
  }
  IceCream* item = mConveyor->ItemAt(mMouseX, mMouseY);
  if (item) {
    const int kind = item->GetKind();
    // Specials on the belt are not picked up, nor a golden ice cream that
    // is already claimed.
    if ((kind >= kItemSpecialCup && kind <= kItemCake) || (kind == kItemGolden && item->GetMarker() > 0))
      item = nullptr;
  }
  if (item) {
    DropHoverButton();
    mConveyor->SetHighlightedItem(item);
    ConveyorContainer* container = mConveyor->FindContainerOfItem(item);
    mHoverConveyorSerial = container ? container->GetSerial() : 0;
    mApp.SetCursor(1);
  } else {
    const bool hadItem = mHoverConveyorSerial != 0;
    mHoverConveyorSerial = 0;
    if (hadItem) MouseMove(mMouseX, mMouseY);
    mConveyor->SetHighlightedItem(nullptr);
    if (!mHoverButton && !mHoverTarget) mApp.SetCursor(0);
  }
  if (mTutorial && mTutorial->GetStepType() == kStepConveyor && mConveyor->IsEmpty()) mTutorial->ShowStep();
}

void Board::UpdateTrophyHandOver(int& pendingGrade, int trophy, float dayShare) {
  if (pendingGrade == 0 || mTutorial || !mUncle->IsIdle() || !mArrivalSchedule) return;
  if (mArrivalSchedule->GetDayFraction() < dayShare) return;
  Profile().SetTrophyGrade(trophy, pendingGrade);
  mUncle->StartAward(trophy, pendingGrade);
  pendingGrade = 0;
}

void Board::UpdateSmooth(double fraction) {
  if (mPauseDepth != 0 || mHandedOver || mApp.GetFadeState() == Fade::kFadingOut || !mUncle->IsIdle()) return;
  const float dt = static_cast<float>(fraction);
  if (!TutorialHoldsFloor()) mConveyor->Move(dt);
  UpdateThrownTreat(dt);
  UpdateFlyingIceCreams(dt);
  mGirl->StepCurrentAction(dt);
  if (mMode == 0 && mMonkey) mMonkey->StepCurrentTask(dt);
}

// ------------------------------------------------------ pause, exit, results

void Board::Pause() {
  if (mPauseDepth == 0) {
    if (mSparklersInPlay > 0) StopIfPlaying(mSparklerSound);
    if (mMachineState == kMachineRunning) StopIfPlaying(mMachineSound);
  }
  MarkDirty();
  mApp.SetCursor(0);
  ++mPauseDepth;
}

void Board::Resume() {
  if (mPauseDepth > 0) --mPauseDepth;
  // A closed day stays silent while it fades out, whatever the focus does.
  if (mPauseDepth == 0 && !mDayClosed) {
    if (mSparklersInPlay > 0 && mSparklerSound) mSparklerSound->Play(true, false);
    if (mMachineState == kMachineRunning && mMachineSound) mMachineSound->Play(true, false);
  }
  MarkDirty();
}

void Board::ExitLevel(int result) {
  // A day closes once: a later exit (the game menu's quit over the day's
  // report) would replace the result the running fade-out carries.
  const int fade = mApp.GetFadeState();
  if (fade == Fade::kFadingOut || fade == Fade::kFadedOut) return;
  mDayClosed = true;
  StopIfPlaying(mSparklerSound);
  StopIfPlaying(mMachineSound);
  mApp.StartFadeOut(result, 0, 0, 0, 255, 0, 6);
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeOut(1, true, 0.02);
}

void Board::HandleFadeResult() {
  const int result = mApp.UpdateFade();
  if (result == 0) return;
  if (mWidgetManager) mWidgetManager->RemoveWidget(this);
  mApp.QueueWidgetDelete(this);
  mHandedOver = true;
  PlayerProfile& profile = Profile();
  switch (result) {
    case 1:
      CloseSucceededDay(profile);
      break;
    case 2:
      CloseFailedDay(profile);
      break;
    case 3:
      mApp.BoardToBestSellers(mMode + 1, mMoney, 0, mSeconds);
      break;
    case 4:
      if (mMode == 0)
        mApp.BoardToMap(mAwardGiven ? 1 : 0, mDay, false);
      else
        mApp.BoardToMainMenu();
      break;
    default:
      // Not a code the board fades out with: back to the main menu rather
      // than staying on a board that has left the screen.
      mApp.BoardToMainMenu();
      break;
  }
  // A star or golden ice cream still flying is the player's (booked as the
  // board goes): the file the screen change wrote must hold it too.
  if (BookFlightsUnderWay()) mApp.SaveProfiles();
}

int Board::RaiseDayScores(PlayerProfile& profile) {
  if (mMoney > mApp.GetTopScore(mDay)) mApp.SetTopScore(mDay, mMoney);
  const int old = profile.GetLevelScore(mDay);
  if (mMoney > old) profile.SetLevelScore(mDay, mMoney);
  return old;
}

void Board::WriteStocksBack(PlayerProfile& profile) {
  // Only what the day has unlocked goes back: on earlier days the player
  // keeps what was bought for later.
  const int d = mDay + 1;
  if (d >= 9) profile.SetMonkeyTreat(0, mBananas);
  if (d >= 12) profile.SetMonkeyTreat(1, mApples);
  if (d >= 19) profile.SetMonkeyTreat(2, mPears);
  if (d >= 26) profile.SetMonkeyTreat(3, mSuperBananas);
  const int cookieDays[3] = {4, 14, 27};
  const int lemonadeDays[3] = {10, 21, 41};
  for (int i = 0; i < 3; ++i) {
    if (d >= cookieDays[i]) profile.SetCookieBox(i, mCookies[i]);
    if (d >= lemonadeDays[i]) profile.SetLemonade(i, mLemonades[i]);
  }
  if (d >= 17) profile.SetUmbrellaStock(mUmbrellas);
  if (d >= 9) profile.SetCocktailStickStock(mCocktailSticks);
  if (d >= 4) profile.SetStrawStock(mStraws);
  if (d >= 35) profile.SetSparklerStock(mSparklers);
}

void Board::ReturnHeldStock() {
  // What the heroine holds came off a station's stock when she picked it up;
  // a banana never goes back (see the stations).
  switch (mGirl ? mGirl->GetCarryCode() : 0) {
    case kItemUmbrella: ++mUmbrellas; break;
    case kItemCocktailStick: ++mCocktailSticks; break;
    case kItemStraw: ++mStraws; break;
    case kItemSparkler: ++mSparklers; break;
    case kItemApple: ++mApples; break;
    case kItemPear: ++mPears; break;
    case kItemSuperBanana: ++mSuperBananas; break;
    default: break;
  }
  // Vurez's lemonade or cookie came out of the crate or jar of its variety.
  const int kind = mMonkey ? mMonkey->GetCarryKind() : Monkey::kCarryNothing;
  if (kind >= Monkey::kCarryLemonade && kind < Monkey::kCarryLemonade + 3)
    ++mLemonades[kind - Monkey::kCarryLemonade];
  else if (kind >= Monkey::kCarryCookie && kind < Monkey::kCarryCookie + 3)
    ++mCookies[kind - Monkey::kCarryCookie];
}

void Board::RefreshShopsAfterDay(PlayerProfile& profile) {
  ScreenFactory& screens = mApp.GetScreenFactory();
  screens.PrepareDayFromProfile(profile);
  screens.UpdateNewItemFlags(profile);
}

void Board::CloseSucceededDay(PlayerProfile& profile) {
  if (mFastForwardClicks < 3) profile.SetFlag(2, false);
  profile.AdvanceSongIndex();
  profile.AddLevelTry(mDay);
  if (mMoney >= mExpertGoal) profile.SetLevelDone(mDay);
  const int oldScore = RaiseDayScores(profile);
  const bool currentDay = mDay == profile.GetStoryDays();
  if (currentDay) {
    const bool contestDay = mDay == 5 || mDay == 12 || mDay == 20 || mDay == 29 || mDay == 39;
    profile.SetGoldenIceCreams(contestDay ? 0 : mGoldenIceCreams);
  }
  if (profile.GetLevelTries(mDay) == 1)
    profile.AddTotalScore(mMoney);
  else if (mMoney > oldScore)
    profile.AddTotalScore(mMoney - oldScore);
  if (currentDay) profile.AdvanceStoryDay();
  profile.AddCash(mMoney - mGoal);
  ReturnHeldStock();
  WriteStocksBack(profile);
  RefreshShopsAfterDay(profile);
  // Each flavour count from 1 to 5 has its contest; with the sixth
  // flavour unlocked none is left to enter.
  if (mGoldenIceCreams == 5 && profile.GetFlavorCount() >= 1 && profile.GetFlavorCount() <= 5) {
    profile.ClearGoldenIceCreams();
    mApp.BoardToFlavorContest();
  } else if (profile.GetStoryDays() >= 50 && !profile.GetFlag(67)) {
    profile.SetFlag(67, true);
    mApp.BoardToHotel();
  } else {
    mApp.BoardToMap(mAwardGiven ? 1 : 0, mDay, !mReplay);
  }
}

void Board::CloseFailedDay(PlayerProfile& profile) {
  if (mFastForwardClicks < 3) profile.SetFlag(2, false);
  if (!mReplay && profile.GetHintCounter(0) < 2 && profile.GetStoryDays() < 10) {
    profile.SetHintCounter(0, profile.GetHintCounter(0) + 1);
    profile.SetFlag(31, false);
  }
  profile.AdvanceSongIndex();
  profile.AddLevelTry(mDay);
  profile.AddTotalScore(mMoney);
  RaiseDayScores(profile);
  const bool storyOver = profile.GetLives() <= 0;
  const int total = profile.GetTotalScore();
  const int stars = profile.GetReputationStars();
  if (storyOver) {
    profile.ResetAfterStoryEnd();
  } else {
    profile.SetLives(profile.GetLives() - 1);
  }
  RefreshShopsAfterDay(profile);
  if (storyOver)
    mApp.BoardToBestSellers(1, total, stars, 0);
  else
    mApp.BoardToMap(mAwardGiven ? 1 : 0, mDay, false);
}

}  // namespace Plix
