// Money, score and trophies on a board outside the widget manager: what a
// paying customer brings, the goal banners and reputation stars, the
// trophy counters and their award rule, treats, trash throws and the
// bonus items.
#include <gtest/gtest.h>

#include <memory>

#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/Tutorial.h"
#include "game/characters/Customer.h"
#include "game/characters/Girl.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

// A customer with a given bill and mood, at no table.
class PayingCustomer : public Customer {
public:
  PayingCustomer(int price, int extra, float mood) : Customer(nullptr) {
    mPrice = price;
    mExtraMoney = extra;
    mMood = mood;
  }
};

class BoardPayment : public Testing::BoardFixture {
protected:
  void SetUp() override {
    BoardFixture::SetUp();
    mSoundIds = std::make_unique<Testing::DistinctSoundIds>(
        std::initializer_list<int*>{&SOUND_CUSTOMER_PAY_1, &SOUND_CUSTOMER_PAY_2, &SOUND_GOAL_REACHED,
                                    &SOUND_EXPERT_REACHED, &SOUND_THROW_FRUIT, &SOUND_MONKEY_THROW});
    Make(0);
  }
  void TearDown() override {
    mBoard.reset();
    mSoundIds.reset();
    BoardFixture::TearDown();
  }
  void Make(int mode) {
    mBoard = std::make_unique<Board>(*mGame, mode, 0);
    mGame->mSounds.clear();
  }
  int Counter(int i) { return Player().GetTrophyCounter(i); }

  std::unique_ptr<Testing::DistinctSoundIds> mSoundIds;
  std::unique_ptr<Board> mBoard;
};

TEST_F(BoardPayment, APayingCustomerBringsPriceAndTipsWithCoinsAndAPopup) {
  struct Case {
    int price, extra;
    float mood;
    int sound;  // 0 none, 1 the small payment's, 2 the large one's
    int happyTiers;  // counters of Happy Customers that move
  } cases[] = {
      {0, 0, 90.0f, 0, 3}, {5, 2, 80.0f, 1, 3}, {8, 0, 75.0f, 2, 2},   {10, 2, 70.0f, 2, 1},
      {3, 0, 69.9f, 1, 0}, {0, 4, 100.0f, 1, 3}, {7, 0, 79.9f, 1, 2},
  };
  for (const Case& c : cases) {
    Make(0);
    mGame->ClearParticles();
    const int before[3] = {Counter(0), Counter(1), Counter(2)};
    const int popup = mBoard->mNextMoneyPopup;
    PayingCustomer customer(c.price, c.extra, c.mood);
    mBoard->CollectPayment(&customer);
    const int total = c.price + c.extra;
    SCOPED_TRACE(::testing::Message() << c.price << " + " << c.extra << " at mood " << c.mood);
    EXPECT_EQ(mBoard->mMoney, total);
    EXPECT_EQ(mBoard->mTips, c.extra);
    EXPECT_EQ(mGame->CountSound(SOUND_CUSTOMER_PAY_1), c.sound == 1 ? 1 : 0);
    EXPECT_EQ(mGame->CountSound(SOUND_CUSTOMER_PAY_2), c.sound == 2 ? 1 : 0);
    // A coin and a star for every unit of the total.
    EXPECT_EQ(mGame->GetParticleCount(), 2 * total);
    // The popup shows the price alone.
    if (c.price > 0) {
      EXPECT_EQ(mBoard->mMoneyPopups[popup].GetText(), L"$" + std::to_wstring(c.price));
      EXPECT_EQ(mBoard->mNextMoneyPopup, (popup + 1) % Board::kMoneyPopupCount);
    } else {
      EXPECT_EQ(mBoard->mNextMoneyPopup, popup);
    }
    for (int tier = 0; tier < 3; ++tier) EXPECT_EQ(Counter(tier) - before[tier], tier < c.happyTiers ? 1 : 0) << tier;
  }
}

