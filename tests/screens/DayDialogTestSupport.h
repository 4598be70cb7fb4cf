#pragma once
// The dialogs of a day over a small stand-in for the shop floor: it keeps
// its pause depth and the results it was asked to leave with, and the
// dialogs are opened the way the floor opens them.
#include <vector>

#include "framework/graphics/Image.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameResources.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix::Testing {

class FloorStandIn : public GameScreen {
public:
  void Pause() override { ++mPauseDepth; }
  void Resume() override {
    if (mPauseDepth > 0) --mPauseDepth;
  }
  void ExitLevel(int result) override { mExits.push_back(result); }
  int GetLevelIndex() const override { return mDay; }

  int mPauseDepth = 0;
  int mDay = 0;
  std::vector<int> mExits;
};

class DayDialogTest : public MainMenuTest {
protected:
  // The main menu booted, then the stand-in over it as the application's
  // board, focused.
  FloorStandIn& BootToFloor(int day = 0) {
    Boot();
    auto* floor = new FloorStandIn;  // the application deletes its screens
    floor->mDay = day;
    floor->Resize(0, 0, 800, 600);
    Game().mBoard = floor;
    Widgets().AddWidget(floor);
    Widgets().SetFocus(floor);
    return *floor;
  }
  FloorStandIn& Floor() { return *static_cast<FloorStandIn*>(Game().mBoard); }

  // As the floor opens its menu: paused, parked above the screen, focused.
  template <class D>
  D* OpenOverFloor(Dialog* dialog, int id, Image* picture, int xShift = 0) {
    EXPECT_NE(dialog, nullptr);
    if (!dialog) return nullptr;
    Floor().Pause();
    const int w = picture->GetWidth(), h = picture->GetHeight();
    dialog->Resize((800 - w) / 2 + xShift, -h, w, h);
    Game().AddDialog(id, dialog);
    Widgets().SetFocus(dialog);
    return dynamic_cast<D*>(dialog);
  }
  bool DialogGone(int id, int limit = 400) {
    return TickUntil([&] { return Game().GetDialog(id) == nullptr; }, limit);
  }
};

}  // namespace Plix::Testing
