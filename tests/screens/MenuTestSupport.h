#pragma once
// The main menu booted with the built data, and the ways a test reaches its
// signs, dialogs and the screens that follow.
#include "framework/widget/ButtonWidget.h"
#include "game/app/AlphaButton.h"
#include "game/board/Board.h"
#include "game/screens/GameDialog.h"
#include "game/screens/MainMenu.h"
#include "tests/screens/ScreenAppSupport.h"

namespace Plix::Testing {

class MainMenuTest : public ScreenAppTest {
protected:
  MainMenu& Boot() {
    StartToMainMenu();
    auto* menu = dynamic_cast<MainMenu*>(Game().mMainMenu);
    EXPECT_NE(menu, nullptr);
    // Slid in.
    EXPECT_TRUE(TickUntil([&] { return !menu || (menu->GetQuitOffset() == 0 && menu->GetBuildingOffset() == 0); },
                          400));
    return *menu;
  }
  MainMenu* Menu() { return dynamic_cast<MainMenu*>(Game().mMainMenu); }
  void ClickSign(int id) {
    AlphaButton* b = Menu()->FindButton(id);
    ASSERT_NE(b, nullptr);
    Move(1, 1);  // from elsewhere: the sign sees the mouse come over it
    Click(b->GetX() + b->GetWidth() / 2, b->GetY() + b->GetHeight() / 2);
  }
  void ClickButton(ButtonWidget* b) { Click(b->mX + b->mWidth / 2, b->mY + b->mHeight / 2); }
  template <class D>
  D* OpenDialog(int id) {
    return dynamic_cast<D*>(Game().GetDialog(id));
  }
  bool AtRest(GameDialog* d) {
    return TickUntil([&] { return !d->IsSliding(); }, 200);
  }
  // The shop floor the switchers made, null for any other screen.
  Board* Floor(GameScreen* screen) { return dynamic_cast<Board*>(screen); }
};

}  // namespace Plix::Testing
