#pragma once
// A story day on a small test floor for the heroine: the boxes, stocks and
// stations stocked by hand, clicks delivered through the widget manager as
// a player's arrive, and the loop run until she has nothing left to do.
#include <gtest/gtest.h>

#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/IceCream.h"
#include "game/board/StationButtons.h"
#include "game/characters/Girl.h"
#include "game/characters/GirlAction.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix::Testing {

// Counts the game menus the board asks for; the screens make none here.
class MenuCountingScreens : public BoardScreens {
public:
  using BoardScreens::BoardScreens;
  Dialog* CreateGameMenuDialog(int, bool openedByKey) override {
    ++mMenus;
    mOpenedByKey.push_back(openedByKey);
    return nullptr;
  }
  int mMenus = 0;
  std::vector<bool> mOpenedByKey;
};

class GirlFixture : public BoardFixture {
protected:
  void SetUp() override {
    BoardFixture::SetUp();
    auto screens = std::make_unique<MenuCountingScreens>(*mGame, mLog);
    mMenuScreens = screens.get();
    mScreens = std::move(screens);
    mGame->SetScreenFactory(mScreens.get());
    // The last day, which has every station, and no lessons holding the
    // floor.
    Player().SetStoryDays(49);
    Player().SetShowTutorials(false);
    mBoard = &Open(0);
    mGirl = mBoard->GetGirl();
    RunFor(1000);  // the fade-in is over
    StockFloor();
    mLiveAtStart = GirlAction::GetLiveCount();
  }

  // Six boxes along the bench, a few of everything in the stations.
  void StockFloor() {
    for (int i = 0; i < 6; ++i) {
      IceCreamBox& box = mBoard->mIceCreamBoxes[i];
      box = {13 + i, 300.0f + 40.0f * i, 5};
      mBoard->UpdateIceCreamBoxButton(i);
    }
    mBoard->mUmbrellas = 2;
    mBoard->mCocktailSticks = 2;
    mBoard->mStraws = 2;
    mBoard->mSparklers = 2;
    mBoard->mBananas = 2;
    mBoard->mApples = 2;
    mBoard->mPears = 2;
    mBoard->mSuperBananas = 1;
    for (AlphaButton* b : {mBoard->mUmbrellaButton.get(), mBoard->mCocktailStickButton.get(),
                           mBoard->mStrawButton.get(), mBoard->mSparklerButton.get(), mBoard->mBananaButton.get(),
                           mBoard->mAppleButton.get(), mBoard->mPearButton.get(),
                           mBoard->mSuperBananaButton.get()}) {
      if (!b) continue;
      b->SetVisible(true);
      b->SetState(0);
    }
  }

  WidgetManager& Widgets() { return *mGame->mAppWidgets; }

  // A point of the button where the board's hover finds it; fails the test
  // when there is none.
  bool Hover(AlphaButton* button, int& x, int& y) {
    if (!button) return false;
    for (int dy = button->GetHeight() / 2; dy < button->GetHeight(); dy += 3) {
      for (int dx = button->GetWidth() / 2; dx < button->GetWidth(); dx += 3) {
        x = button->GetX() + dx;
        y = button->GetY() + dy;
        Widgets().MouseMove(x, y);
        if (mBoard->mHoverButton == button) return true;
      }
    }
    return false;
  }

  // Moves to the button and clicks it as a player does.
  void Click(AlphaButton* button, int clicks = 1) {
    int x = 0;
    int y = 0;
    ASSERT_TRUE(Hover(button, x, y)) << "no point of button " << (button ? button->GetId() : -1) << " is hovered";
    Widgets().MouseDown(x, y, clicks);
    Widgets().MouseUp(x, y, clicks);
  }

  // Runs the loop until she stands idle; false after a minute of game time.
  bool RunUntilIdle() {
    for (int i = 0; i < 600; ++i) {
      RunFor(100);
      if (mGirl->IsIdle()) return true;
    }
    return false;
  }

  // Orders a cone at the machine and runs the loop until it rides the belt;
  // none when it did not come within a minute.
  ConveyorContainer* OrderCone() {
    Conveyor& belt = *mBoard->GetConveyor();
    const int before = belt.GetContainers().GetCount();
    Click(mBoard->mConeMachineButton.get());
    for (int i = 0; i < 6000 && belt.GetContainers().GetCount() == before; ++i) RunFor(10);
    if (belt.GetContainers().GetCount() == before) return nullptr;
    return static_cast<ConveyorContainer*>(belt.GetContainers().GetAt(belt.GetContainers().GetCount() - 1));
  }

  // Clicks the item where it rides now, as a player does: the mouse goes
  // there, a tick finds the item under it, then the press. False when the
  // board does not find it.
  bool ClickItem(ConveyorContainer* container) {
    IceCream* item = container->GetItem();
    const int x = static_cast<int>(container->GetX());
    const int y = static_cast<int>(container->GetY()) - item->GetHeight() / 2;
    Widgets().MouseMove(x, y);
    RunFor(10);
    if (mBoard->GetHoverConveyorItem() != item) return false;
    Widgets().MouseDown(x, y, 1);
    Widgets().MouseUp(x, y, 1);
    return true;
  }

  Board* mBoard = nullptr;
  Girl* mGirl = nullptr;
  MenuCountingScreens* mMenuScreens = nullptr;
  int mLiveAtStart = 0;
};

}  // namespace Plix::Testing
