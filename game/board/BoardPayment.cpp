// Money, score, trophies and the services around the belt and the machine.
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/CustomerFlow.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"
#include "game/characters/Monkey.h"
#include "game/characters/ServingMonkey.h"

namespace Plix {

namespace {

constexpr int kGirlIceCreamAction = 5;

}  // namespace

void Board::ResetIceCreamMachine() {
  mMachineState = 0;
  mMachineIngredient = 0;
  switch (mMachineLevel) {
    case 1:
      mMachineAnimation[0] = 661;
      mMachineAnimation[1] = 408;
      break;
    case 2:
      mMachineAnimation[0] = 645;
      mMachineAnimation[1] = 397;
      mMachineAnimation[2] = mMachineAnimation[3] = 300;
      break;
    case 3:
      mMachineAnimation[0] = 660;
      mMachineAnimation[1] = 390;
      mMachineAnimation[2] = mMachineAnimation[3] = 200;
      break;
    default:
      break;
  }
}

void Board::AddScore(int points) {
  mMoney += points;
  const int table = mMode == 1 ? 0 : mMode == 2 ? 1 : 2;
  const int place = mApp.GetHappyHourRank(table, mMoney);
  mNextHiscore = mApp.GetHappyHourScore(table, place);
  if (place != mHiscorePlace) {
    ShowNotice(IMAGE_NEW_HISCORE, 400, 200, false);
    mApp.PlaySound(SOUND_GOAL_REACHED);
  }
  mHiscorePlace = place;
}

void Board::AddMoney(int amount) {
  mMoney += amount;
  if (mMoney >= mGoal && mGoalBanner.mState == 0) {
    mGoalBanner.mScale = 0.25f;
    mGoalBanner.mState = 1;
    mGoalBanner.mAlpha = mGoalBanner.mCounter = 0;
    mApp.PlaySound(SOUND_GOAL_REACHED);
  }
  if (mMoney >= mExpertGoal && mGoalBanner.mState == 4 && mExpertBanner.mState == 0) {
    mExpertBanner.mScale = 0.25f;
    mExpertBanner.mState = 1;
    mExpertBanner.mAlpha = mExpertBanner.mCounter = 0;
    mApp.PlaySound(SOUND_EXPERT_REACHED);
  }
  if (mFlyingStar.mPath) return;
  PlayerProfile& profile = Profile();
  const int total = profile.GetTotalScore() + mMoney;
  const int bounds[5] = {500, 1000, 2500, 5000, 10000};
  for (int i = 0; i < 5; ++i)
    if (total >= bounds[i] && profile.GetReputationStars() < i + 1) LaunchReputationStar();
}

void Board::AddTableMoney(int amount) {
  AddMoney(amount);
  mTips += amount;
}

void Board::CollectPayment(Customer* customer) {
  const int price = customer->GetPrice(), extra = customer->GetMoney();
  const int total = price + extra;
  AddMoney(total);
  mTips += extra;
  if (total > 0) mApp.PlaySound(total < 8 ? SOUND_CUSTOMER_PAY_1 : SOUND_CUSTOMER_PAY_2);
  int x = 0, y = 0;
  if (Table* table = customer->GetTable()) table->GetSeatPosition(customer, x, y);
  for (int unit = 0, delay = 0; unit < total; ++unit, delay += 5) {
    const float px = static_cast<float>(x + Rand() % 32 - 16);
    const float py = static_cast<float>(y + Rand() % 32 - 16);
    auto* star = new AnimationParticle(px, py, mBigStar);
    star->SetDelay(delay);
    mApp.AddParticle(star);
    auto* coin = new CoinParticle(px, py);
    coin->SetSpeed(0.01f);
    coin->SetDelay(delay);
    mApp.AddParticle(coin);
  }
  if (price > 0) {
    mMoneyPopups[mNextMoneyPopup].Start(price, x, static_cast<float>(y));
    mNextMoneyPopup = (mNextMoneyPopup + 1) % kMoneyPopupCount;
  }
  if (mReplay) return;
  PlayerProfile& profile = Profile();
  const float mood = customer->GetMood();
  int grade = 0;
  if (mood >= 80)
    grade = profile.CountHappyCustomer3();
  else if (mood >= 75)
    grade = profile.CountHappyCustomer2();
  else if (mood >= 70)
    grade = profile.CountHappyCustomer1();
  AwardTrophy(0, grade);
}

void Board::AwardTrophy(int trophy, int grade) {
  PlayerProfile& profile = Profile();
  if (grade <= 0 || profile.GetTrophyGrade(trophy) >= grade || mTutorial || !mQueuedTutorials.IsEmpty()) return;
  profile.SetTrophyGrade(trophy, grade);
  mUncle->StartAward(trophy, grade);
}

void Board::CheckHappyMonkeysTrophy() {
  if (!mReplay) AwardTrophy(1, Profile().CountHappyMonkeys());
}

void Board::CheckEntertainmentTrophy(int tier) {
  if (mReplay) return;
  PlayerProfile& profile = Profile();
  if (tier == 1)
    AwardTrophy(4, profile.CountEntertainment1());
  else if (tier == 2)
    AwardTrophy(4, profile.CountEntertainment2());
  else if (tier == 3)
    AwardTrophy(4, profile.CountEntertainment3());
}

void Board::CheckWonderfulIceCreamsTrophy() {
  if (!mReplay) AwardTrophy(7, Profile().CountWonderfulIceCreams());
}

void Board::CheckSpecialServingsTrophy(int tier) {
  if (mReplay) return;
  PlayerProfile& profile = Profile();
  if (tier == 1)
    AwardTrophy(8, profile.CountSpecialServings1());
  else if (tier == 2)
    AwardTrophy(8, profile.CountSpecialServings2());
  else if (tier == 3)
    AwardTrophy(8, profile.CountSpecialServings3());
}

void Board::CheckFastDeliveryTrophy(int seconds) {
  if (!mReplay) AwardTrophy(9, seconds < 18 ? Profile().CountFastDeliveries() : 0);
}

bool Board::AreCustomersHeld() const { return mTutorial && mTutorial->HoldsCustomers(); }

void Board::MarkCustomersWithReadyOrders() {
  if (mCustomerManager) {
    ObjectListIterator it;
    for (it.Begin(mCustomerManager->GetCustomers()); !it.AtEnd(); it.Next()) {
      auto* customer = static_cast<Customer*>(it.Get());
      customer->SetReadyMark(false);
      if (customer->WantsNapkin()) continue;
      const IceCream& order = customer->GetOrder();
      bool ready = mCounter.ContainsMatch(order);
      if (!ready && mMonkey && mMonkey->GetCarryKind() == 1) ready = mMonkey->GetCarriedItems()->ContainsMatch(order);
      customer->SetReadyMark(ready);
    }
  }
  constexpr int kStepOrderReady = 7;
  if (mTutorial && mTutorial->GetStepType() == kStepOrderReady) {
    CloseBalloon();
    AdvanceTutorial();
  }
}

bool Board::ServingMonkeyNotWaiting() {
  if (!mServingMonkey) return true;
  const int state = mServingMonkey->GetState();
  const bool carrying = state == ServingMonkey::kTookWanted || state == ServingMonkey::kHolding ||
                        state == ServingMonkey::kPuttingOnCounter;
  return !(carrying && mServingMonkey->HolderHasRoom());
}

void Board::ThrowTreat(int code, int x, int y) {
  Image* image = nullptr;
  switch (code) {
    case kItemBanana:
    case kItemSuperBanana: image = IMAGE_BANANA; break;
    case kItemApple: image = IMAGE_APPLE; break;
    case kItemPear: image = IMAGE_PEAR; break;
    default: break;
  }
  if (image && !mThrownTreat) {
    const float fx = static_cast<float>(x - image->GetWidth() / 2);
    const float fy = static_cast<float>(y - image->GetHeight());
    mThrownTreat = std::make_unique<FlyingFruit>(code, mMonkey.get(), fx, fy, 0.01f);
  }
  mApp.PlaySound(SOUND_THROW_FRUIT);
}

bool Board::OfferToServingMonkey(IceCream* item, int, int, int serial) {
  // She is already putting something on this very item: it waits for her.
  if (auto* action = dynamic_cast<GirlToIceCreamAction*>(mGirl ? mGirl->FrontAction() : nullptr))
    if (action->GetItem() == item && action->GetPhase() >= 2) return false;
  if (mServingMonkeyCalled) {
    if (!mServingMonkeyDone) return false;
    mServingMonkeyCalled = false;
    return true;
  }
  if (mServingMonkey->GetState() != ServingMonkey::kIdle) return false;
  if (mMode != 0) {
    // The least patient customer in the queue who wants it gets it; with
    // none it is thrown away.
    FlowCustomer* customer = mCustomerFlow ? mCustomerFlow->FindCustomerFor(item) : nullptr;
    if (customer) {
      mServingMonkey->TakeItemWithTarget(*item, serial, customer);
      customer->SetServed();
    } else {
      item->ClearPending();
      mServingMonkey->TakeItem(*item, serial);
    }
    mServingMonkeyCalled = true;
    mServingMonkeyDone = false;
    return false;
  }
  int wanted = mCustomerManager ? mCustomerManager->CountMatching(*item) : 0;
  wanted -= mCounter.CountExactMatches(*item);
  if (mMonkey) wanted -= mMonkey->GetCarriedItems()->CountExactMatches(*item);
  const bool herIceCreamFirst = mGirl && mGirl->FrontActionKind() == kGirlIceCreamAction;
  item->ClearPending();
  mServingMonkeyCalled = true;
  mServingMonkeyDone = false;
  if (wanted <= 0 && !herIceCreamFirst) {
    mServingMonkey->TakeItem(*item, serial);
    mGoldenIceCreamProgress = 0;
    return false;
  }
  mServingMonkey->TakeItemToState4(*item, serial);
  PlayerProfile& profile = Profile();
  const bool newestDay = mDay == profile.GetStoryDays();
  const bool moreThan15Left = mArrivalSchedule && mArrivalSchedule->GetSecondsLeft() > 15;
  const bool hardDay = mDay == 5 || mDay == 12 || mDay == 20 || mDay == 29 || mDay == 39;
  const LevelRecord* level = mApp.GetLevel(mDay);
  if (newestDay && mArea < 6 && moreThan15Left && mGoldenIceCreams < (hardDay ? 4 : 5) && level &&
      profile.GetFlavorCount() == level->flavorCount) {
    if (++mGoldenIceCreamProgress == mDay / 3 + 4) {
      mConveyor->AddItem(kItemGolden, false);
      mGoldenIceCreamProgress = 0;
    }
  }
  return false;
}

void Board::ThrowToTrash(IceCream* item, float x, float y) {
  if (item->GetDecoration() == kItemSparkler) OnSparklerAdded();
  mFlyingIceCreams.PushBack(new FlyingIceCream(*item, x, y, 0.01f, static_cast<float>(mTrashStationX),
                                               static_cast<float>(mTrashStationY)));
  mApp.PlaySound(SOUND_MONKEY_THROW);
  AddTrashUse();
}

void Board::ThrowItem(IceCream* item, FlightTarget* target, float x, float y) {
  if (item->GetDecoration() == kItemSparkler) OnSparklerAdded();
  mFlyingIceCreams.PushBack(new FlyingIceCream(*item, x, y, 0.01f, target));
  mApp.PlaySound(SOUND_MONKEY_THROW);
}

void Board::ApplyBonusItem(int kind) {
  switch (kind) {
    case 8: mConveyor->StartReverse(); break;
    case 9: mConveyor->Pause(); break;
    case 10:
      if (mGirl) mGirl->BoostSpeed(6.0f);
      break;
    case 11: {
      // One more retry of the story.
      PlayerProfile& profile = Profile();
      profile.SetLives(profile.GetLives() + 1);
      break;
    }
    case 12:
      if (mGoldenIceCreams < 5 && mGirl) StartGoldenIceCreamFlight(mGirl->GetX(), mGirl->GetY() - 100.0f);
      break;
    default: break;
  }
}

// The tray waits while the serving monkey is still bringing something.
bool Board::CanTakeCounterTray() { return ServingMonkeyNotWaiting(); }

}  // namespace Plix
