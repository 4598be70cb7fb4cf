#pragma once
// The store and the circus reached as a player reaches them: a player with a
// story at some day and some cash, the main menu, the island map, the
// building; then pointing, clicking and answering the seller's balloons.
#include <algorithm>
#include <functional>

#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/screens/Circus.h"
#include "game/screens/Map.h"
#include "game/screens/Store.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix::Testing {

class ShopTest : public MainMenuTest {
protected:
  enum Where { kStore, kCircus };

  // A new player whose story stands at `days` completed with `cash`,
  // prepared further by `setUp` before becoming current; then the shop.
  template <class SetUp>
  ShopScreen* Enter(Where where, int days, int cash, SetUp setUp) {
    Boot();
    ScreenGame& g = Game();
    const int index = g.CreateProfile(L"Pemi");
    PlayerProfile& p = *g.GetProfile(index);
    p.SetStoryDays(days);
    for (int f = 33; f <= 66; ++f) p.SetFlag(f, true);  // nothing left to tell on the map
    p.AddCash(cash);
    setUp(p);
    g.SetCurrentProfile(index);
    if (mOffers) mOffers(gCircusOffers);
    return FromMap(where);
  }
  ShopScreen* Enter(Where where, int days, int cash) {
    return Enter(where, days, cash, [](PlayerProfile&) {});
  }
  // From the main menu or the map into the shop, the welcome answered
  // unless `answer` says otherwise.
  ShopScreen* FromMap(Where where, bool answer = true) {
    if (Menu()) ClickSign(MainMenu::kStoryMode);
    EXPECT_TRUE(TickUntil([&] { return TheMap() != nullptr && Game().GetFadeState() == 0; }, 400));
    if (!TheMap()) return nullptr;
    Press(TheMap(), where == kStore ? Map::kStore : Map::kCircus);
    EXPECT_TRUE(TickUntil([&] { return Shop() != nullptr && Game().GetFadeState() == 0; }, 400));
    ShopScreen* shop = Shop();
    if (!shop) return nullptr;
    EXPECT_TRUE(shop->GetBalloon() != nullptr);  // the welcome
    if (!answer) return shop;
    EXPECT_TRUE(TickUntil([&] { return shop->GetBalloon() && shop->GetBalloon()->GetShown() > 0; }, 200));
    Answer(InfoBalloon::kYes);
    EXPECT_EQ(shop->GetBalloon(), nullptr);
    return shop;
  }
  // Out through the exit, back on the map.
  void Leave() {
    Press(Shop(), ShopScreen::kExit);
    EXPECT_TRUE(TickUntil([&] { return TheMap() != nullptr && Game().GetFadeState() == 0; }, 400));
  }

  ShopScreen* Shop() {
    GameScreen* s = Game().mStore ? Game().mStore : Game().mCircus;
    return dynamic_cast<ShopScreen*>(s);
  }
  Map* TheMap() { return dynamic_cast<Map*>(Game().mMap); }
  PlayerProfile& Player() { return *Game().GetCurrentProfile(); }

  // The buttons of a kind that can be pointed at now, in list order.
  std::vector<AlphaButton*> Goods(int id) {
    std::vector<AlphaButton*> found;
    for (int i = 0; i < Shop()->GetButtonCount(); ++i) {
      AlphaButton* b = Shop()->GetButton(i);
      if (b->GetId() == id && b->GetState() != 3 && b->IsVisible()) found.push_back(b);
    }
    return found;
  }
  // The ids of every visible button, sorted.
  std::vector<int> ShelfIds() {
    std::vector<int> ids;
    for (int i = 0; i < Shop()->GetButtonCount(); ++i)
      if (Shop()->GetButton(i)->IsVisible()) ids.push_back(Shop()->GetButton(i)->GetId());
    std::sort(ids.begin(), ids.end());
    return ids;
  }
  // A point where the button takes the mouse.
  static bool HitPoint(AlphaButton* b, int& x, int& y) {
    for (y = std::max(b->GetY(), 0); y < b->GetY() + b->GetHeight(); ++y)
      for (x = std::max(b->GetX(), 0); x < b->GetX() + b->GetWidth(); ++x)
        if (b->Contains(x, y)) return true;
    return false;
  }
  // The mouse comes from an empty spot onto the button.
  void PointAt(AlphaButton* b) {
    ASSERT_NE(b, nullptr);
    int x = 0, y = 0;
    ASSERT_TRUE(HitPoint(b, x, y)) << "button " << b->GetId();
    Move(1, 1);
    Move(x, y);
  }
  void ClickOn(AlphaButton* b) {
    int x = 0, y = 0;
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(HitPoint(b, x, y)) << "button " << b->GetId();
    Move(1, 1);
    Click(x, y);
  }
  void Press(ScreenFrame* screen, int id) {
    ASSERT_NE(screen, nullptr);
    ClickOn(screen->FindButton(id));
  }
  // Clicks the good and waits for its question to be answerable.
  void Ask(AlphaButton* b) {
    ClickOn(b);
    ASSERT_NE(Shop()->GetBalloon(), nullptr);
    EXPECT_EQ(Shop()->GetBalloonItem(), b->GetId());
    Tick();
  }
  // Clicks a button of the open balloon.
  void Answer(int slot) {
    InfoBalloon* balloon = Shop()->GetBalloon();
    ASSERT_NE(balloon, nullptr);
    AlphaButton* button = balloon->GetSlot(slot);
    ASSERT_NE(button, nullptr);
    Move(1, 1);
    Click(button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
  }
  // The circus offers of the day, set once the player is current.
  std::function<void(CircusOffers&)> mOffers;
};

}  // namespace Plix::Testing