TEST_F(BoardPayment, TrophyCountersAndTheAwardRule) {
  enum { kNone, kReplay, kTutorialRunning, kTutorialQueued };
  struct Case {
    int hindrance;
    int recordedGrade;
    bool counted;
    bool awarded;
  } cases[] = {
      {kNone, 0, true, true},
      {kNone, 1, true, false},  // the grade is not better than the one held
      {kReplay, 0, false, false},
      {kTutorialRunning, 0, true, false},
      {kTutorialQueued, 0, true, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    // A new player each time: counters from 0.
    mGame->SetCurrentProfile(mGame->CreateProfile(L"Player " + std::to_wstring(++n)));
    Make(0);
    SCOPED_TRACE(c.hindrance);
    Player().SetTrophyGrade(0, c.recordedGrade);
    // One short of the first tier.
    while (Counter(0) < 19) Player().CountHappyCustomer1();
    if (c.hindrance == kReplay) mBoard->mReplay = true;
    if (c.hindrance == kTutorialRunning) mBoard->mTutorial = new Tutorial(mBoard.get(), 40);
    if (c.hindrance == kTutorialQueued) mBoard->mQueuedTutorials.PushBack(new Tutorial(mBoard.get(), 40));
    PayingCustomer customer(4, 0, 70.0f);
    mBoard->CollectPayment(&customer);
    EXPECT_EQ(Counter(0), c.counted ? 20 : 19);
    EXPECT_EQ(Player().GetTrophyGrade(0), c.awarded ? 1 : c.recordedGrade);
  }
}

TEST_F(BoardPayment, EachCheckMovesItsOwnCounters) {
  struct Case {
    const char* what;
    void (*check)(Board&);
    int first, count;
  } cases[] = {
      {"happy monkeys", [](Board& b) { b.CheckHappyMonkeysTrophy(); }, 3, 1},
      {"entertainment 1", [](Board& b) { b.CheckEntertainmentTrophy(1); }, 7, 1},
      {"entertainment 3", [](Board& b) { b.CheckEntertainmentTrophy(3); }, 7, 3},
      {"entertainment 4", [](Board& b) { b.CheckEntertainmentTrophy(4); }, 7, 0},
      {"wonderful ice creams", [](Board& b) { b.CheckWonderfulIceCreamsTrophy(); }, 13, 1},
      {"special servings 2", [](Board& b) { b.CheckSpecialServingsTrophy(2); }, 14, 2},
      {"special servings 0", [](Board& b) { b.CheckSpecialServingsTrophy(0); }, 14, 0},
      {"delivered in 17 s", [](Board& b) { b.CheckFastDeliveryTrophy(17); }, 17, 3},
      {"delivered in 18 s", [](Board& b) { b.CheckFastDeliveryTrophy(18); }, 17, 0},
  };
  for (const Case& c : cases) {
    int before[20];
    for (int i = 0; i < 20; ++i) before[i] = Counter(i);
    c.check(*mBoard);
    for (int i = 0; i < 20; ++i)
      EXPECT_EQ(Counter(i) - before[i], i >= c.first && i < c.first + c.count ? 1 : 0) << c.what << ", counter " << i;
  }
  // None of them on a replayed day.
  mBoard->mReplay = true;
  int before[20];
  for (int i = 0; i < 20; ++i) before[i] = Counter(i);
  for (const Case& c : cases) c.check(*mBoard);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Counter(i), before[i]) << i;
}

TEST_F(BoardPayment, ReputationStarsByTheStoryScoreAndTheDaysMoney) {
  struct Case {
    int storyScore, stars, amount;
    bool launched;
  } cases[] = {
      {0, 0, 499, false},   {0, 0, 500, true},     {900, 1, 100, true},  {900, 2, 100, false},
      {2000, 2, 499, false}, {2000, 2, 500, true}, {9990, 4, 10, true},  {20000, 5, 1, false},
  };
  for (const Case& c : cases) {
    Make(0);
    Player().SetTotalScore(c.storyScore);
    Player().SetReputationStars(c.stars);
    mBoard->AddMoney(c.amount);
    EXPECT_EQ(mBoard->mFlyingStar.mPath != nullptr, c.launched) << c.storyScore << " + " << c.amount;
  }
  // While a star flies no other is launched.
  Make(0);
  Player().SetTotalScore(0);
  Player().SetReputationStars(0);
  mBoard->AddMoney(600);
  ASSERT_NE(mBoard->mFlyingStar.mPath, nullptr);
  mBoard->mFlyingStar.mT = 0.5f;
  mBoard->AddMoney(600);
  EXPECT_EQ(mBoard->mFlyingStar.mT, 0.5f);
}

TEST_F(BoardPayment, GoalThenExpertBanner) {
  mBoard->mGoal = 100;
  mBoard->mExpertGoal = 150;
  mBoard->AddTableMoney(99);
  EXPECT_EQ(mBoard->mTips, 99);
  EXPECT_EQ(mBoard->mGoalBanner.mState, 0);
  mBoard->AddMoney(60);
  EXPECT_EQ(mBoard->mGoalBanner.mState, 1);
  EXPECT_EQ(mBoard->mGoalBanner.mScale, 0.25f);
  EXPECT_EQ(mGame->CountSound(SOUND_GOAL_REACHED), 1);
  // The expert banner waits until the goal banner has finished.
  EXPECT_EQ(mBoard->mExpertBanner.mState, 0);
  mBoard->mGoalBanner.mState = 4;
  mBoard->AddMoney(0);
  EXPECT_EQ(mBoard->mExpertBanner.mState, 1);
  EXPECT_EQ(mGame->CountSound(SOUND_EXPERT_REACHED), 1);
  mBoard->AddMoney(10);
  EXPECT_EQ(mGame->CountSound(SOUND_GOAL_REACHED), 1);
  EXPECT_EQ(mGame->CountSound(SOUND_EXPERT_REACHED), 1);
}

