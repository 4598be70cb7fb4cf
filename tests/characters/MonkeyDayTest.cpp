// Vurez through the board's input as a player sends him: the counter tray
// to a table, the plates cleared and thrown away, cookies and lemonade for
// a waiting guest, juggling and the organ, a banana thrown to him; at the
// end every table is clear and every badge is back to zero. Also how he is
// drawn with everything he can hold.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "game/app/GameResources.h"
#include "tests/characters/MonkeyTestSupport.h"

namespace Plix {
namespace {

class MonkeyDay : public Testing::MonkeyFixture {
protected:
  // Hovers the button as the mouse would and presses it.
  void Press(AlphaButton* button) {
    ASSERT_NE(button, nullptr);
    for (int dy = 0; dy < button->GetHeight(); dy += 2) {
      for (int dx = 0; dx < button->GetWidth(); dx += 2) {
        const int x = button->GetX() + dx, y = button->GetY() + dy;
        mBoard->MouseMove(x, y);
        if (mBoard->mHoverButton != button) continue;
        mBoard->MouseDownButton(x, y, 1, 1);
        mBoard->MouseUpButton(x, y, 1, 1);
        return;
      }
    }
    FAIL() << "button " << button->GetId() << " cannot be hovered";
  }
  // Any of the three lemonade bottles takes the click.
  void PressAnyBottle() {
    for (auto& bottle : mBoard->mLemonadeButtons) {
      for (int dy = 0; dy < bottle->GetHeight(); dy += 2) {
        for (int dx = 0; dx < bottle->GetWidth(); dx += 2) {
          const int x = bottle->GetX() + dx, y = bottle->GetY() + dy;
          mBoard->MouseMove(x, y);
          if (mBoard->mHoverButton != bottle.get()) continue;
          mBoard->MouseDownButton(x, y, 1, 1);
          return;
        }
      }
    }
    FAIL() << "no lemonade bottle can be hovered";
  }
  void PressTable(Table* table) {
    for (int y = table->GetY() - 150; y < table->GetY() + 150; y += 2) {
      for (int x = table->GetX() - 150; x < table->GetX() + 150; x += 2) {
        mBoard->MouseMove(x, y);
        if (mBoard->mHoverTarget != table) continue;
        mBoard->MouseDownButton(x, y, 1, 1);
        return;
      }
    }
    FAIL() << "the table cannot be hovered";
  }
  // His ticks with the customers' and the thrown treat's; until he has
  // nothing left to do.
  bool Play(int limit = 20000) {
    for (int i = 0; i < limit; ++i) {
      if (mMonkey->GetTaskCount() == 0 && !mMonkey->IsRunning() && !mBoard->IsTreatFlying()) return true;
      Manager().Update();
      mBoard->UpdateThrownTreat(1.0f);
      Tick();
    }
    return false;
  }
  int Badges() {
    int sum = TableAt(0)->GetPendingClicks() + TableAt(1)->GetPendingClicks();
    for (AlphaButton* b : {static_cast<AlphaButton*>(mBoard->mDishButton.get()),
                           static_cast<AlphaButton*>(mBoard->mTrashStationButton.get()), mBoard->mNapkinsButton.get(),
                           static_cast<AlphaButton*>(mBoard->mCookiesButton.get()), mBoard->mJugglingButton.get(),
                           mBoard->mOrganButton.get()})
      sum += b->GetPending();
    for (auto& bottle : mBoard->mLemonadeButtons) sum += bottle->GetPending();
    return sum;
  }
};

TEST_F(MonkeyDay, HeServesClearsFetchesAndEntertainsAndLeavesNothingBehind) {
  StandardFloor();
  mBoard->mLevelModeWord = -1;  // a cool day: nobody asks for a napkin
  mBoard->mCookies[1] = 2;
  mBoard->mLemonades[0] = 1;
  for (AlphaButton* b : {static_cast<AlphaButton*>(mBoard->mCookiesButton.get()),
                         static_cast<AlphaButton*>(mBoard->mLemonadeButtons[0].get()),
                         static_cast<AlphaButton*>(mBoard->mLemonadeButtons[1].get()),
                         static_cast<AlphaButton*>(mBoard->mLemonadeButtons[2].get())}) {
    b->SetVisible(true);
    b->SetState(0);
  }
  Customer* eater = Waiting(IceCream::CreateOfKind(kItemPlate));
  Customer* guest = Waiting(Cup(15), 2);
  ASSERT_TRUE(eater && guest);
  ASSERT_EQ(eater->GetTable(), TableAt(0));
  ASSERT_EQ(guest->GetTable(), TableAt(1));

  // The serving monkey has put the plate on the counter: tray to the table.
  ASSERT_TRUE(mBoard->GetCounter()->Add(IceCream::CreateOfKind(kItemPlate)));
  Press(mBoard->mDishButton.get());
  PressTable(TableAt(0));
  ASSERT_TRUE(Play());
  EXPECT_EQ(eater->GetState(), Customer::kEating);
  EXPECT_EQ(mBoard->GetTrashStationButton()->GetLoad(), 1);  // the empty tray

  // A banana thrown to him: idle, he eats it and is boosted; what is
  // clicked meanwhile waits.
  mBoard->ThrowTreat(kItemBanana, 100, 500);
  ASSERT_TRUE(mBoard->IsTreatFlying());
  ASSERT_TRUE(Play());
  EXPECT_EQ(mMonkey->GetTreatKind(), kItemBanana);
  EXPECT_EQ(mMonkey->GetSpeed(), 5.0f);

  // Cookies and lemonade for the guest, then the show.
  Press(mBoard->mCookiesButton.get());
  PressTable(TableAt(1));
  PressAnyBottle();
  PressTable(TableAt(1));
  Press(mBoard->mJugglingButton.get());
  Press(mBoard->mOrganButton.get());
  ASSERT_TRUE(Play());
  EXPECT_LT(mMonkey->GetBoostFrames(), 1500);  // run down while he worked
  EXPECT_GT(mMonkey->GetBoostFrames(), 0);
  EXPECT_EQ(guest->GetCookies(), 1);
  EXPECT_EQ(guest->GetLemonades(), 1);
  EXPECT_EQ(guest->GetJugglingShows(), 1);
  EXPECT_EQ(guest->GetOrganTunes(), 1);
  EXPECT_EQ(Sounds(SOUND_EAT_FRUIT), 1);

  // The eater leaves a plate: cleared and thrown away.
  for (int i = 0; i < 20000 && TableAt(0)->CountItems() == 0; ++i) Manager().Update();
  ASSERT_EQ(TableAt(0)->CountItems(), 1);
  PressTable(TableAt(0));
  Press(mBoard->GetTrashStationButton());
  ASSERT_TRUE(Play());

  EXPECT_EQ(TableAt(0)->CountItems() + TableAt(1)->CountItems(), 0);
  EXPECT_TRUE(mMonkey->HasEmptyHands());
  EXPECT_EQ(Badges(), 0);
  EXPECT_TRUE(mBoard->mJugglingButton->IsVisible());
  EXPECT_TRUE(mBoard->mOrganButton->IsVisible());
}

// ---- Drawing ----

struct Painted {
  int count = 0;
  bool outside = false;
  uint64_t hash = 0;
};

Painted Paint(Monkey& monkey, int left, int top, int right, int bottom) {
  MemoryImage canvas;
  canvas.Create(800, 600);
  Graphics g(&canvas);
  monkey.Draw(g);
  Painted p;
  const uint32_t* bits = canvas.GetBits();
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      p.hash = p.hash * 1099511628211ull + bits[y * 800 + x];
      if ((bits[y * 800 + x] & 0xFF000000u) == 0) continue;
      ++p.count;
      if (x < left || x > right || y < top || y > bottom) p.outside = true;
    }
  }
  return p;
}

