// Money, score, trophies and the services around the belt and the machine.
#include "framework/platform/CRand.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Monkey.h"

namespace Plix {

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

}  // namespace Plix