TEST_F(BoardPayment, HappyHourScoreFollowsTheBestSellerPlace) {
  Make(2);
  mBoard->AddScore(1000000);
  EXPECT_EQ(mBoard->mMoney, 1000000);
  EXPECT_EQ(mBoard->mHiscorePlace, mGame->GetHappyHourRank(1, 1000000));
  EXPECT_EQ(mBoard->mNextHiscore, mGame->GetHappyHourScore(1, mBoard->mHiscorePlace));
  const int sounds = mGame->CountSound(SOUND_GOAL_REACHED);
  // The same place again: no notice, no sound.
  mBoard->AddScore(1);
  EXPECT_EQ(mGame->CountSound(SOUND_GOAL_REACHED), sounds);
}

TEST_F(BoardPayment, TreatsFlyOneAtATime) {
  struct Case {
    int code;
    bool flies;
  } cases[] = {{kItemBanana, true}, {kItemApple, true}, {kItemPear, true}, {kItemSuperBanana, true},
               {kItemSparkler, false}, {kItemIceCreamBox, false}};
  for (const Case& c : cases) {
    mBoard->mThrownTreat.reset();
    mGame->mSounds.clear();
    mBoard->ThrowTreat(c.code, 300, 400);
    EXPECT_EQ(mBoard->IsTreatFlying(), c.flies) << c.code;
    if (c.flies) {
      EXPECT_EQ(mBoard->mThrownTreat->GetKind(), c.code);
      // A second throw while it flies throws nothing, but is heard.
      mBoard->ThrowTreat(kItemPear == c.code ? kItemApple : kItemPear, 300, 400);
      EXPECT_EQ(mBoard->mThrownTreat->GetKind(), c.code);
    }
    EXPECT_EQ(mGame->CountSound(SOUND_THROW_FRUIT), c.flies ? 2 : 1);
  }
}

TEST_F(BoardPayment, ThrowsToTheTrashCountAndKeepTheSparklerInPlay) {
  IceCream cup = IceCream::CreateOfKind(kItemCup);
  cup.SetDecoration(kItemSparkler);
  mBoard->ThrowToTrash(&cup, 550.0f, 380.0f);
  EXPECT_EQ(mBoard->mTrashUses, 1);
  EXPECT_EQ(mBoard->mFlyingIceCreams.GetCount(), 1);
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 1);
  EXPECT_EQ(mGame->CountSound(SOUND_MONKEY_THROW), 1);
  // Until it lands.
  for (int i = 0; i < 1000 && mBoard->mFlyingIceCreams.GetCount() > 0; ++i) mBoard->UpdateFlyingIceCreams(1.0f);
  EXPECT_EQ(mBoard->mFlyingIceCreams.GetCount(), 0);
  EXPECT_EQ(mBoard->GetSparklersInPlay(), 0);
}

TEST_F(BoardPayment, BonusItemsTakeEffect) {
  Conveyor& belt = *mBoard->GetConveyor();
  belt.AddItem(kItemCone, false);
  belt.Update();
  mBoard->ApplyBonusItem(8);
  EXPECT_TRUE(belt.IsReversing());
  mBoard->ApplyBonusItem(9);
  EXPECT_FALSE(belt.IsReversing());
  EXPECT_EQ(belt.GetPauseCountdown(), 500);
  const float speed = mBoard->GetGirl()->GetSpeed();
  mBoard->ApplyBonusItem(10);
  for (int i = 0; i < 20; ++i) mBoard->GetGirl()->Update();
  EXPECT_GT(mBoard->GetGirl()->GetSpeed(), speed);
  const int lives = Player().GetLives();
  mBoard->ApplyBonusItem(11);
  EXPECT_EQ(Player().GetLives(), lives + 1);
  mBoard->mGoldenIceCreams = 5;
  mBoard->ApplyBonusItem(12);
  EXPECT_EQ(mBoard->mFlyingGoldenIceCream.mPath, nullptr);
  mBoard->mGoldenIceCreams = 4;
  mBoard->ApplyBonusItem(12);
  EXPECT_NE(mBoard->mFlyingGoldenIceCream.mPath, nullptr);
}

}  // namespace
}  // namespace Plix
