// Happy Hour: the set-up of a game, its logic tick, the unlock timetable,
// the lost customers and the payments.
#include <string>
#include <vector>

#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "framework/platform/DebugOutput.h"
#include "framework/sound/MusicInterface.h"
#include "game/app/Curve.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/CustomerFlow.h"
#include "game/board/EventSchedule.h"
#include "game/board/StationButtons.h"
#include "game/board/Tutorial.h"

namespace Plix {

namespace {

enum Unlock { kNewFlavor = 1, kNewTopping = 2, kNewCustomerKind = 3, kNewSpecial = 4, kNewHolder = 5, kNewValue = 6 };

struct TimetableRow {
  int action;
  std::vector<int> times[3];  // easy, normal, hard
};

// Added row by row, each row left to right.
const TimetableRow kTimetable[] = {
    {kNewFlavor, {{30, 120, 180, 240, 300}, {30, 120, 180, 240, 300}, {20, 86, 120, 200, 250}}},
    {kNewTopping, {{0, 100, 350}, {0, 100, 350}, {0, 125, 250}}},
    {kNewSpecial, {{30, 100, 180, 240}, {50, 110, 210, 390}, {60, 130, 230, 410}}},
    {kNewHolder, {{40, 120}, {40, 90}, {30, 80}}},
    {kNewValue, {{30, 180, 360}, {20, 140, 230}, {20, 120, 200}}},
    {kNewCustomerKind, {{0, 120, 160, 230, 320, 400}, {0, 70, 130, 190, 250, 310}, {0, 60, 120, 180, 240, 280}}},
};

// Easy, normal, hard: the seconds over which arrivals speed up to every
// three seconds, and the spacing they start from.
constexpr float kArrivalLimit[3] = {1200.0f, 800.0f, 600.0f};
constexpr float kArrivalStart[3] = {8.0f, 6.5f, 6.25f};

constexpr int kHappyHourLesson = 25;

// 0 easy, 1 normal, 2 hard (any other mode plays hard).
int Difficulty(int mode) { return mode == 1 ? 0 : mode == 2 ? 1 : 2; }

}  // namespace

// ------------------------------------------------------------------ set-up

void Board::SetUpHappyHour() {
  mGameOverBanner = BoardBanner();
  mGameOverBanner.mScale = 0.25f;
  mSeconds = mSecondTicks = mTickCount = 0;
  mMoney = mShownMoney = mShownMoneyTarget = 0;
  mLivesLeft = 3;
  mHiscorePlace = 9;
  mNextHiscore = mApp.GetHappyHourScore(Difficulty(mMode), 9);

  ShowStation(mDishButton.get(), false);

  ClearFloor();
  const char* floor = mMode == 1 ? "data/easy.len" : mMode == 2 ? "data/normal.len" : "data/hard.len";
  if (!LoadEnvironment(floor)) return;

  for (AlphaButton* b : {mBananaButton.get(), mAppleButton.get(), mPearButton.get()}) DisableStation(b, true);
  ShowStation(mSuperBananaButton.get(), false);
  ShowStation(mCookiesButton.get(), false);
  ShowStation(mNapkinsButton.get(), false);
  for (auto& b : mLemonadeButtons) ShowStation(b.get(), false);
  ShowStation(mJugglingButton.get(), false);
  ShowStation(mOrganButton.get(), false);

  // The queue runs from the first node of kind 10 along the first link of
  // each node that is not in the chain yet.
  mCustomerFlow->DeleteAll();
  BarMovementNode* start = nullptr;
  for (BarMovementNode* node : mWalkNodes)
    if (node && node->GetKind() == kEnvMonkeyPlace) {
      start = node;
      break;
    }
  if (!start) {
    RefuseFloor(floor, "no walk node of kind 10 to start the customers' queue");
    return;
  }
  ObjectList chain;
  chain.PushBack(start);
  for (BarMovementNode* at = start; at;) {
    BarMovementNode* next = nullptr;
    ObjectListIterator it;
    for (it.Begin(at->GetLinks()); !it.AtEnd() && !next; it.Next())
      if (!chain.Contains(it.Get())) next = static_cast<BarMovementNode*>(it.Get());
    if (next) chain.PushBack(next);
    at = next;
  }
  ObjectListIterator it;
  for (it.Begin(chain); !it.AtEnd(); it.Next()) {
    auto* node = static_cast<BarMovementNode*>(it.Get());
    mCustomerFlow->AddPathPoint(node->GetX(), node->GetY());
  }

  for (int i = 0; i < 6; ++i) {
    mIceCreamBoxes[i].mFlavor = 0;
    AlphaButton* b = mIceCreamBoxButtons[i].get();
    if (!b) continue;
    mIceCreamBoxes[i].mX = static_cast<float>(b->GetX() + b->GetWidth() / 2);
    b->SetDisabled(true);
    UpdateIceCreamBoxButton(i);
  }

  mCrowdSchedule = std::make_unique<EventSchedule>();
  const int difficulty = Difficulty(mMode);
  for (const TimetableRow& row : kTimetable)
    for (int time : row.times[difficulty]) mCrowdSchedule->Add(row.action, time);
  mCrowdSchedule->Rewind();
  mCrowdSchedule->DumpToDebugger();

  mFlavorsUnlocked = 1;
  mValueLevel = 1;
  mToppingsUnlocked = 0;
  mCustomerKinds = 1;
  mSpecialsUnlocked = 0;
  mHoldersUnlocked = 1;
  while (const int action = mCrowdSchedule->TakeImmediate()) {
    switch (action) {
      case kNewFlavor: ++mFlavorsUnlocked; break;
      case kNewTopping: ++mToppingsUnlocked; break;
      case kNewCustomerKind:
        if (mCustomerKinds < 6) ++mCustomerKinds;
        break;
      case kNewSpecial: ++mSpecialsUnlocked; break;
      case kNewHolder: ++mHoldersUnlocked; break;
      case kNewValue:
        if (mValueLevel < 4) ++mValueLevel;
        break;
      default: break;
    }
  }

  for (int i = 0; i < mFlavorsUnlocked && i < 6; ++i) {
    mIceCreamBoxes[i].mFlavor = kItemVanilla + i;
    mIceCreamBoxes[i].mPortions = GetIceCreamBatchSize();
    DisableStation(mIceCreamBoxButtons[i].get(), false);
    UpdateIceCreamBoxButton(i);
  }
  // Strawberry, chocolate, pear, blueberry, pineapple come with the second
  // to sixth flavour.
  for (int i = 0; i < 5; ++i) ShowStation(mFlavorButtons[i].get(), mFlavorsUnlocked > i + 1);
  ShowStation(mCherriesButton.get(), mToppingsUnlocked >= 1);
  ShowStation(mSprinklesButton.get(), mToppingsUnlocked >= 2);
  ShowStation(mChocolateSauceButton.get(), mToppingsUnlocked >= 3);
  for (int i = 0; i < 4; ++i) DisableStation(mFreezerButtons[i].get(), mSpecialsUnlocked < i + 1);
  DisableStation(mConeMachineButton.get(), mHoldersUnlocked < 2);
  DisableStation(mPlateMachineButton.get(), mHoldersUnlocked < 3);

  // Three of each decoration; returning the third refreshes the mug.
  mUmbrellas = mCocktailSticks = mStraws = mSparklers = 2;
  ReturnUmbrella();
  ReturnCocktailStick();
  ReturnStraw();
  ReturnSparkler();

  DisableStation(mTrashStationButton.get(), true);
  DisableStation(mMachineButton.get(), true);
  mTicksToNextArrival = 200;
  // The first game's lesson comes whether or not lessons are on.
  if (!Profile().GetFlag(kHappyHourLesson)) mQueuedTutorials.PushBack(new HappyHourTutorial(this));

  mApp.LoadSong(mMode == 1 ? 1 : mMode == 2 ? 3 : 4);
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeIn(1, 0, 0.005, false);
}

// ------------------------------------------------------------------- logic

void Board::UpdateHappyHourLogic() {
  UpdateHappyHourHud();
  if (!mTutorial && --mTicksToNextArrival <= 0) {
    const int d = Difficulty(mMode);
    const float t = static_cast<float>(mSeconds);
    if (t >= kArrivalLimit[d]) {
      mArrivalSpacing = 3;
    } else {
      const float share = t / kArrivalLimit[d];
      mArrivalSpacing = static_cast<int>(kArrivalStart[d] * (1.0f - share) + 3.7f * share);
    }
    mTicksToNextArrival = Rand() % 200 + mArrivalSpacing * 100;
    const int kind = Rand() % (mCustomerKinds > 0 ? mCustomerKinds : 1);
    if (mCustomerFlow) mCustomerFlow->AddCustomer(kind);
  }

  // Once for each second the clock has moved on: while a lesson holds the
  // clock the timetable waits too.
  if (mCrowdSchedule && mCrowdSchedule->GetClock() < mSeconds) UpdateHappyHourUnlocks();

  for (int i = 1; i < 6; ++i)
    if (mIceCreamBoxButtons[i]) mIceCreamBoxButtons[i]->UpdateAppear();
  for (auto& b : mFlavorButtons)
    if (b) b->UpdateAppear();
  for (AlphaButton* b : {mCherriesButton.get(), mSprinklesButton.get(), mChocolateSauceButton.get(),
                         mConeMachineButton.get(), mCupMachineButton.get(), mPlateMachineButton.get()})
    if (b) b->UpdateAppear();

  if (mCustomerFlow) {
    mCustomerFlow->Update();
    if (mCustomerFlow->IsOver() && mGameOverBanner.mState == 0) {
      mGameOverBanner.mScale = 0.25f;
      mGameOverBanner.mState = 1;
      mGameOverBanner.mAlpha = 0;
      mGameOverBanner.mYOffset = 0;
      if (mApp.mMusicOutput) mApp.mMusicOutput->SetSongVolume(1, 0.25);
      mApp.PlaySound(SOUND_GAME_OVER);
      // The score is decided: as at a story day's end, no menu opens over
      // the banner, so no quit can keep it from the best sellers.
      if (mMenuButton) mMenuButton->SetDisabled(true);
    }
  }

  BoardBanner& banner = mGameOverBanner;
  switch (banner.mState) {
    case 1:
      banner.Grow();
      break;
    case 2:
      if (++banner.mCounter >= 100) banner.mState = 3;
      break;
    case 3:
      if (banner.FadeOut()) banner.mCounter = 50;
      break;
    case 4:
      if (--banner.mCounter <= 0) {
        banner.mState = 5;
        ExitLevel(3);
      }
      break;
    default:
      break;
  }
}

void Board::UpdateHappyHourUnlocks() {
  if (!mCrowdSchedule) return;
  switch (mCrowdSchedule->NextEvent()) {
    case kNewFlavor:
      OutputDebugStringA("New flavor\n");
      if (mFlavorsUnlocked >= 6) break;
      ++mFlavorsUnlocked;
      {
        const int box = mFlavorsUnlocked - 1;
        mIceCreamBoxes[box].mFlavor = kItemVanilla + box;
        mIceCreamBoxes[box].mPortions = GetIceCreamBatchSize();
        UpdateIceCreamBoxButton(box);
        if (AlphaButton* b = mIceCreamBoxButtons[box].get()) {
          b->SetDisabled(false);
          b->StartAppear();
          SparkleButton(b);
        }
        ShowStation(mFlavorButtons[box - 1].get(), true);
      }
      break;
    case kNewTopping: {
      OutputDebugStringA("New topping\n");
      if (mToppingsUnlocked >= 3) break;
      ++mToppingsUnlocked;
      AlphaButton* toppings[3] = {mCherriesButton.get(), mSprinklesButton.get(), mChocolateSauceButton.get()};
      if (AlphaButton* b = toppings[mToppingsUnlocked - 1]) {
        ShowStation(b, true);
        b->StartAppear();
        SparkleButton(b);
      }
      break;
    }
    case kNewCustomerKind:
      OutputDebugStringA("New customer type\n");
      if (mCustomerKinds < 7) ++mCustomerKinds;
      break;
    case kNewSpecial:
      OutputDebugStringA("New special\n");
      if (mSpecialsUnlocked >= 4) break;
      ++mSpecialsUnlocked;
      if (AlphaButton* b = mFreezerButtons[mSpecialsUnlocked - 1].get()) {
        b->SetDisabled(false);
        SparkleButton(b);
      }
      break;
    case kNewHolder: {
      OutputDebugStringA("New holder\n");
      if (mHoldersUnlocked >= 3) break;
      ++mHoldersUnlocked;
      AlphaButton* b = mHoldersUnlocked == 2 ? mConeMachineButton.get() : mPlateMachineButton.get();
      if (b) {
        b->SetDisabled(false);
        b->StartAppear();
        SparkleButton(b);
      }
      break;
    }
    case kNewValue:
      OutputDebugStringA("New value\n");
      if (mValueLevel < 4) ++mValueLevel;
      break;
    default:
      break;
  }
}

void Board::SparkleButton(AlphaButton* button) {
  if (!button) return;
  const int x = button->GetX(), y = button->GetY(), w = button->GetWidth(), h = button->GetHeight();
  if (w > 0 && h > 0) {
    const float centerX = static_cast<float>(x) + static_cast<float>(w / 2);
    const float centerY = static_cast<float>(y) + static_cast<float>(h / 2);
    for (int i = 0; i < 10; ++i) {
      const float px = static_cast<float>(x + Rand() % w), py = static_cast<float>(y + Rand() % h);
      auto* spark = new MovingAnimationParticle(px, py, mSmallStar);
      spark->SetColor(255, 255, 200, 255);
      float vx = px - centerX, vy = py - centerY;
      NormalizeVector(vx, vy);
      const float speed = 1.0f + static_cast<float>(Rand() % 100) * 0.001f;
      spark->SetVelocity(vx * speed, vy * speed);
      spark->SetEndVelocity(-vx * speed, -vy * speed);
      mApp.AddParticle(spark);
    }
  }
  mApp.PlaySound(SOUND_SERVE_4_CUSTOMERS);
}

void Board::AddArrivalDelay(int seconds) { mTicksToNextArrival += 10 * seconds; }

void Board::LoseHappyHourCustomer() {
  --mLivesLeft;
  if (mLivesLeft >= 0)
    ShowNotice(IMAGE_CUSTOMER_LOST, 400, 200, false);
  else if (mCustomerFlow)
    mCustomerFlow->SetLost();
}

void Board::CollectHappyHourPayment(IceCream* item, FlowCustomer* customer) {
  if (!item || !customer) return;
  const int price = item->GetPrice();
  mApp.PlaySound(price >= 8 ? SOUND_CUSTOMER_PAY_2 : SOUND_CUSTOMER_PAY_1);
  AddScore(price);
  const int x = static_cast<int>(customer->GetX()), y = static_cast<int>(customer->GetY());
  for (int i = 0; i < price; ++i) {
    const float px = static_cast<float>(x + Rand() % 32 - 16), py = static_cast<float>(y + Rand() % 32 - 16);
    auto* star = new AnimationParticle(px, py, mSmallStar);
    star->SetDelay(5 * i);
    mApp.AddParticle(star);
    auto* coin = new CoinParticle(px, py);
    coin->SetSpeed(0.01f);
    coin->SetDelay(5 * i);
    mApp.AddParticle(coin);
  }
  mMoneyPopups[mNextMoneyPopup].Start(price, customer->GetHeadX(), static_cast<float>(customer->GetHeadY()));
  mNextMoneyPopup = (mNextMoneyPopup + 1) % kMoneyPopupCount;
}

}  // namespace Plix
