// A story day's set-up: stations, stocks and the arrival schedule from the
// day's level record and the player's profile, then the floor, a pending
// trophy, the lessons not seen yet and the music.
#include <vector>

#include "framework/platform/CRand.h"
#include "framework/sound/MusicInterface.h"
#include "game/app/GameApp.h"
#include "game/app/LevelTable.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/StationButtons.h"
#include "game/board/Tutorial.h"
#include "game/characters/CustomerManager.h"

namespace Plix {

namespace {

// A stock the player bought, on the board only from the day it belongs to.
int FromDay(int stock, int day, int firstDay) { return day >= firstDay ? stock : 0; }

// Shares of `total` by weight, truncated, the remainder on the first share.
// The level table refuses weights that add up to 0; a zero sum still gives
// everything to the first share rather than dividing by it.
template <int N>
void ShareOut(int total, const int (&weights)[N], int (&shares)[N]) {
  int sum = 0;
  for (int w : weights) sum += w;
  const float ratio = static_cast<float>(total) / static_cast<float>(sum > 0 ? sum : 1);
  int given = 0;
  for (int i = 0; i < N; ++i) {
    shares[i] = sum > 0 ? static_cast<int>(static_cast<float>(weights[i]) * ratio) : 0;
    given += shares[i];
  }
  shares[0] += total - given;
}

// Takes a random entry out of the pool; `fallback` when it is empty (the
// level table refuses days whose groups need more customers than they have).
int TakeFromPool(std::vector<int>& pool, int fallback) {
  if (pool.empty()) return fallback;
  const int r = Rand() % static_cast<int>(pool.size());
  const int value = pool[r];
  pool.erase(pool.begin() + r);
  return value;
}

}  // namespace

void Board::SetUpStoryDay() {
  if (mCustomerManager) mCustomerManager->Clear();
  mConveyor->Reset();

  mClosedSignPos = 800;
  for (BoardBanner* banner : {&mGoalBanner, &mExpertBanner}) {
    *banner = BoardBanner();
    banner->mScale = 0.25f;
  }

  PlayerProfile& profile = Profile();
  const LevelRecord& level = *mApp.GetLevel(mDay);
  const int d = mDay + 1;
  if (level.flavorCount > profile.GetFlavorCount()) profile.SetFlavorCount(level.flavorCount);

  mOverlayCount = 0;
  mDrawList.Clear();
  for (int& blob : mStoryDayFlags) blob = 255;

  DisableStation(mPlateMachineButton.get(), level.countH < 3);
  DisableStation(mConeMachineButton.get(), level.countH < 2);
  ShowStation(mChocolateSauceButton.get(), level.countT >= 3);
  ShowStation(mSprinklesButton.get(), level.countT >= 2);
  ShowStation(mCherriesButton.get(), level.countT >= 1);

  mGoldenIceCreams = profile.GetGoldenIceCreams();

  mUmbrellas = FromDay(profile.GetUmbrellaStock(), d, 17);
  mCocktailSticks = FromDay(profile.GetCocktailStickStock(), d, 9);
  mStraws = FromDay(profile.GetStrawStock(), d, 4);
  mSparklers = FromDay(profile.GetSparklerStock(), d, 35);
  ShowMugs();

  // Ingredient i (strawberry, chocolate, pear, blueberry, pineapple) is the
  // flavour after i + 1 others; a replay shows the day's own flavours.
  const int flavors = mReplay ? level.flavorCount : profile.GetFlavorCount();
  for (int i = 0; i < 5; ++i) {
    AlphaButton* b = mFlavorButtons[i].get();
    if (!b) continue;
    b->SetDisabled(true);
    if (flavors <= i + 1) b->SetVisible(false);
  }

  for (int i = 0; i < 4; ++i) DisableStation(mFreezerButtons[i].get(), level.countS < i + 1);

  const bool bananas = profile.GetMonkeyTreat(0) != 0 && d >= 9;
  const bool apples = profile.GetMonkeyTreat(1) != 0 && d >= 12;
  const bool pears = profile.GetMonkeyTreat(2) != 0 && d >= 19;
  const bool superBananas = profile.GetMonkeyTreat(3) != 0 && d >= 26;
  if (!bananas) ShowStation(mBananaButton.get(), false);
  if (!apples) ShowStation(mAppleButton.get(), false);
  if (!pears) ShowStation(mPearButton.get(), false);
  DisableStation(mSuperBananaButton.get(), !superBananas);
  if (mSuperBananaButton) mSuperBananaButton->SetVisible(false);

  ClearFloor();
  mLevelModeWord = level.customerMode;

  int kindCounts[7];
  ShareOut(level.customerCount, level.kindWeights, kindCounts);
  int valueCounts[4];
  ShareOut(level.customerCount, level.memberValueWeights, valueCounts);

  mSeconds = mSecondTicks = mTickCount = 0;
  mArrivalSchedule = std::make_unique<ArrivalSchedule>();

  std::vector<int> kindPool, valuePool;
  for (int i = 0; i < 7; ++i) kindPool.insert(kindPool.end(), kindCounts[i] > 0 ? kindCounts[i] : 0, i);
  for (int j = 0; j < 4; ++j) valuePool.insert(valuePool.end(), valueCounts[j] > 0 ? valueCounts[j] : 0, j + 1);

  mMoney = mTips = mShownMoney = mShownMoneyTarget = 0;
  mGoal = level.goal;
  mExpertGoal = level.expert;

  // The biggest parties first: single customers fill what is left.
  for (int code = 3; code >= 0; --code) {
    for (int g = 0; g < level.groupCounts[code]; ++g) {
      ArrivalOrder order;
      order.SetGroupCode(code);
      for (int m = 0; m <= code; ++m) {
        order.SetMemberKind(m, TakeFromPool(kindPool, 0));
        order.SetMemberValue(m, TakeFromPool(valuePool, 1));
      }
      mArrivalSchedule->AddOrder(order);
    }
  }
  mArrivalSchedule->SpreadOverDay(level.arrivalSpan);

  if (!(mBananaButton && mBananaButton->IsDisabled())) mBananas = profile.GetMonkeyTreat(0);
  if (!(mAppleButton && mAppleButton->IsDisabled())) mApples = profile.GetMonkeyTreat(1);
  if (!(mPearButton && mPearButton->IsDisabled())) mPears = profile.GetMonkeyTreat(2);
  if (!(mSuperBananaButton && mSuperBananaButton->IsDisabled())) mSuperBananas = profile.GetMonkeyTreat(3);
  ShowTreats();

  const int cookieDays[3] = {4, 14, 27};
  const int lemonadeDays[3] = {10, 21, 41};
  for (int i = 0; i < 3; ++i) {
    mCookies[i] = FromDay(profile.GetCookieBox(i), d, cookieDays[i]);
    mLemonades[i] = FromDay(profile.GetLemonade(i), d, lemonadeDays[i]);
  }
  ShowCookies();
  ShowLemonade();

  for (int i = 0; i < 6; ++i) {
    mIceCreamBoxes[i].mFlavor = 0;
    AlphaButton* b = mIceCreamBoxButtons[i].get();
    if (!b) continue;
    mIceCreamBoxes[i].mX = static_cast<float>(b->GetX() + b->GetWidth() / 2);
    UpdateIceCreamBoxButton(i);
    ShowStation(b, false);
  }
  for (int i = 0; i < flavors && i < 6; ++i) {
    mIceCreamBoxes[i].mFlavor = kItemVanilla + i;
    mIceCreamBoxes[i].mPortions = GetIceCreamBatchSize();
    UpdateIceCreamBoxButton(i);
    ShowStation(mIceCreamBoxButtons[i].get(), true);
  }

  if (!LoadEnvironment(level.environmentFile)) return;

  const int cash = profile.GetCash();
  mPendingTrophy6Grade = cash >= 350 ? 3 : cash >= 220 ? 2 : cash >= 150 ? 1 : 0;
  if (profile.GetTrophyGrade(6) >= mPendingTrophy6Grade) mPendingTrophy6Grade = 0;

  QueueStoryLessons(level);

  const int songs[4] = {1, 4, 2, 3};
  const int index = profile.GetSongIndex();
  mApp.LoadSong(index >= 0 && index < 4 ? songs[index] : 4);
  if (mApp.mMusicOutput) mApp.mMusicOutput->FadeIn(1, 0, 0.005, false);
}

void Board::QueueStoryLessons(const LevelRecord& level) {
  PlayerProfile& profile = Profile();
  const int d = mDay + 1;
  const bool first = !mReplay;
  const int flavors = profile.GetFlavorCount();

  if (first) {
    OfferTutorial(new ServeFastTutorial(this));
    if (Tutorial* lesson = NewFlavourTutorial(this, flavors)) OfferTutorial(lesson);
    if (mDay == 0) OfferTutorial(new FirstIceCreamTutorial(this));
    if (level.countT == 1) OfferTutorial(new ToppingTutorial(this));
    if (level.countT == 2) OfferTutorial(new SprinklesPresTutorial(this));
    if (level.countT == 3) OfferTutorial(new ChocolateSaucePresTutorial(this));
  }

  // At most one treat and one decoration are presented a day.
  int treat = 0;
  if (profile.GetMonkeyTreat(1) != 0 && d >= 12)
    treat = 32;
  else if (profile.GetMonkeyTreat(0) != 0 && d >= 9)
    treat = 31;
  else if (profile.GetMonkeyTreat(2) != 0 && d >= 19)
    treat = 33;
  else if (profile.GetMonkeyTreat(3) != 0 && d >= 26)
    treat = 34;
  if (treat) OfferTutorial(new FruitPresTutorial(this, treat));

  int decoration = 0;
  if (profile.GetUmbrellaStock() != 0 && d >= 17)
    decoration = 22;
  else if (profile.GetCocktailStickStock() != 0 && d >= 9)
    decoration = 23;
  else if (profile.GetStrawStock() != 0 && d >= 4)
    decoration = 24;
  else if (profile.GetSparklerStock() != 0 && d >= 35)
    decoration = 25;
  if (decoration) OfferTutorial(new DecorationPresTutorial(this, decoration));

  if (first && level.countH == 2) OfferTutorial(new ConePresTutorial(this));
  if (first && level.countH == 3) OfferTutorial(new PlatePresTutorial(this));
  if (mCookies[0] > 0 || mCookies[1] > 0 || mCookies[2] > 0) OfferTutorial(new CookiesPresTutorial(this));
  if (mLemonades[0] > 0 || mLemonades[1] > 0 || mLemonades[2] > 0) OfferTutorial(new LemonadePresTutorial(this));
  if ((profile.GetSunshade(0) != 0 && d >= 8) || (profile.GetSunshade(1) != 0 && d >= 31))
    OfferTutorial(new SunshadePresTutorial(this));
  if (first) {
    if (profile.GetJugglingLevel() > 0) OfferTutorial(new JugglingPresTutorial(this));
    if (profile.GetMelodyLevel() > 0) OfferTutorial(new BarrelOrganPresTutorial(this));
    if (level.countS > 0) OfferTutorial(new SpecialCupTutorial(this));
    if (level.countS > 1) OfferTutorial(new BananaSplitTutorial(this));
    if (level.countS > 2) OfferTutorial(new SpecialPlateTutorial(this));
    if (level.countS > 3) OfferTutorial(new CakeTutorial(this));
  }
  OfferTutorial(new FastButtonTutorial(this));
}

}  // namespace Plix