TEST_F(MonkeyDay, HeAndWhatHeHoldsAreDrawnAroundHisFeet) {
  StandardFloor();
  mMonkey->SetPosition(400.0f, 420.0f);
  ASSERT_TRUE(mBoard->GetCounter()->Add(Cup(kItemVanilla)));
  const Monkey::AnimationIndex poses[] = {Monkey::kEatTreat, Monkey::kJuggleFour, Monkey::kIdleScratch};
  for (int carry = 0; carry <= Monkey::kCarryBalls; ++carry) {
    for (int pose = 0; pose < 8; ++pose) {
      SCOPED_TRACE(testing::Message() << "carry " << carry << " pose " << pose);
      mMonkey->DropAll();
      if (carry == Monkey::kCarryDishes) {
        for (int dish = kItemPlate; dish <= kItemCake; ++dish) mMonkey->AddDish(dish);
      } else {
        mMonkey->PickUp(carry, mBoard->GetCounter());
      }
      if (pose >= 1 && pose <= 4) mMonkey->SetWalkDirection(pose);
      if (pose >= 5) mMonkey->PlayAnimation(poses[pose - 5]);
      if (pose == 5) mMonkey->SpeedUp(kItemBanana);
      const Painted p = Paint(*mMonkey, 250, 200, 550, 470);
      EXPECT_GT(p.count, 0);
      EXPECT_FALSE(p.outside);
    }
  }
}

TEST_F(MonkeyDay, WhatHeHoldsChangesHisPicture) {
  StandardFloor();
  mMonkey->SetPosition(400.0f, 420.0f);
  const Painted empty = Paint(*mMonkey, 0, 0, 800, 600);
  for (int carry : {Monkey::kCarryNapkin, Monkey::kCarryLemonade, Monkey::kCarryCookie, Monkey::kCarryBalls}) {
    SCOPED_TRACE(carry);
    mMonkey->DropAll();
    mMonkey->PickUp(carry);
    const Painted standing = Paint(*mMonkey, 0, 0, 800, 600);
    EXPECT_NE(standing.hash, empty.hash);
    mMonkey->SetWalkDirection(Monkey::kDown);
    const Painted down = Paint(*mMonkey, 0, 0, 800, 600);
    mMonkey->SetWalkDirection(Monkey::kUp);
    const Painted up = Paint(*mMonkey, 0, 0, 800, 600);
    // Walking down it is in his hand, walking up it is hidden behind him.
    EXPECT_GT(down.count, 0);
    EXPECT_NE(down.hash, up.hash);
  }
}

}  // namespace
}  // namespace Plix
