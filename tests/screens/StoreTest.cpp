// The store played with the mouse and the keys: the shelf of the day, the
// sales talk on pointing, the question on a click, the purchase or the
// refusal, the cash counting down, the good gone from the shelf until the
// marks are computed again, and the profile read back from its file.
#include <gtest/gtest.h>

#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "tests/screens/ShopTestSupport.h"

namespace Plix {
namespace {

using Testing::ScreenGame;
using Testing::ShopTest;

class StoreTest : public ShopTest {};

TEST_F(StoreTest, APurchaseIsPaidTakenOffTheShelfAndSaved) {
  ShopScreen* store = Enter(kStore, 3, 5);
  ASSERT_NE(store, nullptr);
  ScreenGame& g = Game();
  // Day 4 for a new player.
  EXPECT_EQ(ShelfIds(), (std::vector<int>{ShopScreen::kExit, Store::kCookies, Store::kStrawsGood, Store::kFlower,
                                          Store::kFasterMachine}));
  // The exit never talks and makes no hover sound.
  g.mSounds.clear();
  PointAt(store->FindButton(ShopScreen::kExit));
  Tick(40);
  EXPECT_EQ(store->GetBalloon(), nullptr);
  EXPECT_TRUE(g.mSounds.empty());
  // A good talks on the 26th update of pointing, with its price.
  AlphaButton* cookies = Goods(Store::kCookies).at(0);
  PointAt(cookies);
  EXPECT_EQ(g.mSounds, std::vector<int>{SOUND_MOUSE_OVER_SHORT});
  EXPECT_EQ(store->GetStockCell(), 13);
  EXPECT_EQ(store->GetStockCount(), 0);
  Tick(25);
  EXPECT_EQ(store->GetBalloon(), nullptr);
  Tick();
  ASSERT_TRUE(store->IsShowingItemInfo());
  Tick(3);
  const int typed = store->GetBalloon()->GetShown();
  EXPECT_GT(typed, 0);
  // The click keeps the talk and asks.
  int x = 0, y = 0;
  ASSERT_TRUE(HitPoint(cookies, x, y));
  Click(x, y);
  ASSERT_NE(store->GetBalloon(), nullptr);
  EXPECT_FALSE(store->IsShowingItemInfo());
  EXPECT_GE(store->GetBalloon()->GetShown(), typed);
  EXPECT_EQ(store->GetPendingPrice(), 5);
  EXPECT_EQ(store->GetSellerMood(), 2);
  Tick();
  // Enter buys while the mouse rests on the good.
  Move(1, 1);
  Move(x, y);
  EXPECT_EQ(cookies->GetState(), 1);
  g.mSounds.clear();
  Key(13);
  // Paid with the last of the cash.
  EXPECT_EQ(Player().GetCash(), 0);
  EXPECT_EQ(Player().GetCookieBox(0), 5);
  EXPECT_EQ(g.mSounds, std::vector<int>{SOUND_PAY});
  EXPECT_EQ(store->GetSellerMood(), 3);
  EXPECT_EQ(store->GetStockCount(), 1);
  EXPECT_EQ(store->GetStockTimer(), 100);
  EXPECT_FALSE(cookies->IsVisible());
  EXPECT_EQ(cookies->GetState(), 3);
  EXPECT_EQ(Store::GetNewItemFlag(Store::kCookies1), 0);
  // The sold good cannot be pointed at or clicked any more.
  Move(1, 1);
  Click(x, y);
  EXPECT_EQ(cookies->GetState(), 3);
  EXPECT_EQ(store->GetBalloon(), nullptr);
  EXPECT_EQ(Player().GetCookieBox(0), 5);
  // The cash on screen counts down to what is left.
  EXPECT_EQ(store->GetDisplayedCash(), 5);
  ASSERT_TRUE(TickUntil([&] { return store->GetDisplayedCash() == 0; }, 100));
  // Still off the shelf after leaving and coming back.
  Leave();
  store = FromMap(kStore);
  ASSERT_NE(store, nullptr);
  EXPECT_TRUE(Goods(Store::kCookies).empty());
  EXPECT_EQ(Goods(Store::kStrawsGood).size(), 1u);
  Leave();
  g.Shutdown();
  auto stored = ReadBackProfiles();
  ASSERT_NE(stored->GetCurrentProfile(), nullptr);
  EXPECT_EQ(stored->GetCurrentProfile()->GetCookieBox(0), 5);
  EXPECT_EQ(stored->GetCurrentProfile()->GetCash(), 0);
}

TEST_F(StoreTest, TheAnswerDecidesAndTooLittleCashIsRefused) {
  // Day 11: the larger boxes for 60, the table cloth for 10.
  ShopScreen* store = Enter(kStore, 10, 59, [](PlayerProfile& p) { p.SetBatchSize(12); });
  ASSERT_NE(store, nullptr);
  ScreenGame& g = Game();
  const struct {
    const char* name;
    int id;
    int cash;                 // before the answer
    int answer;               // a balloon button, or a key
    bool bought;
  } cases[] = {
      {"one short of the price", Store::kBoxesGood, 59, InfoBalloon::kYes, false},
      {"Esc declines", Store::kBoxesGood, 60, 27, false},
      {"Enter buys", Store::kBoxesGood, 60, 13, true},
      {"No declines", Store::kTableCloth, 30, InfoBalloon::kNo, false},
      {"the price equal to the cash", Store::kTableCloth, 10, InfoBalloon::kYes, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Player().SpendCash(Player().GetCash());
    Player().AddCash(c.cash);
    const int batch = Player().GetBatchSize(), cloths = Player().GetTableCloth(0);
    auto goods = Goods(c.id);
    ASSERT_EQ(goods.size(), 1u);
    Ask(goods[0]);
    g.mSounds.clear();
    if (c.answer == 13 || c.answer == 27)
      Key(static_cast<wchar_t>(c.answer));
    else
      Answer(c.answer);
    EXPECT_EQ(store->GetStockTimer(), 100);
    EXPECT_EQ(Goods(c.id).empty(), c.bought);
    EXPECT_EQ(Player().GetCash(), c.bought ? 0 : c.cash);
    if (c.id == Store::kBoxesGood) {
      EXPECT_EQ(Player().GetBatchSize(), c.bought ? 14 : batch);
    } else {
      EXPECT_EQ(Player().GetTableCloth(0), c.bought ? cloths + 1 : cloths);
    }
    const bool refused = !c.bought && c.answer == InfoBalloon::kYes;
    std::vector<int> sounds;
    if (c.answer != 13 && c.answer != 27) sounds.push_back(SOUND_MOUSE_CLICK);
    if (refused) sounds.push_back(SOUND_NOT_ENOUGH_MONEY_1);
    if (c.bought) sounds.push_back(SOUND_PAY);
    EXPECT_EQ(g.mSounds, sounds);
    if (refused) {
      ASSERT_NE(store->GetBalloon(), nullptr);
      const InfoBalloon* b = store->GetBalloon();
      EXPECT_EQ(b->GetPageCount(), 1);
      EXPECT_EQ(store->GetBalloonItem(), 0);
      Tick();
      Answer(InfoBalloon::kYes);
    }
    EXPECT_EQ(store->GetBalloon(), nullptr);
  }
  EXPECT_EQ(Store::GetNewItemFlag(Store::kBoxes), 0);
  EXPECT_EQ(Store::GetNewItemFlag(Store::kCloth1), 0);
  // A change of player computes the marks again: the cloth is back.
  g.SetCurrentProfile(g.GetCurrentProfileIndex());
  EXPECT_EQ(Store::GetNewItemFlag(Store::kCloth1), 1);
  EXPECT_EQ(Store::GetNewItemFlag(Store::kBoxes), 0);  // batch 14 needs day 38
}

TEST_F(StoreTest, TheCashCountsDownInStepsOfElevenThenOne) {
  ShopScreen* store = Enter(kStore, 23, 230, [](PlayerProfile& p) { p.SetIceCreamMachineLevel(1); });
  ASSERT_NE(store, nullptr);
  // Day 24: of the machines only the fastest.
  EXPECT_TRUE(Goods(Store::kFasterMachine).empty());
  auto machine = Goods(Store::kFastestMachine);
  ASSERT_EQ(machine.size(), 1u);
  Ask(machine[0]);
  EXPECT_EQ(store->GetPendingPrice(), 200);
  Answer(InfoBalloon::kYes);
  EXPECT_EQ(Player().GetIceCreamMachineLevel(), 3);
  EXPECT_EQ(Player().GetCash(), 30);
  std::vector<int> shown{store->GetDisplayedCash() - 30};
  int sinceStep = 0;
  ASSERT_TRUE(TickUntil(
      [&] {
        ++sinceStep;
        const int above = store->GetDisplayedCash() - 30;
        if (above != shown.back()) {
          EXPECT_EQ(sinceStep, shown.size() == 1 ? sinceStep : 5) << "at " << above;
          shown.push_back(above);
          sinceStep = 0;
        }
        return above == 0;
      },
      2000));
  std::vector<int> expected;
  for (int v = 200; v > 13; v -= 11) expected.push_back(v);
  for (int v = 13; v >= 0; --v) expected.push_back(v);
  EXPECT_EQ(shown, expected);
}

TEST_F(StoreTest, APressEndsTheWelcomeAndAnotherGoodsTalkReplacesTheQuestion) {
  Boot();
  ScreenGame& g = Game();
  const int index = g.CreateProfile(L"Pemi");
  g.GetProfile(index)->SetStoryDays(3);
  for (int f = 33; f <= 66; ++f) g.GetProfile(index)->SetFlag(f, true);
  g.SetCurrentProfile(index);
  ShopScreen* store = FromMap(kStore, false);
  ASSERT_NE(store, nullptr);
  // Still waiting to show: a press on a good removes the welcome and asks.
  ASSERT_NE(store->GetBalloon(), nullptr);
  EXPECT_EQ(store->GetBalloon()->GetShown(), 0);
  ClickOn(Goods(Store::kCookies).at(0));
  EXPECT_EQ(store->GetBalloonItem(), Store::kCookies);
  Tick(10);
  // A press on another good closes the question and asks afresh.
  ClickOn(Goods(Store::kStrawsGood).at(0));
  EXPECT_EQ(store->GetBalloonItem(), Store::kStrawsGood);
  EXPECT_EQ(store->GetPendingPrice(), 6);
  EXPECT_EQ(store->GetBalloon()->GetShown(), 0);
  Tick();
  // While the window has no focus the store stands still.
  g.PauseCurrentScreen();
  const int shown = store->GetBalloon()->GetShown();
  Key(27);
  Tick(5);
  EXPECT_EQ(store->GetBalloonItem(), Store::kStrawsGood);
  EXPECT_EQ(store->GetBalloon()->GetShown(), shown);
  g.ResumeCurrentScreen();
  Key(27);
  EXPECT_EQ(store->GetBalloon(), nullptr);
  EXPECT_EQ(store->GetStockTimer(), 100);
  EXPECT_EQ(Player().GetStrawStock(), 0);
}

}  // namespace
}  // namespace Plix
